// TTable and TQuery: the data-set components that layouts stream.
//
// There is no database engine behind them. Their host program supplies the
// records: SetHostData names a data set whose structure and records they
// take when they open (the query's SQL and Params tell the host what is
// asked for). Opening one without host data raises EDatabaseError; a layout
// that stored Active = True keeps the wish in StreamedActive() instead of
// failing while it loads.
#pragma once
#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/data/params.h"
#include "classlib/data/rxmemorydata.h"

class TDBDataSet : public TRxMemoryData {
  DECLARE_CLASS(TDBDataSet, TRxMemoryData)

public:
  explicit TDBDataSet(TComponent* AOwner);
  ~TDBDataSet() override;

  const AnsiString& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const AnsiString& Value);
  // The data set whose structure and records this one shows when it opens.
  TDataSet* HostData() const { return FHostData; }
  void SetHostData(TDataSet* Value);
  // Active as a loaded layout asked for it.
  bool StreamedActive() const { return FStreamedActiveWish; }
  void Loaded() override;

protected:
  void InternalOpen() override;
  void InternalInitFieldDefs() override;
  // The host supplies the columns each time.
  bool IsFieldDefsStored() const override { return false; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  AnsiString FDatabaseName;
  TDataSet* FHostData = nullptr;
  bool FStreamedActiveWish = false;
};

class TTable : public TDBDataSet {
  DECLARE_CLASS(TTable, TDBDataSet)

public:
  explicit TTable(TComponent* AOwner) : TDBDataSet(AOwner) {}

  AnsiString TableName;
  AnsiString IndexName;
  AnsiString IndexFieldNames;
  AnsiString MasterFields;
  bool ReadOnly = false;
  bool Exclusive = false;

protected:
  bool GetCanModify() const override { return !ReadOnly; }
};

class TQuery : public TDBDataSet {
  DECLARE_CLASS(TQuery, TDBDataSet)

public:
  explicit TQuery(TComponent* AOwner);
  ~TQuery() override;

  // The statement; changing it rebuilds Params from its ":NAME" markers,
  // keeping the values of parameters that stay.
  TStringList* SQL() const { return FSQL.get(); }
  void SetSQL(TStringList* Value) { FSQL->Assign(Value); }
  TParams* Params() const { return FParams.get(); }
  void SetParams(TParams* Value) { FParams->Assign(Value); }
  TParam* ParamByName(const AnsiString& Name) const { return FParams->ParamByName(Name); }
  int ParamCount() const { return FParams->Count(); }
  bool ParamCheck = true;
  bool RequestLive = false;
  bool UniDirectional = false;

  // The parameters stream as "ParamData", a collection.
  void DefineProperties(TFiler& Filer) override;

protected:
  bool GetCanModify() const override { return RequestLive; }

private:
  void SQLChanged(TObject* Sender);

  std::unique_ptr<TStringList> FSQL;
  std::unique_ptr<TParams> FParams;
};
