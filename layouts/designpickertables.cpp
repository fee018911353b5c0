#include "layouts/designpickertables.h"

#include <algorithm>
#include <initializer_list>
#include <set>

#include "classlib/classes/strings.h"
#include "classlib/data/datasource.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/stringfield.h"
#include "layouts/core/pickerlists.h"
#include "layouts/databaseeditorf.h"
#include "layouts/dialogcaption.h"
#include "layouts/dizaynanaf.h"

bool PickerCascadeOn = false;

namespace {

// The size the tables start with; a longer code or text widens them.
constexpr int PickerFieldSize = 50;

// (Re)opens Table, empty, with string fields of Size.
void OpenPickerTable(TRxMemoryData* Table, std::initializer_list<const char*> Fields, int Size) {
  Table->Close();
  Table->FieldDefs()->Clear();
  for (const char* field : Fields)
    Table->FieldDefs()->Add(field, ftString, Size);
  Table->Open();
}

TRxMemoryData* NewPickerTable(TDizaynAnaF& Form, const char* Name, std::initializer_list<const char*> Fields) {
  auto* table = new TRxMemoryData(&Form);
  table->SetName(Name);
  OpenPickerTable(table, Fields, PickerFieldSize);
  return table;
}

TDataSource* NewPickerSource(TDizaynAnaF& Form, const char* Name, TRxMemoryData* Table) {
  auto* source = new TDataSource(&Form);
  source->SetName(Name);
  source->SetDataSet(Table);
  return source;
}

void AppendPickerRow(TRxMemoryData* Table, std::initializer_list<AnsiString> Values) {
  Table->Append();
  int index = 0;
  for (const AnsiString& value : Values)
    Table->Fields().Fields(index++)->SetAsString(value);
  Table->Post();
}

AnsiString PickerCell(TRxMemoryData* Table, const char* Field) {
  return Table->IsEmpty() ? AnsiString() : Table->FieldByName(Field)->AsString();
}

// The length of the longest code or text, at least the tables' first size;
// at most what a string field holds.
int PickerFieldWidth(const std::vector<TFieldListEntry>& Entries) {
  std::size_t longest = PickerFieldSize;
  for (const TFieldListEntry& e : Entries)
    for (const AnsiString* cell :
         {&e.GroupCode, &e.GroupText, &e.TableCode, &e.TableText, &e.FieldCode, &e.FieldText})
      longest = std::max(longest, cell->size());
  return static_cast<int>(std::min<std::size_t>(longest, TStringField::MaxStringSize));
}

// An exact look-up of Code, else the first row.
void LocateOrFirst(TRxMemoryData* Table, const char* Field, const AnsiString& Code) {
  if (!Table->Locate(Field, Variant(Code), TLocateOptions()))
    Table->First();
}

bool CascadesMayRun() { return DatabaseEditorF != nullptr && PickerCascadeOn; }

}  // namespace

void CreatePickerTables(TDizaynAnaF& Form) {
  Form.RxT = NewPickerTable(Form, "RxT", {"GRUPADIORG", "GRUPADITEXT", "TABLEADIORG", "TABLEADITEXT", "FIELDADIORG",
                                          "FIELDADITEXT"});
  Form.RxGrup = NewPickerTable(Form, "RxGrup", {"GRUPADIORG", "GRUPADITEXT"});
  Form.RxTable = NewPickerTable(Form, "RxTable", {"TABLEADIORG", "TABLEADITEXT"});
  Form.RxField = NewPickerTable(Form, "RxField", {"FIELDADIORG", "FIELDADITEXT"});
  Form.RxGrup_S = NewPickerSource(Form, "RxGrup_S", Form.RxGrup);
  Form.RxTable_S = NewPickerSource(Form, "RxTable_S", Form.RxTable);
  Form.RxField_S = NewPickerSource(Form, "RxField_S", Form.RxField);
  Form.RxGrup->AfterScroll = Method<&TDizaynAnaF::RxGrupAfterScroll>(&Form);
  Form.RxTable->AfterScroll = Method<&TDizaynAnaF::RxTableAfterScroll>(&Form);
}

