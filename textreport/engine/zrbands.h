// Text report bands and controllers. A band is a strip of lines holding text
// labels; it belongs to a controller, a band that runs a data loop and
// decides which of its bands print at each step. The report is the
// outermost controller; a TZRSubDetail is a nested one that hangs under a
// band of its master. A controller keeps its bands in print order.
#pragma once
#include <vector>

#include "classlib/classes/persistent.h"
#include "classlib/data/dataset.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zreval.h"
#include "textreport/engine/zrcontrol.h"

class TZRCustomController;
class TZRVariable;

enum TZRBandType {
  zbtPageHeader, zbtHeader, zbtColumnHeader, zbtGroupHeader, zbtDetailHeader, zbtDetail, zbtDetailFooter,
  zbtGroupFooter, zbtColumnFooter, zbtFooter, zbtPageFooter, zbtChild, zbtController
};
DOZURI_ENUM(TZRBandType, "zbtPageHeader", "zbtHeader", "zbtColumnHeader", "zbtGroupHeader", "zbtDetailHeader",
            "zbtDetail", "zbtDetailFooter", "zbtGroupFooter", "zbtColumnFooter", "zbtFooter", "zbtPageFooter",
            "zbtChild", "zbtController");

// "PageHeader" ... "Child", "SubDetail": new bands' names and messages.
const char* BandTypeName(TZRBandType Kind);
bool IsHeaderKind(TZRBandType Kind);
bool IsFooterKind(TZRBandType Kind);
// The footer of a header kind and the header of a footer kind.
TZRBandType PairedKind(TZRBandType Kind);
bool CanHaveChildren(TZRBandType Kind);
bool CanStretch(TZRBandType Kind);

enum TZRForceKinds { zfkPageBefore, zfkPageAfter, zfkColumnBefore, zfkColumnAfter };
DOZURI_SET(TZRBandTypes, TZRBandType);

DOZURI_ENUM(TZRForceKinds, "zfkPageBefore", "zfkPageAfter", "zfkColumnBefore", "zfkColumnAfter");
DOZURI_SET(TZRForceKind, TZRForceKinds);

class TZRCustomBand : public TZReportControl {
  DECLARE_CLASS(TZRCustomBand, TZReportControl)

public:
  explicit TZRCustomBand(TComponent* AOwner);
  ~TZRCustomBand() override;

  bool IsBand() const override { return true; }
  TZRBandType BandType() const { return FBandType; }
  void SetBandType(TZRBandType Value);
  TZRBandType PrintType() const { return FPrintType; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  TZRForceKind ForceKind() const { return FForceKind; }
  void SetForceKind(TZRForceKind Value) { FForceKind = Value; }
  TZRCustomBand* ParentBand() const { return FParentBand; }
  TZRCustomBand* MasterBand() const { return FMasterBand; }
  TZRCustomController* Controller() const { return FController; }
  // Moves the band into another controller; a controller on the band's own
  // chain of controllers is refused.
  void SetController(TZRCustomController* Value);

  // The child band that continues this one, and the sub-detail under it.
  bool HasChild() const;
  void SetHasChild(bool Value);
  bool HasController() const;
  void SetHasController(bool Value);
  // The child band linked to this band and the sub-detail under it, or nullptr.
  TZRCustomBand* ChildBand() const;
  TZRCustomController* SubController() const;

  // The labels on the band: its window children that are no bands.
  std::vector<TZReportControl*> ChildControls() const;

  void Prepare() override;
  void Unprepare() override;
  void DoBeforePrint() override;
  void DoAfterPrint() override;
  void AlignContent() override;
  void Print(int X, int Y) override;

  void SetName(const AnsiString& NewName) override;
  void DefineProperties(TFiler& Filer) override;
  void Loaded() override;
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  TWinControl* WindowParentFor(TZReportControl* Logical) override;
  // The design view: a character grid and, except on the report, the kind.
  void PaintDesign() override;

private:
  friend class TZRCustomController;
  TZRCustomBand* LinkedBand(TZRBandType Kind, TZRCustomBand* TZRCustomBand::*Link) const;
  void SetLinked(bool Value, TZRBandType Kind, TZRCustomBand* TZRCustomBand::*Link, TZRStringId Refusal);

  TZRBandType FBandType = zbtChild;
  TZRBandType FPrintType = zbtChild;
  bool FStretch = false;
  TZRForceKind FForceKind;
  TZRCustomBand* FParentBand = nullptr;
  TZRCustomBand* FMasterBand = nullptr;
  TZRCustomController* FController = nullptr;
  int FGroupOrder = -1;
  int FParentIndex = -1;
  int FMasterIndex = -1;
};

class TZRBand : public TZRCustomBand {
  DECLARE_CLASS(TZRBand, TZRCustomBand)

public:
  explicit TZRBand(TComponent* AOwner) : TZRCustomBand(AOwner) {}
};

enum TZRDataRangeBegin { zrbFirst, zrbCurrent };
DOZURI_ENUM(TZRDataRangeBegin, "zrbFirst", "zrbCurrent");
enum TZRDataRangeEnd { zreLast, zreCurrent };
DOZURI_ENUM(TZRDataRangeEnd, "zreLast", "zreCurrent");

class TZRDataOptions : public TPersistent {
  DECLARE_CLASS(TZRDataOptions, TPersistent)

public:
  bool AutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool Value) { FAutoOpen = Value; }
  TZRDataRangeBegin RangeBegin() const { return FRangeBegin; }
  void SetRangeBegin(TZRDataRangeBegin Value) { FRangeBegin = Value; }
  TZRDataRangeEnd RangeEnd() const { return FRangeEnd; }
  void SetRangeEnd(TZRDataRangeEnd Value) { FRangeEnd = Value; }
  void Assign(TPersistent* Source) override;

private:
  bool FAutoOpen = false;
  TZRDataRangeBegin FRangeBegin = zrbFirst;
  TZRDataRangeEnd FRangeEnd = zreLast;
};

