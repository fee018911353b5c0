#include "textreport/engine/zrbands.h"

#include <algorithm>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/forms/dialogs.h"
#include "classlib/system/strutils.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrutils.h"
#include "textreport/engine/zrvariables.h"

namespace {

const char* const BandNames[] = {"PageHeader",   "Header",      "ColumnHeader", "GroupHeader", "DetailHeader",
                                 "Detail",       "DetailFooter", "GroupFooter", "ColumnFooter", "Footer",
                                 "PageFooter",   "Child",        "SubDetail"};

const TColor BandColor = static_cast<TColor>(0xE0FCE0);  // RGB(224, 252, 224)

bool Loading(const TComponent& c) { return c.ComponentState().Contains(csLoading); }

}  // namespace

const char* BandTypeName(TZRBandType Kind) { return BandNames[Kind]; }
bool IsHeaderKind(TZRBandType Kind) { return Kind <= zbtDetailHeader; }
bool IsFooterKind(TZRBandType Kind) { return Kind >= zbtDetailFooter && Kind <= zbtPageFooter; }
TZRBandType PairedKind(TZRBandType Kind) { return static_cast<TZRBandType>(10 - Kind); }

bool CanHaveChildren(TZRBandType Kind) {
  return Kind != zbtPageHeader && Kind != zbtDetailFooter && Kind != zbtColumnFooter && Kind != zbtPageFooter;
}

bool CanStretch(TZRBandType Kind) {
  return Kind != zbtDetailFooter && Kind != zbtColumnFooter && Kind != zbtPageFooter;
}

// ---- TZRCustomBand ------------------------------------------------------------------------
IMPLEMENT_CLASS(TZRCustomBand)

TZRCustomBand::TZRCustomBand(TComponent* AOwner) : TZReportControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetColor(BandColor);
  ApplyCharBounds(3, 2);
}

TZRCustomBand::~TZRCustomBand() {
  SetController(nullptr);
}

void TZRCustomBand::SetBandType(TZRBandType Value) {
  if (FBandType == Value)
    return;
  FBandType = Value;
  if (FController != nullptr && !Loading(*this))
    FController->ArrangeBands();
}

void TZRCustomBand::SetStretch(bool Value) {
  if (Value && !CanStretch(FBandType))
    RaiseZRError(SZRBandCannotStretch, {BandTypeName(FBandType)});
  FStretch = Value;
}

namespace {

// Whether Candidate lies on the chain of controllers Band hangs under.
bool OnOwnChain(const TZRCustomBand* Band, const TZRCustomController* Candidate) {
  for (const TZRCustomBand* b = Candidate; b != nullptr; b = b->Controller())
    if (b == Band)
      return true;
  return false;
}

}  // namespace

void TZRCustomBand::SetController(TZRCustomController* Value) {
  if (FController == Value)
    return;
  if (Value != nullptr && OnOwnChain(this, Value)) {
    if (Designing())
      RaiseZRError(SZRCircularLinks);
    return;
  }
  if (FController != nullptr) {
    FController->RemoveFreeNotification(this);
    FController->RemoveBand(this);
    NotifyReport(zsnLeft);
  }
  FController = Value;
  if (Value != nullptr) {
    Value->FreeNotification(this);
    Value->AddBand(this);
    NotifyReport(zsnJoined);
  }
}

TWinControl* TZRCustomBand::WindowParentFor(TZReportControl* Logical) {
  if (Logical->IsController() && !Logical->IsReport() && Logical->Report() != nullptr)
    return Logical->Report();
  return Logical;
}

void TZRCustomBand::SetParent(TWinControl* AParent) {
  auto* controller = dynamic_cast<TZRCustomController*>(AParent);
  if (controller != nullptr && OnOwnChain(this, controller)) {
    if (Designing())
      RaiseZRError(SZRCircularLinks);
    return;
  }
  TZReportControl::SetParent(AParent);
  if (AParent == nullptr || controller != nullptr)
    SetController(controller);
}

