// A label table with one text field, METIN1, behind a data source, for the
// data-bound barcode tests. Like barcodefieldlink.h, this header names no
// data classes, so the tests can include it beside the barcode's header.
#pragma once
#include <string>
#include <vector>

class TComponent;

class TLabelTable {
public:
  // An open in-memory table "Etiket" with one record per code and a data
  // source "EtiketSource" on it, both owned by owner; the cursor is on the
  // first record.
  TLabelTable(TComponent* owner, const std::vector<std::string>& codes);

  TComponent* Source() const { return source_; }
  void First();
  void Next();
  void Last();
  void Close();
  // Edits the current record's METIN1 (the record stays in edit mode).
  void EditCode(const std::string& code);
  void Post();
  void FreeTable();
  void FreeSource();

  // Registers the data classes for the component reader.
  static void RegisterClasses();
  static bool IsDataSource(TComponent* component);

private:
  TComponent* table_ = nullptr;
  TComponent* source_ = nullptr;
};
