#include "classlib/data/dbtables.h"

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/fielddefs.h"

BEGIN_PUBLISHED(TDBDataSet)
  PROPERTY(DatabaseName, FDatabaseName, SetDatabaseName),
END_PUBLISHED

BEGIN_PUBLISHED(TTable)
  PROPERTY(Exclusive, Exclusive, Exclusive).Default(false),
  PROPERTY(IndexFieldNames, IndexFieldNames, IndexFieldNames),
  PROPERTY(IndexName, IndexName, IndexName),
  PROPERTY(MasterFields, MasterFields, MasterFields),
  PROPERTY(ReadOnly, ReadOnly, ReadOnly).Default(false),
  PROPERTY(TableName, TableName, TableName),
END_PUBLISHED

BEGIN_PUBLISHED(TQuery)
  PROPERTY(ParamCheck, ParamCheck, ParamCheck).Default(true),
  PROPERTY(RequestLive, RequestLive, RequestLive).Default(false),
  PROPERTY(SQL, SQL, SetSQL),
  PROPERTY(UniDirectional, UniDirectional, UniDirectional).Default(false),
END_PUBLISHED

// ---- TDBDataSet -------------------------------------------------------------

TDBDataSet::TDBDataSet(TComponent* AOwner) : TRxMemoryData(AOwner) {}

TDBDataSet::~TDBDataSet() {
  Destroying();
  Close();
  SetHostData(nullptr);
}

void TDBDataSet::SetDatabaseName(const AnsiString& Value) {
  CheckInactive();
  FDatabaseName = Value;
}

void TDBDataSet::SetHostData(TDataSet* Value) {
  if (Value == FHostData)
    return;
  if (FHostData != nullptr)
    FHostData->RemoveFreeNotification(this);
  FHostData = Value == this ? nullptr : Value;
  if (FHostData != nullptr)
    FHostData->FreeNotification(this);
}

void TDBDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TRxMemoryData::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FHostData) {
    FHostData = nullptr;
    if (!ComponentState().Contains(csDestroying))
      Close();
  }
}

void TDBDataSet::Loaded() {
  // Opening needs the host's data, which a layout being loaded cannot have
  // yet: keep the stored wish for the host instead of opening.
  FStreamedActiveWish = WasStreamedActive();
  ClearStreamedActive();
  TRxMemoryData::Loaded();
}

void TDBDataSet::InternalInitFieldDefs() {
  if (!DefaultFields()) {
    TRxMemoryData::InternalInitFieldDefs();
    return;
  }
  CopyFieldDefsOf(*FHostData, *FieldDefs());
}

void TDBDataSet::InternalOpen() {
  if (FHostData == nullptr || !FHostData->Active())
    DatabaseErrorFmt(dbconsts::SNoHostData, {Name().empty() ? ClassName() : Name()});
  TRxMemoryData::InternalOpen();
  AppendRecordsOf(FHostData);
}

// ---- TQuery -----------------------------------------------------------------

TQuery::TQuery(TComponent* AOwner)
    : TDBDataSet(AOwner), FSQL(std::make_unique<TStringList>()), FParams(std::make_unique<TParams>(this)) {
  FSQL->OnChange = TNotifyEvent([this](TObject* Sender) { SQLChanged(Sender); });
}

TQuery::~TQuery() {
  Destroying();
  Close();
  FSQL->OnChange = nullptr;
}

void TQuery::SQLChanged(TObject*) {
  if (Active())
    Close();
  if (!ParamCheck)
    return;
  TParams fresh;
  fresh.ParseSQL(FSQL->Text());
  for (int i = 0; i < fresh.Count(); ++i)
    if (TParam* old = FParams->FindParam(fresh.Items(i)->Name()))
      fresh.Items(i)->Assign(old);
  FParams->Assign(&fresh);
}

void TQuery::DefineProperties(TFiler& Filer) {
  TDBDataSet::DefineProperties(Filer);
  Filer.DefineProperty(
      "ParamData",
      [this](TReader& Reader) {
        Reader.CheckValue(vaCollection);
        Reader.ReadCollection(FParams.get());
      },
      [this](TWriter& Writer) {
        Writer.WriteValue(vaCollection);
        Writer.WriteCollection(FParams.get());
      },
      FParams->Count() > 0);
}