TComponent* TZRCustomBand::GetParentComponent() {
  if (IsReport())
    return TZReportControl::GetParentComponent();
  return FController;
}

void TZRCustomBand::SetParentComponent(TComponent* Value) {
  if (auto* control = dynamic_cast<TWinControl*>(Value))
    SetParent(control);
}

void TZRCustomBand::Notification(TComponent* AComponent, TOperation Operation) {
  TZReportControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FController)
    FController = nullptr;
  if (AComponent == FParentBand)
    FParentBand = nullptr;
  if (AComponent == FMasterBand)
    FMasterBand = nullptr;
}

TZRCustomBand* TZRCustomBand::LinkedBand(TZRBandType Kind, TZRCustomBand* TZRCustomBand::*Link) const {
  if (FController == nullptr)
    return nullptr;
  for (TZRCustomBand* band : FController->BandList())
    if (band->FBandType == Kind && band->*Link == this)
      return band;
  return nullptr;
}

bool TZRCustomBand::HasChild() const { return LinkedBand(zbtChild, &TZRCustomBand::FParentBand) != nullptr; }
bool TZRCustomBand::HasController() const {
  return LinkedBand(zbtController, &TZRCustomBand::FMasterBand) != nullptr;
}

TZRCustomBand* TZRCustomBand::ChildBand() const { return LinkedBand(zbtChild, &TZRCustomBand::FParentBand); }
TZRCustomController* TZRCustomBand::SubController() const {
  return static_cast<TZRCustomController*>(LinkedBand(zbtController, &TZRCustomBand::FMasterBand));
}

void TZRCustomBand::SetLinked(bool Value, TZRBandType Kind, TZRCustomBand* TZRCustomBand::*Link,
                              TZRStringId Refusal) {
  TZRCustomBand* linked = LinkedBand(Kind, Link);
  if (Value == (linked != nullptr))
    return;
  if (!Value) {
    linked->Free();
    return;
  }
  if (FController == nullptr)
    return;
  if (!CanHaveChildren(FBandType))
    RaiseZRError(Refusal, {BandTypeName(FBandType)});
  TZRCustomBand* band = CreateBand(FController, Kind);
  band->*Link = this;
  FreeNotification(band);
  band->NotifyReport(zsnLinkSet);
  FController->ArrangeBands();
}

void TZRCustomBand::SetHasChild(bool Value) {
  SetLinked(Value, zbtChild, &TZRCustomBand::FParentBand, SZRBandNoChildren);
}

void TZRCustomBand::SetHasController(bool Value) {
  SetLinked(Value, zbtController, &TZRCustomBand::FMasterBand, SZRBandNoSubcontrollers);
}

std::vector<TZReportControl*> TZRCustomBand::ChildControls() const {
  std::vector<TZReportControl*> children;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* control = dynamic_cast<TZReportControl*>(Controls(i)); control != nullptr && !control->IsBand())
      children.push_back(control);
  return children;
}

// A renamed band takes its labels' names along: "Band1Label" becomes
// "Band2Label".
void TZRCustomBand::SetName(const AnsiString& NewName) {
  const AnsiString old = Name();
  TZReportControl::SetName(NewName);
  if (!Designing() || Loading(*this) || old.empty() || old == NewName)
    return;
  for (TZReportControl* child : ChildControls())
    ReplaceNamePrefix(child, old, NewName);
}

// ---- Design view --------------------------------------------------------------------------
void TZRCustomBand::PaintDesign() {
  TZReportControl::PaintDesign();
  if (Report() == nullptr || Report()->IsMinimized())
    return;
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  const TZRCharMetrics cell = GetCharMetrics();
  const TColor grid = IsReport() ? clBtnFace : clBtnShadow;
  canvas.Pen().SetColor(grid);
  canvas.Pen().SetWidth(1);
  for (int x = 0; x < client.right; x += cell.Width) {
    canvas.MoveTo(x, client.top);
    canvas.LineTo(x, client.bottom);
  }
  for (int y = 0; y < client.bottom; y += cell.Height) {
    canvas.MoveTo(client.left, y);
    canvas.LineTo(client.right, y);
  }
  // A dot in the middle of every fifth column helps to count characters.
  for (int column = 5; column * cell.Width < client.right; column += 5)
    for (int y = cell.Height / 2; y < client.bottom; y += cell.Height)
      canvas.SetPixel(column * cell.Width - cell.Width / 2, y, clWindowText);
  if (IsReport())
    return;
  canvas.Font().SetName("Small Fonts");
  canvas.Font().SetSize(6);
  canvas.Font().SetColor(clWindowText);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(2, client.bottom - (canvas.TextHeight("W") + 4), BandTypeName(FBandType));
}