DOZURI_EVENT(TZRDataStartEvent, void(TZRCustomController* Sender, bool& HasData));
DOZURI_EVENT(TZRDataNextEvent, void(TZRCustomController* Sender, bool& MoreData));

// The controller's own variables as an element library, "zlController".
class TZRControllerLibrary : public TZRVariableLibrary {
  DECLARE_CLASS(TZRControllerLibrary, TZRVariableLibrary)

public:
  explicit TZRControllerLibrary(TZRElementCollection* Collection) : TZRVariableLibrary(Collection) {}
  void SetController(TZRCustomController* Controller) { FController = Controller; }
  int ElementCount() override;
  void ElementName(int Index, AnsiString& Name) override;
  using TZRElementLibrary::ElementName;
  int IndexOfElement(const AnsiString& Name) override;
  void Calculate(int Index, const TZRArguments* Arguments, Variant& Result) override;

private:
  TZRCustomController* FController = nullptr;
};

// The element collection of a controller: its own library first, then,
// for a nested controller, everything its master controller finds.
class TZRControllerCollection : public TZRElementCollection {
  DECLARE_CLASS(TZRControllerCollection, TZRElementCollection)

public:
  explicit TZRControllerCollection(TZRCustomController* Controller = nullptr) : FController(Controller) {}
  bool FindElement(const AnsiString& Name, TZRElementLibrary*& Library, int& Index) override;

private:
  TZRCustomController* FController;
};

class TZRCustomController : public TZRCustomBand {
  DECLARE_CLASS(TZRCustomController, TZRCustomBand)

public:
  explicit TZRCustomController(TComponent* AOwner);
  ~TZRCustomController() override;

  bool IsController() const override { return true; }

  const std::vector<TZRCustomBand*>& BandList() const { return FBandList; }
  const std::vector<TZRVariable*>& VariableList() const { return FVariableList; }
  // Groups are not part of this engine: the list stays empty.
  const std::vector<TComponent*>& GroupList() const { return FGroupList; }
  TZRControllerCollection& Collection() { return *FCollection; }
  TZRControllerLibrary& Library() { return *FLibrary; }

  // The first band of that kind; a sub-detail is its own detail band.
  TZRCustomBand* FindBand(TZRBandType Kind) const;

  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  bool PrintIfEmpty() const { return FPrintIfEmpty; }
  void SetPrintIfEmpty(bool Value) { FPrintIfEmpty = Value; }
  TZRDataOptions* DataOptions() const { return FDataOptions.get(); }
  void SetDataOptions(TZRDataOptions* Value) { FDataOptions->Assign(Value); }
  TZRDataStartEvent OnDataStart;
  TZRDataNextEvent OnDataNext;

  // Puts the band list into print order.
  void ArrangeBands();

