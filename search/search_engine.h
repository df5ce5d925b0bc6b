// The record search over the linked database: the record count, the frame every search runs
// (walk the records from the first to the last, show the progress, test each record by the
// criteria, collect the matches in the search results) and its closing report. The searches
// know no window: the progress goes to the caller's function and the report comes back as a
// value, which the search dialog shows.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "search/search_criteria.h"

// Told once a record, before the record is tested.
using SearchProgress = std::function<void(int64_t record, int64_t lastRecord)>;

struct SearchReport {
  int64_t matchCount = 0;
  std::string message;  // "<count> Resultados ..." or "No hay Resultados ..."
};

// The record count of the linked database: the record number of the last whole cell of its
// value file; 0 for an empty, missing or unreadable file.
int64_t CountSearchDatabaseRecords();

// The progress a caption shows: the whole percentage done followed by " %" ("12 %").
std::string SearchProgressText(int64_t record, int64_t lastRecord);

// The one-, two- and three-field searches: criteria 1, 2 and 3 in order, each fetched with its
// own kind and tested, the first that fails ending the record's test; a kind that is none of
// the nine symbols matches nothing. On a field of a number type the order kinds read the
// stored value and the typed text in the database's notation ("1.250'50"). They take the
// criteria as they are at the start (the dialog's later changes do not reach a running
// search), hold the value-scan busy flag while they run, and fill the search results.
SearchReport SearchRecordsOneField(const SearchCriteria& criteria, const SearchProgress& progress);
SearchReport SearchRecordsTwoFields(const SearchCriteria& criteria, const SearchProgress& progress);
SearchReport SearchRecordsThreeFields(const SearchCriteria& criteria,
                                      const SearchProgress& progress);

// The state of a program that has not searched yet: no results, the cell cursor at 1.
void ResetSearchState();