// ---- Band streaming -----------------------------------------------------------------------
namespace {

TZRBandType ReadBandType(TReader& Reader) {
  const AnsiString name = Reader.ReadIdent();
  const int value = GetEnumValue(dozuri::TypeInfoOf<TZRBandType>(), name);
  if (value < 0 || value > zbtController)
    throw EReadError("Invalid band type: " + name);
  return static_cast<TZRBandType>(value);
}

}  // namespace

void TZRCustomBand::DefineProperties(TFiler& Filer) {
  TZReportControl::DefineProperties(Filer);
  auto indexIn = [this](TZRCustomBand* band) -> int {
    if (band == nullptr || FController == nullptr)
      return -1;
    const auto& list = FController->BandList();
    auto it = std::find(list.begin(), list.end(), band);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
  };
  Filer.DefineProperty(
      "BandType", [this](TReader& r) { FBandType = ReadBandType(r); },
      [this](TWriter& w) { w.WriteIdent(GetEnumName(dozuri::TypeInfoOf<TZRBandType>(), FBandType)); },
      !IsController());
  // Groups are not part of this engine: an index read is kept, none written.
  Filer.DefineProperty(
      "GroupOrder", [this](TReader& r) { FGroupOrder = r.ReadInteger(); }, [](TWriter&) {}, false);
  Filer.DefineProperty(
      "ParentIndex", [this](TReader& r) { FParentIndex = r.ReadInteger(); },
      [this, indexIn](TWriter& w) { w.WriteInteger(indexIn(FParentBand)); }, indexIn(FParentBand) >= 0);
  Filer.DefineProperty(
      "MasterIndex", [this](TReader& r) { FMasterIndex = r.ReadInteger(); },
      [this, indexIn](TWriter& w) { w.WriteInteger(indexIn(FMasterBand)); }, indexIn(FMasterBand) >= 0);
}

void TZRCustomBand::Loaded() {
  TZReportControl::Loaded();
  if (FController == nullptr)
    return;
  const auto& list = FController->BandList();
  auto at = [&list](int index) -> TZRCustomBand* {
    return index >= 0 && index < static_cast<int>(list.size()) ? list[index] : nullptr;
  };
  if (TZRCustomBand* parent = at(FParentIndex); parent != nullptr && parent != this) {
    FParentBand = parent;
    parent->FreeNotification(this);
  }
  if (TZRCustomBand* master = at(FMasterIndex); master != nullptr && master != this) {
    FMasterBand = master;
    master->FreeNotification(this);
  }
}

// ---- Band run protocol --------------------------------------------------------------------
void TZRCustomBand::Prepare() {
  TZReportControl::Prepare();
  for (TZReportControl* child : ChildControls())
    child->Prepare();
  FPrintType = IsController() ? zbtDetail : FBandType;
}

void TZRCustomBand::Unprepare() {
  for (TZReportControl* child : ChildControls())
    child->Unprepare();
  TZReportControl::Unprepare();
}

void TZRCustomBand::DoBeforePrint() {
  TZReportControl::DoBeforePrint();
  if (!PrintFlag())
    return;
  for (TZReportControl* child : ChildControls())
    child->DoBeforePrint();
  ApplyPixelBounds();
}

