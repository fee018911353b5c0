#include "datatestutil.h"

#include "classlib/data/fielddefs.h"

void TableFixture::SetUp() {
  Owner = std::make_unique<TComponent>(nullptr);
  Table = new TRxMemoryData(Owner.get());
  Table->SetName("Table");
  Table->FieldDefs()->Add("NAME", ftString, 20);
  Table->FieldDefs()->Add("AGE", ftInteger);
  Source = new TDataSource(Owner.get());
  Source->SetDataSet(Table);
  Link = std::make_unique<TLoggingLink>(Log);
  Link->SetDataSource(Source);
  auto log = [this](const char* name) {
    return TDataSetNotifyEvent([this, name](TDataSet*) {
      if (logging_)
        Log.push_back(name);
    });
  };
  Table->BeforeOpen = log("BeforeOpen");
  Table->AfterOpen = log("AfterOpen");
  Table->BeforeClose = log("BeforeClose");
  Table->AfterClose = log("AfterClose");
  Table->BeforeInsert = log("BeforeInsert");
  Table->AfterInsert = log("AfterInsert");
  Table->BeforeEdit = log("BeforeEdit");
  Table->AfterEdit = log("AfterEdit");
  Table->BeforePost = log("BeforePost");
  Table->AfterPost = log("AfterPost");
  Table->BeforeCancel = log("BeforeCancel");
  Table->AfterCancel = log("AfterCancel");
  Table->BeforeDelete = log("BeforeDelete");
  Table->AfterDelete = log("AfterDelete");
  Table->BeforeScroll = log("BeforeScroll");
  Table->AfterScroll = log("AfterScroll");
  Table->OnNewRecord = log("OnNewRecord");
}

void TableFixture::TearDown() {
  Link.reset();
  Owner.reset();
}

void TableFixture::AddRows(const std::vector<std::pair<std::string, int>>& rows) {
  bool was = logging_;
  logging_ = false;
  for (const auto& [name, age] : rows) {
    Table->Append();
    Table->FieldByName("NAME")->SetAsString(name);
    Table->FieldByName("AGE")->SetAsInteger(age);
    Table->Post();
  }
  logging_ = was;
}

std::vector<std::string> TableFixture::Names() {
  bool was = logging_;
  logging_ = false;
  const size_t mark = Log.size();
  std::vector<std::string> names;
  TBookmark here = Table->GetBookmark();
  Table->DisableControls();
  for (Table->First(); !Table->Eof(); Table->Next())
    names.push_back(Table->FieldByName("NAME")->AsString());
  if (here != nullptr && Table->BookmarkValid(here))
    Table->GotoBookmark(here);
  Table->FreeBookmark(here);
  Table->EnableControls();
  Log.resize(mark);
  logging_ = was;
  return names;
}
