// Filling the page from a record of the linked database: every object bound to a field gets
// the field's value in the way its type asks, an object bound to "@@" and a script name gets
// the script's result, and aligned texts with "#Field" or "##Field" placeholders get a shown
// copy with the values put in. Dates show the time elapsed since them.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The font a phonetic field's value is shown in.
constexpr const char* kPhoneticFontName = "Ipa-sams Uclphon1 SILSophiaL";

// Set by the designer: the full repaint that shows the filled page.
extern std::function<void()> repaintAfterFill;
// Set by the template language: runs the script at that path and gives its OUT text, or
// nothing when the run did not complete (a missing script or an error it has shown), which
// empties the object's fill text. Until it is set, an object bound to a script keeps its value.
extern std::function<std::optional<std::string>(const std::string& scriptPath)>
    templateScriptRunner;

// Fills slots 2 to objectCount from that record and repaints. The record's cells are read
// once. Returns false, doing nothing, while another value scan runs.
bool FillObjectsFromRecord(int64_t record);
// savedPlaceholderTexts made anew for slots 1 to objectCount, each aligned text with its own
// text: what the record browser does when it opens.
void RebuildPlaceholderTexts();

// The text with every "##name" replaced by the value in capitals and every "#name" by the
// value as it is, in one pass from left to right: a value holding a placeholder is not
// replaced again.
std::string FillPlaceholderText(std::string_view fieldName, std::string_view text,
                                std::string_view value);
// The script file named by an "@@" binding: "_" becomes a blank, "~", "#", "@" and "&" are
// dropped ("@@Informe_mensual" gives "Informe mensual").
std::string DecodeScriptReference(std::string_view binding);
// Item `index` (from 1, rounded half to even) of a list of choices separated by "|"; "" when
// there is no such item.
std::string ListChoiceItem(std::string_view listText, long double index);