void TZRCustomBand::AlignContent() {
  TZReportControl::AlignContent();
  if (!Printing()) {
    for (TZReportControl* child : ChildControls())
      child->ApplyPixelBounds();
    return;
  }
  if (!PrintFlag())
    return;
  for (TZReportControl* child : ChildControls())
    if (child->PrintFlag())
      child->UpdateLayout();
  if (FStretch)
    for (TZReportControl* child : ChildControls())
      if (child->PrintFlag())
        child->AlignContent();
  if (!CanStretch(FBandType) && Height() != DesignHeight())
    RaiseZRError(SZRBandCannotStretch, {BandTypeName(FBandType)});
}

void TZRCustomBand::DoAfterPrint() {
  TZReportControl::DoAfterPrint();
  if (!PrintFlag())
    return;
  for (TZReportControl* child : ChildControls())
    child->DoAfterPrint();
}

void TZRCustomBand::Print(int X, int Y) {
  if (FController != nullptr) {
    FController->PrintedBands = FController->PrintedBands + TZRBandTypes{FPrintType};
    FController->BandPrinted = !(FController->InBeginColumn || FController->InEndColumn);
    if (IsFooterKind(FPrintType) || IsHeaderKind(FPrintType))
      FController->PrintedBands = FController->PrintedBands - TZRBandTypes{PairedKind(FPrintType)};
  }
  for (TZReportControl* child : ChildControls()) {
    if (!child->PrintFlag())
      continue;
    try {
      child->Print(X, Y);
    } catch (...) {
      child->ClearPrintFlag();
      throw;
    }
  }
  TZReportControl::Print(X, Y);
}

// ---- TZRDataOptions -----------------------------------------------------------------------
BEGIN_PUBLISHED(TZRDataOptions)
  PROPERTY(AutoOpen, AutoOpen, SetAutoOpen).Default(false),
  PROPERTY(RangeBegin, RangeBegin, SetRangeBegin).Default(zrbFirst),
  PROPERTY(RangeEnd, RangeEnd, SetRangeEnd).Default(zreLast),
END_PUBLISHED

void TZRDataOptions::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TZRDataOptions*>(Source)) {
    FAutoOpen = other->FAutoOpen;
    FRangeBegin = other->FRangeBegin;
    FRangeEnd = other->FRangeEnd;
    return;
  }
  TPersistent::Assign(Source);
}

// ---- The controller's variables as a library ----------------------------------------------
IMPLEMENT_CLASS(TZRControllerLibrary)

int TZRControllerLibrary::ElementCount() {
  return FController != nullptr ? static_cast<int>(FController->VariableList().size()) : 0;
}

void TZRControllerLibrary::ElementName(int Index, AnsiString& Name) {
  TZRVariable* variable = FController->VariableList().at(Index);
  auto* field = dynamic_cast<TZRField*>(variable);
  if (field != nullptr && field->DataSet() != nullptr && !field->DataField().empty())
    Name = field->DataSet()->Name() + "." + field->DataField();
  else
    Name = variable->Name();
}

int TZRControllerLibrary::IndexOfElement(const AnsiString& Name) {
  if (FController == nullptr)
    return -1;
  const AnsiString wanted = AnsiUpperCase(Name);
  const auto& variables = FController->VariableList();
  for (size_t i = 0; i < variables.size(); ++i) {
    if (AnsiUpperCase(variables[i]->Name()) == wanted)
      return static_cast<int>(i);
    auto* field = dynamic_cast<TZRField*>(variables[i]);
    if (field == nullptr)
      continue;
    if (AnsiUpperCase(field->DataField()) == wanted)
      return static_cast<int>(i);
    if (field->DataSet() != nullptr &&
        AnsiUpperCase(field->DataSet()->Name() + "." + field->DataField()) == wanted)
      return static_cast<int>(i);
  }
  return -1;
}

void TZRControllerLibrary::Calculate(int Index, const TZRArguments*, Variant& Result) {
  Result = FController->VariableList().at(Index)->GetValue();
}

// ---- TZRCustomController ------------------------------------------------------------------
IMPLEMENT_CLASS(TZRCustomController)
IMPLEMENT_CLASS(TZRControllerCollection)