  // The variables through a run, in list order: prepared with the
  // controller; cleared at the data start; after every move all marked
  // stale first, then each calculated (so a variable that reads another
  // never sees a value of the record before); the look-ahead steps them
  // back before a step prints and forward after it.
  // The controller's part of the run protocol: itself, its variables and
  // every band of its list; it prints as a detail band.
  void Prepare() override;
  void Unprepare() override;
  void PrepareVariables();
  void UnprepareVariables();
  void ResetVariables();
  void MoveVariables();
  void StepVariablesBack();
  void StepVariablesForward();

  // Run state the bands keep: the kinds printed in the current column (a
  // header owes its footer), whether a band printed since the last column
  // change, and whether a column change is running.
  TZRBandTypes PrintedBands;
  bool BandPrinted = false;
  // Records passed in this run, and the data set's record count at the data
  // start; the data loop keeps both.
  int RecordNumber = 0;
  int RecordCount = 0;
  // The record total that progress and system labels show: the data set's
  // count when it is open and knows one, else the records passed so far.
  int RecordTotal() const;
  bool InBeginColumn = false;
  bool InEndColumn = false;

  // The data loop (zrdataloop.cpp): looks one record ahead so the last
  // detail prints with the footers; every band goes through the report's
  // page flow. Nothing while the loop already runs or the controller is
  // disabled.
  void Execute();
  // The column change: the footers owed in the old column, the master's
  // change, then the repeating headers of the new one. The report starts
  // the new column or page itself.
  virtual void BeginColumn();
  virtual void EndColumn();
  // Before every step; the report sends its progress.
  virtual void UpdateProgress() {}
  // Lines to keep free for the footers still owed by this controller and
  // its masters, not counting Excluded.
  int FooterReserve(TZRCustomBand* Excluded);
  // The controller whose data loop runs this one (for a sub-detail), else nullptr.
  TZRCustomController* MasterController() const { return IsReport() ? nullptr : Controller(); }

  bool WasActive = false;
  AnsiString RangeBookmark;
  bool HasData = false;
  bool Executing = false;
  std::vector<TZRCustomBand*> PrintList;
  TZRBandTypes StepBands;
  TZRBandTypes NextBands;
  TZRBandTypes ListedBands;
  int ListHeight = 0;

  void SetName(const AnsiString& NewName) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  friend class TZRCustomBand;
  friend class TZRVariable;
  void AddBand(TZRCustomBand* Band);
  void RemoveBand(TZRCustomBand* Band);
  void AddVariable(TZRVariable* Variable);
  void RemoveVariable(TZRVariable* Variable);

  std::vector<TZRCustomBand*> FBandList;
  std::vector<TZRVariable*> FVariableList;
  std::vector<TComponent*> FGroupList;
  std::unique_ptr<TZRControllerCollection> FCollection;
  TZRControllerLibrary* FLibrary = nullptr;
  TDataSet* FDataSet = nullptr;
  bool FPrintIfEmpty = false;
  std::unique_ptr<TZRDataOptions> FDataOptions;
};

// The band switches of a controller: each reads whether the controller has
// a band of that kind; switching on creates one, off frees it.
class TZRBands : public TPersistent {
  DECLARE_CLASS(TZRBands, TPersistent)

public:
  explicit TZRBands(TZRCustomController* Controller = nullptr) : FController(Controller) {}
  bool Has(TZRBandType Kind) const;
  void SetHas(TZRBandType Kind, bool Value);

  template <TZRBandType K>
  bool GetHas() const { return Has(K); }
  template <TZRBandType K>
  void PutHas(bool Value) { SetHas(K, Value); }

private:
  TZRCustomController* FController;
};

class TZReportBands : public TZRBands {
  DECLARE_CLASS(TZReportBands, TZRBands)

public:
  using TZRBands::TZRBands;
};

class TZRSubDetailBands : public TZRBands {
  DECLARE_CLASS(TZRSubDetailBands, TZRBands)

public:
  using TZRBands::TZRBands;
};

class TZRSubDetail : public TZRCustomController {
  DECLARE_CLASS(TZRSubDetail, TZRCustomController)

public:
  explicit TZRSubDetail(TComponent* AOwner);
  TZRSubDetailBands* Bands() const { return FBands.get(); }
  void SetBands(TZRSubDetailBands*) {}

private:
  std::unique_ptr<TZRSubDetailBands> FBands;
};

// Creates a band of that kind in the controller, owned by the controller's
// owner and named after the controller and the kind ("ZReport1Detail", then
// "ZReport1Detail0" ...).
TZRCustomBand* CreateBand(TZRCustomController* Controller, TZRBandType Kind);
