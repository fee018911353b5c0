#include "tests/support/barcode_components/labeltable.h"

#include "classlib/data/datasource.h"
#include "classlib/data/dbregister.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"

namespace {
TRxMemoryData* Table(TComponent* table) { return static_cast<TRxMemoryData*>(table); }
}  // namespace

TLabelTable::TLabelTable(TComponent* owner, const std::vector<std::string>& codes) {
  auto* table = new TRxMemoryData(owner);
  table->SetName("Etiket");
  table->FieldDefs()->Add("METIN1", ftString, 200);
  table->Open();
  for (const std::string& code : codes) {
    table->Append();
    table->FieldByName("METIN1")->SetAsString(code);
    table->Post();
  }
  table->First();
  auto* source = new TDataSource(owner);
  source->SetName("EtiketSource");
  source->SetDataSet(table);
  table_ = table;
  source_ = source;
}

void TLabelTable::First() { Table(table_)->First(); }
void TLabelTable::Next() { Table(table_)->Next(); }
void TLabelTable::Last() { Table(table_)->Last(); }
void TLabelTable::Close() { Table(table_)->Close(); }

void TLabelTable::EditCode(const std::string& code) {
  Table(table_)->Edit();
  Table(table_)->FieldByName("METIN1")->SetAsString(code);
}

void TLabelTable::Post() { Table(table_)->Post(); }

void TLabelTable::FreeTable() {
  table_->Free();
  table_ = nullptr;
}

void TLabelTable::FreeSource() {
  source_->Free();
  source_ = nullptr;
}

void TLabelTable::RegisterClasses() { RegisterDataClasses(); }

bool TLabelTable::IsDataSource(TComponent* component) { return dynamic_cast<TDataSource*>(component) != nullptr; }