bool TZRControllerCollection::FindElement(const AnsiString& Name, TZRElementLibrary*& Library, int& Index) {
  if (TZRElementCollection::FindElement(Name, Library, Index))
    return true;
  if (FController == nullptr || FController->IsReport() || FController->Controller() == nullptr)
    return false;
  return FController->Controller()->Collection().FindElementEverywhere(Name, Library, Index);
}

TZRCustomController::TZRCustomController(TComponent* AOwner)
    : TZRCustomBand(AOwner), FCollection(std::make_unique<TZRControllerCollection>(this)),
      FDataOptions(std::make_unique<TZRDataOptions>()) {
  SetColor(clBtnFace);
  SetBandType(zbtController);
  FLibrary = static_cast<TZRControllerLibrary*>(
      FCollection->AddLibrary(CreateLibrary<TZRControllerLibrary>, "zlController", "", ""));
  FLibrary->SetController(this);
}

// Bands and variables go first, last to first, while the controller can
// still answer them.
TZRCustomController::~TZRCustomController() {
  while (!FVariableList.empty())
    FVariableList.back()->Free();
  while (!FBandList.empty())
    FBandList.back()->Free();
  FLibrary->SetController(nullptr);
}

void TZRCustomController::SetName(const AnsiString& NewName) {
  const AnsiString old = Name();
  TZRCustomBand::SetName(NewName);
  FLibrary->LibraryName = NewName;
  FLibrary->Description = Format(LoadZRString(SZRControllerVariables), {NewName});
  if (!Designing() || Loading(*this) || old.empty() || old == NewName)
    return;
  for (TZRVariable* variable : FVariableList)
    ReplaceNamePrefix(variable, old, NewName);
  for (TZRCustomBand* band : std::vector<TZRCustomBand*>(FBandList))
    ReplaceNamePrefix(band, old, NewName);
}

TZRCustomBand* TZRCustomController::FindBand(TZRBandType Kind) const {
  if (Kind == zbtDetail && !IsReport())
    return const_cast<TZRCustomController*>(this);
  for (TZRCustomBand* band : FBandList)
    if (band->BandType() == Kind)
      return band;
  return nullptr;
}

void TZRCustomController::SetDataSet(TDataSet* Value) {
  if (FDataSet == Value)
    return;
  TDataSet* old = FDataSet;
  if (old != nullptr)
    old->RemoveFreeNotification(this);
  FDataSet = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
  if (Designing())
    for (TZRVariable* variable : FVariableList)
      if (auto* field = dynamic_cast<TZRField*>(variable); field != nullptr && field->DataSet() == old)
        field->SetDataSet(Value);
  NotifyReport(zsnDataSetChanged);
}

void TZRCustomController::Notification(TComponent* AComponent, TOperation Operation) {
  TZRCustomBand::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet)
    FDataSet = nullptr;
}

void TZRCustomController::AddBand(TZRCustomBand* Band) {
  FBandList.push_back(Band);
  ArrangeBands();
}

void TZRCustomController::RemoveBand(TZRCustomBand* Band) {
  FBandList.erase(std::remove(FBandList.begin(), FBandList.end(), Band), FBandList.end());
  for (TZRCustomBand* band : FBandList) {
    if (band->FParentBand == Band)
      band->FParentBand = nullptr;
    if (band->FMasterBand == Band)
      band->FMasterBand = nullptr;
  }
  // Bands that hung under the one that left lose their place beside it.
  ArrangeBands();
}

void TZRCustomController::AddVariable(TZRVariable* Variable) { FVariableList.push_back(Variable); }

void TZRCustomController::RemoveVariable(TZRVariable* Variable) {
  FVariableList.erase(std::remove(FVariableList.begin(), FVariableList.end(), Variable), FVariableList.end());
}