void FillPickerTables(TDizaynAnaF& Form, const TStrings& FieldList) {
  if (!Form.RxT->IsEmpty())
    return;
  const std::vector<TFieldListEntry> entries =
      ReadFieldList(FieldList, [&Form](const AnsiString& Text) { return Form._(Text); });
  // Codes and texts longer than the tables' first size widen every table,
  // so nothing is cut (the tables are empty here).
  const int width = PickerFieldWidth(entries);
  if (width > Form.RxT->FieldByName("GRUPADIORG")->Size()) {
    OpenPickerTable(Form.RxT, {"GRUPADIORG", "GRUPADITEXT", "TABLEADIORG", "TABLEADITEXT", "FIELDADIORG",
                               "FIELDADITEXT"}, width);
    OpenPickerTable(Form.RxGrup, {"GRUPADIORG", "GRUPADITEXT"}, width);
    OpenPickerTable(Form.RxTable, {"TABLEADIORG", "TABLEADITEXT"}, width);
    OpenPickerTable(Form.RxField, {"FIELDADIORG", "FIELDADITEXT"}, width);
  }
  std::set<AnsiString> groups;
  Form.RxGrup->DisableControls();
  for (const TFieldListEntry& e : entries) {
    AppendPickerRow(Form.RxT, {e.GroupCode, e.GroupText, e.TableCode, e.TableText, e.FieldCode, e.FieldText});
    if (groups.insert(e.GroupCode).second)
      AppendPickerRow(Form.RxGrup, {e.GroupCode, e.GroupText});
  }
  Form.RxGrup->EnableControls();
}

void SortPickerTable(TRxMemoryData* Table, const char* TextField) { Table->SortOnFields(TextField, true, false); }

void PreparePickerTables(TDizaynAnaF& Form, const TStrings& FieldList, const AnsiString& Group,
                         const AnsiString& Table, const AnsiString& Field) {
  FillPickerTables(Form, FieldList);
  SortPickerTable(Form.RxGrup, "GRUPADITEXT");
  SortPickerTable(Form.RxTable, "TABLEADITEXT");
  SortPickerTable(Form.RxField, "FIELDADITEXT");
  LocateOrFirst(Form.RxGrup, "GRUPADIORG", Group);
  RunGroupCascade(Form);
  LocateOrFirst(Form.RxTable, "TABLEADIORG", Table);
  RunTableCascade(Form);
  LocateOrFirst(Form.RxField, "FIELDADIORG", Field);
}

void RunGroupCascade(TDizaynAnaF& Form) {
  const bool cascading = PickerCascadeOn;
  PickerCascadeOn = false;
  TRxMemoryData* tables = Form.RxTable;
  tables->DisableControls();
  tables->EmptyTable();
  const AnsiString group = PickerCell(Form.RxGrup, "GRUPADIORG");
  std::set<AnsiString> seen;
  if (!Form.RxGrup->IsEmpty())
    for (Form.RxT->First(); !Form.RxT->Eof(); Form.RxT->Next()) {
      if (Form.RxT->FieldByName("GRUPADIORG")->AsString() != group)
        continue;
      const AnsiString code = Form.RxT->FieldByName("TABLEADIORG")->AsString();
      if (seen.insert(code).second)
        AppendPickerRow(tables, {code, Form.RxT->FieldByName("TABLEADITEXT")->AsString()});
    }
  SortPickerTable(tables, "TABLEADITEXT");
  tables->First();
  tables->EnableControls();
  PickerCascadeOn = cascading;
  RunTableCascade(Form);
}

void RunTableCascade(TDizaynAnaF& Form) {
  if (DatabaseEditorF == nullptr || !DatabaseEditorF->DBGrid3->Visible())
    return;
  TRxMemoryData* fields = Form.RxField;
  fields->DisableControls();
  fields->EmptyTable();
  const AnsiString group = PickerCell(Form.RxGrup, "GRUPADIORG");
  const AnsiString table = PickerCell(Form.RxTable, "TABLEADIORG");
  if (!Form.RxTable->IsEmpty())
    for (Form.RxT->First(); !Form.RxT->Eof(); Form.RxT->Next())
      if (Form.RxT->FieldByName("GRUPADIORG")->AsString() == group &&
          Form.RxT->FieldByName("TABLEADIORG")->AsString() == table)
        AppendPickerRow(fields, {Form.RxT->FieldByName("FIELDADIORG")->AsString(),
                                 Form.RxT->FieldByName("FIELDADITEXT")->AsString()});
  SortPickerTable(fields, "FIELDADITEXT");
  fields->First();
  fields->EnableControls();
}

void LocateFieldByText(TDizaynAnaF& Form, const AnsiString& Text) {
  TLocateOptions options;
  options.Include(loCaseInsensitive);
  options.Include(loPartialKey);
  Form.RxField->Locate("FIELDADITEXT", Variant(Text), options);
}

// ---- The designer's after-scroll handlers ------------------------------------------

void TDizaynAnaF::RxGrupAfterScroll(TDataSet*) {
  if (CascadesMayRun())
    RunGroupCascade(*this);
}

void TDizaynAnaF::RxTableAfterScroll(TDataSet*) {
  if (CascadesMayRun())
    RunTableCascade(*this);
}

void OpenPickerForm(TDizaynAnaF* Designer, TCustomForm& Picker) {
  if (Designer != nullptr && Designer->FormOpenHook)
    Designer->FormOpenHook(&Picker);
  TakeMainFormCaption(Picker);
}
