// The template language's reads of its database, bound to the template database readers: what
// every environment a script runs in shares (the designer's, the tests', the fuzz target's).
#pragma once
#include <cstdint>
#include <string>

#include "database/linked_database.h"
#include "database/template/template_language.h"

class TemplateDatabaseEnvironment : public templates::TemplateEnvironment {
 public:
  void UseDatabase(const std::string& name) override { templateDatabaseName = name; }
  int16_t FieldType(const std::string& field) override { return GetTemplateFieldType(field); }
  std::string FieldListText(const std::string& field) override {
    return GetTemplateFieldListText(field);
  }
  std::string FieldValue(const std::string& field, int64_t record) override {
    return ReadTemplateFieldValue(field, record);
  }
  int64_t RecordCount() override { return CountTemplateRecords(); }
  void ResetCellCursor() override { templateCellCursor = 1; }
};