// The data set's state at the start is kept so the run can leave it as it
// found it: closed again with AutoOpen, and the record it stood on as the
// end of a range that ends at the current record.
void TZRCustomController::Prepare() {
  TZRCustomBand::Prepare();
  PrintedBands = TZRBandTypes{};
  StepBands = TZRBandTypes{};
  NextBands = TZRBandTypes{};
  ListedBands = TZRBandTypes{};
  PrintList.clear();
  ListHeight = 0;
  BandPrinted = false;
  Executing = false;
  WasActive = false;
  RangeBookmark.clear();
  if (FDataSet != nullptr) {
    WasActive = FDataSet->Active();
    if (FDataOptions->AutoOpen())
      FDataSet->Open();
    if (FDataSet->Active() && WasActive)
      RangeBookmark = FDataSet->Bookmark();
  }
  PrepareVariables();
  for (TZRCustomBand* band : FBandList)
    band->Prepare();
  InBeginColumn = false;
  InEndColumn = false;
}

void TZRCustomController::Unprepare() {
  UnprepareVariables();
  for (TZRCustomBand* band : FBandList)
    band->Unprepare();
  if (FDataSet != nullptr && FDataOptions->AutoOpen())
    FDataSet->SetActive(WasActive);
  PrintList.clear();
  TZRCustomBand::Unprepare();
}

int TZRCustomController::RecordTotal() const {
  if (FDataSet != nullptr && FDataSet->Active() && RecordCount > 0)
    return RecordCount;
  return RecordNumber;
}

// ---- Variables through a run --------------------------------------------------------------
void TZRCustomController::PrepareVariables() {
  for (TZRVariable* variable : FVariableList)
    variable->Prepare();
}

void TZRCustomController::UnprepareVariables() {
  for (TZRVariable* variable : FVariableList)
    variable->Unprepare();
}

void TZRCustomController::ResetVariables() {
  for (TZRVariable* variable : FVariableList)
    variable->ResetValue();
}

void TZRCustomController::MoveVariables() {
  for (TZRVariable* variable : FVariableList)
    variable->MarkStale();
  for (TZRVariable* variable : FVariableList)
    variable->Calculate();
}

void TZRCustomController::StepVariablesBack() {
  for (TZRVariable* variable : FVariableList)
    variable->StepBack();
}

void TZRCustomController::StepVariablesForward() {
  for (TZRVariable* variable : FVariableList)
    variable->StepForward();
}

// Print order: page header, header, column header, detail header, detail,
// detail footer, column footer, footer, page footer, each band followed at
// once by the bands linked to it (its child, then its sub-detail).
void TZRCustomController::ArrangeBands() {
  if (Loading(*this) || ComponentState().Contains(csDestroying))
    return;
  std::vector<TZRCustomBand*> ordered;
  std::function<void(TZRCustomBand*)> place = [&](TZRCustomBand* band) {
    if (std::find(ordered.begin(), ordered.end(), band) != ordered.end())
      return;
    ordered.push_back(band);
    for (TZRBandType linkKind : {zbtChild, zbtController})
      for (TZRCustomBand* linked : FBandList)
        if (linked->BandType() == linkKind &&
            (linkKind == zbtChild ? linked->FParentBand : linked->FMasterBand) == band)
          place(linked);
  };
  for (int kind = zbtPageHeader; kind <= zbtPageFooter; ++kind)
    for (TZRCustomBand* band : FBandList)
      if (band->BandType() == kind)
        place(band);
  for (TZRCustomBand* band : FBandList)
    place(band);
  FBandList = ordered;
  NotifyReport(zsnBandsReordered);
}

// Streamed inside a controller: its variables, its labels, its bands.
void TZRCustomController::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TZRVariable* variable : FVariableList)
    if (variable->Owner() == Root)
      Proc(variable);
  for (TZReportControl* child : ChildControls())
    if (child->Owner() == Root)
      Proc(child);
  for (TZRCustomBand* band : FBandList)
    if (band->Owner() == Root)
      Proc(band);
}

void TZRCustomController::Loaded() {
  TZRCustomBand::Loaded();
  ArrangeBands();
}

// ---- Band switches ------------------------------------------------------------------------
IMPLEMENT_CLASS(TZRBands)

bool TZRBands::Has(TZRBandType Kind) const {
  if (FController == nullptr)
    return false;
  for (TZRCustomBand* band : FController->BandList())
    if (band->BandType() == Kind)
      return true;
  return false;
}

void TZRBands::SetHas(TZRBandType Kind, bool Value) {
  if (FController == nullptr || Has(Kind) == Value)
    return;
  if (Value) {
    CreateBand(FController, Kind);
    return;
  }
  TZRCustomBand* band = nullptr;
  for (TZRCustomBand* b : FController->BandList())
    if (b->BandType() == Kind && band == nullptr)
      band = b;
  if (FController->Designing() && !band->ChildControls().empty() &&
      MessageDlg(Format(LoadZRString(SZRDeleteBandQuestion), {band->Name()}), mtConfirmation,
                 TMsgDlgButtons{mbOK, mbAbort}, 0) != mrOk)
    return;
  band->Free();
}

#define BAND_SWITCH(Name, Kind) PROPERTY(Name, GetHas<Kind>, PutHas<Kind>).Stored(false)

BEGIN_PUBLISHED(TZReportBands)
  BAND_SWITCH(HasPageHeader, zbtPageHeader),
  BAND_SWITCH(HasHeader, zbtHeader),
  BAND_SWITCH(HasColumnHeader, zbtColumnHeader),
  BAND_SWITCH(HasDetailHeader, zbtDetailHeader),
  BAND_SWITCH(HasDetail, zbtDetail),
  BAND_SWITCH(HasDetailFooter, zbtDetailFooter),
  BAND_SWITCH(HasColumnFooter, zbtColumnFooter),
  BAND_SWITCH(HasFooter, zbtFooter),
  BAND_SWITCH(HasPageFooter, zbtPageFooter),
END_PUBLISHED

BEGIN_PUBLISHED(TZRSubDetailBands)
  BAND_SWITCH(HasHeader, zbtHeader),
  BAND_SWITCH(HasColumnHeader, zbtColumnHeader),
  BAND_SWITCH(HasDetailHeader, zbtDetailHeader),
  BAND_SWITCH(HasDetailFooter, zbtDetailFooter),
  BAND_SWITCH(HasColumnFooter, zbtColumnFooter),
  BAND_SWITCH(HasFooter, zbtFooter),
END_PUBLISHED

// ---- TZRBand and TZRSubDetail -------------------------------------------------------------
BEGIN_PUBLISHED(TZRBand)
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ForceKind, ForceKind, SetForceKind).Default(TZRForceKind{}),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY(HasChild, HasChild, SetHasChild).Stored(false),
  PROPERTY(HasController, HasController, SetHasController).Stored(false),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

BEGIN_PUBLISHED(TZRSubDetail)
  PROPERTY(Bands, Bands, SetBands),
  PROPERTY(DataOptions, DataOptions, SetDataOptions),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ForceKind, ForceKind, SetForceKind).Default(TZRForceKind{}),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY(HasChild, HasChild, SetHasChild).Stored(false),
  PROPERTY(HasController, HasController, SetHasController).Stored(false),
  PROPERTY(PrintIfEmpty, PrintIfEmpty, SetPrintIfEmpty).Default(false),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnDataStart, OnDataStart, OnDataStart),
  PROPERTY(OnDataNext, OnDataNext, OnDataNext),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
END_PUBLISHED

TZRSubDetail::TZRSubDetail(TComponent* AOwner)
    : TZRCustomController(AOwner), FBands(std::make_unique<TZRSubDetailBands>(this)) {}

TZRCustomBand* CreateBand(TZRCustomController* Controller, TZRBandType Kind) {
  TComponent* owner = Controller->Owner();
  TZRCustomBand* band = Kind == zbtController ? static_cast<TZRCustomBand*>(new TZRSubDetail(owner))
                                              : static_cast<TZRCustomBand*>(new TZRBand(owner));
  band->SetBandType(Kind);
  UniqueName(band, Controller->Name() + BandTypeName(Kind));
  band->SetParent(Controller);
  return band;
}
