#include "design/dsnregister.h"

#include <algorithm>

#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/classes/writer.h"
#include "classlib/system/numconv.h"
#include "design/core/layoutfile.h"
#include "design/core/layoutnames.h"
#include "design/core/componentwatch.h"
#include "design/core/uniquename.h"
#include "design/contextprops.h"
#include "design/dsnclipboard.h"
#include "design/dsnselect.h"
#include "design/propertytext.h"
#include "design/dsnctrl.h"
#include "design/dsnhandle.h"
#include "design/dsnpanel.h"
#include "design/dsnprop.h"
#include "design/dsnshape.h"

// ---- TDsnPartner ------------------------------------------------------------------------
IMPLEMENT_CLASS(TDsnPartner)

TDsnPartner::~TDsnPartner() {
  if (FController != nullptr)
    FController->RemovePartner(this);
}

void TDsnPartner::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FController)
    FController = nullptr;
}

bool TDsnPartner::CanSelect(TComponent* Component) {
  return FController != nullptr && FController->CanSelectComponent(Component);
}

void TDsnPartner::MakeSelectionList() {
  if (FController != nullptr)
    FController->SetSelectionList(FController->CreateTargetList());
}

TTargetList* TDsnPartner::SelectionList() const {
  return FController != nullptr ? FController->SelectionList() : nullptr;
}

// ---- TDsnRegister: links ------------------------------------------------------------------
BEGIN_PUBLISHED(TDsnRegister)
  PROPERTY(DsnStage, DsnStage, SetDsnStage),
  PROPERTY(DsnPanel, DsnPanel, SetDsnPanel),
  PROPERTY(DsnInspector, DsnInspector, SetDsnInspector),
  PROPERTY(ArrowButton, ArrowButton, SetArrowButton),
  PROPERTY(OnMoveResize, OnMoveResize, OnMoveResize),
END_PUBLISHED

TDsnRegister::TDsnRegister(TComponent* AOwner) : TComponent(AOwner) {}

TDsnRegister::~TDsnRegister() {
  FDragShape.reset();
  FreeGripsAndMerger();
  if (FCoverList != nullptr)
    for (int i = 0; i < FCoverList->Count(); ++i)
      static_cast<TDsnCtrl*>(FCoverList->Items(i))->SetDead(true);
  FreeCovers();
  FCoverList.reset();
  if (FSelection != nullptr) {
    FSelection->Clear();
    FSelection.reset();
  }
  FReceivers.clear();
  FPartners.clear();
  if (FDsnStage != nullptr && FDsnStage->Controller() == this)
    FDsnStage->SetController(nullptr);
}

void TDsnRegister::SetDsnStage(TDsnStage* Value) {
  if (FDsnStage != nullptr && FDsnStage != Value) {
    FDsnStage->RemoveFreeNotification(this);
    if (FDsnStage->Controller() == this)
      FDsnStage->SetController(nullptr);
  }
  FDsnStage = Value;
  if (Value == nullptr)
    return;
  // Assigned again, the stage hands over a changed grid.
  Value->FreeNotification(this);
  TRubberband* band = Value->Rubberband();
  FGridWidth = band->MoveWidth();
  FGridHeight = band->MoveHeight();
  FOutlineColor = band->Color();
  FOutlinePenWidth = band->PenWidth();
  Value->SetController(this);
}

void TDsnRegister::SetDsnPanel(TCustomCmpPlt* Value) {
  if (FDsnPanel != nullptr && FDsnPanel != Value)
    FDsnPanel->RemoveFreeNotification(this);
  FDsnPanel = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TDsnRegister::SetDsnInspector(TCustomInspector* Value) {
  if (FDsnInspector != nullptr && FDsnInspector != Value) {
    FDsnInspector->RemoveFreeNotification(this);
    if (FDsnInspector->Merger() == FMerger)
      FDsnInspector->SetMerger(nullptr);
  }
  FDsnInspector = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TDsnRegister::SetArrowButton(TArrowButton* Value) {
  if (FArrowButton != nullptr && FArrowButton != Value)
    FArrowButton->RemoveFreeNotification(this);
  FArrowButton = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TDsnRegister::AddPartner(TDsnPartner* Partner) {
  if (Partner != nullptr && std::find(FPartners.begin(), FPartners.end(), Partner) == FPartners.end())
    FPartners.push_back(Partner);
}

void TDsnRegister::RemovePartner(TDsnPartner* Partner) { std::erase(FPartners, Partner); }

void TDsnRegister::AddReceiver(TReceiveTargets* Receiver) {
  if (Receiver != nullptr && std::find(FReceivers.begin(), FReceivers.end(), Receiver) == FReceivers.end())
    FReceivers.push_back(Receiver);
}

void TDsnRegister::RemoveReceiver(TReceiveTargets* Receiver) {
  std::erase(FReceivers, Receiver);
  if (FSelection != nullptr)
    FSelection->Unlink(Receiver);
}

// ---- Activation ------------------------------------------------------------------------
void TDsnRegister::SetActive(bool Value) {
  if (Value == FActive)
    return;
  FActive = Value;
  for (TDsnPartner* partner : std::vector<TDsnPartner*>(FPartners))
    partner->SetActive(Value);
  if (Value)
    Activate();
  else
    Deactivate();
}

void TDsnRegister::Activate() {
  if (FDsnStage != nullptr) {
    try {
      FDsnStage->SetController(this);
      if (FCoverList == nullptr)
        FCoverList.reset(CreateCoverList());
      CoverControl(FDsnStage);
      TakeCoverMenu();
    } catch (...) {
      UndoActivation();
      throw;
    }
    if (FDsnStage->CanFocus())
      FDsnStage->SetFocus();
  }
  if (FDsnPanel != nullptr) {
    if (FArrowButton != nullptr) {
      FDsnPanel->SetArrowButton(FArrowButton);
      FArrowButton->SetPalette(FDsnPanel);
    }
    FDsnPanel->SetActive(true);
  }
  if (FDsnInspector != nullptr) {
    FDsnInspector->SetActive(true);
    FDsnInspector->SetStageHandle(FDsnStage != nullptr ? FDsnStage->Handle() : nullptr);
  }
}

// Covering stopped part-way (a window refused subclassing): every window
// covered so far gets its own procedure back and design mode stays off.
void TDsnRegister::UndoActivation() {
  FreeCovers();
  FActive = false;
  for (TDsnPartner* partner : std::vector<TDsnPartner*>(FPartners))
    partner->SetActive(false);
}

void TDsnRegister::Deactivate() {
  DropOutlines();
  // Agents of controls that died with a stage already gone go here too.
  FreeCovers();
  if (FDsnStage != nullptr)
    FDsnStage->ActiveChanged(false);
  if (FPopupMenu != nullptr) {
    // The borrowed items go back to the end of the stage's menu, in order.
    TMenu* coverMenu = FDsnStage != nullptr ? FDsnStage->CoverMenu() : nullptr;
    TMenuItem* items = FPopupMenu->Items();
    for (int i = 0; i < FPopupMenu->Tag() && items->Count() > 0; ++i) {
      TMenuItem* item = items->Items(0);
      items->Remove(item);
      if (coverMenu != nullptr)
        coverMenu->Items()->Add(item);
      else
        item->Free();
    }
    FPopupMenu->Free();
    FPopupMenu = nullptr;
  }
  if (FDsnPanel != nullptr) {
    FDsnPanel->SetActive(false);
    FDsnPanel->SetCurrentTemplate(nullptr);
  }
  if (FDsnInspector != nullptr)
    FDsnInspector->SetActive(false);
  FreeGripsAndMerger();
  if (FSelection != nullptr) {
    FSelection->Clear();
    FSelection.reset();
  }
}

void TDsnRegister::FreeCovers() {
  if (FCoverList != nullptr) {
    while (FCoverList->Count() > 0) {
      auto* agent = static_cast<TDsnCtrl*>(FCoverList->Last());
      FCoverList->Delete(FCoverList->Count() - 1);
      delete agent;
    }
  }
  while (!FDeadAgents.empty()) {
    TDsnCtrl* agent = FDeadAgents.back();
    FDeadAgents.pop_back();
    delete agent;
  }
}

void TDsnRegister::AgentGone(TDsnCtrl* Agent) {
  if (FCoverList != nullptr)
    FCoverList->Remove(Agent);
  std::erase(FDeadAgents, Agent);
}

void TDsnRegister::FreeGripsAndMerger() {
  if (FDsnInspector != nullptr && FDsnInspector->Merger() == FMerger)
    FDsnInspector->SetMerger(nullptr);
  delete FMerger;
  FMerger = nullptr;
  delete FGripHandler;
  FGripHandler = nullptr;
}

// ---- Covering --------------------------------------------------------------------------
TCoverAccept TDsnRegister::AskCover(TComponent* Component) {
  TCoverAccept accept = caAllAccept;
  if (FDsnStage != nullptr && FDsnStage->OnCoverQuery)
    FDsnStage->OnCoverQuery(FDsnStage, Component, accept);
  return accept;
}

void TDsnRegister::CoverControl(TWinControl* Control) {
  if (FDsnStage == nullptr || Control == nullptr)
    return;
  const TCoverAccept accept = AskCover(Control);
  if (accept == caNoAccept)
    return;
  TDsnCtrl* agent = nullptr;
  if (accept == caAllAccept) {
    if (FCoverList == nullptr)
      FCoverList.reset(CreateCoverList());
    agent = CreateCover(Control);
    FCoverList->Add(agent);
  }
  TChildList children(Control->Handle(), Control);
  for (int i = 0; i < children.Count(); ++i) {
    const TChildList::TEntry& entry = children.Items(i);
    if (entry.Control != nullptr && entry.Control->Owner() == FDsnStage->Owner())
      CoverControl(entry.Control);
    else if (agent != nullptr)
      agent->Children()->AddTree(entry.Window);
  }
}

TDsnCtrl* TDsnRegister::CreateCover(TWinControl* Control) { return TDsnCtrl::Create(this, Control); }

TDsnList* TDsnRegister::CreateCoverList() { return new TDsnList; }

TMultiHandler* TDsnRegister::CreateHandler() { return new TMultiHandler; }

TDsnCtrl* TDsnRegister::CoverOf(const TControl* Control) const {
  if (FCoverList != nullptr)
    for (int i = 0; i < FCoverList->Count(); ++i) {
      auto* agent = static_cast<TDsnCtrl*>(FCoverList->Items(i));
      if (agent->Control() == Control)
        return agent;
    }
  return nullptr;
}

// ---- Selection -------------------------------------------------------------------------
TTargetList* TDsnRegister::CreateTargetList() {
  auto* list = new TTargetList;
  FreeGripsAndMerger();
  if (FDsnStage != nullptr) {
    FGripHandler = CreateHandler();
    if (FGripHandler != nullptr) {
      FGripHandler->OutlineColor = FOutlineColor;
      FGripHandler->OutlinePenWidth = FOutlinePenWidth;
      FGripHandler->GridWidth = FGridWidth;
      FGripHandler->GridHeight = FGridHeight;
      list->Link(FGripHandler);
    }
  }
  if (FDsnInspector != nullptr) {
    FMerger = new TMultiProps;
    list->Link(FMerger);
    TStringList names;
    TStringList singleOnly;
    FDsnInspector->GetPropLists(&names, &singleOnly);
    FMerger->SetPropLists(&names, &singleOnly);
    FDsnInspector->SetMerger(FMerger);
  }
  for (TReceiveTargets* receiver : FReceivers)
    list->Link(receiver);
  return list;
}

void TDsnRegister::SetSelectionList(TTargetList* Value) {
  if (FSelection.get() == Value)
    return;
  if (FSelection != nullptr)
    FSelection->Clear();
  FSelection.reset(Value);
}

void TDsnRegister::UnselectAll() {
  if (FSelection != nullptr)
    FSelection->Clear();
  if (FGripHandler != nullptr)
    FGripHandler->FreeSpare();
}

int TDsnRegister::SelectedCount() const { return FSelection != nullptr ? FSelection->Count() : -1; }

TControl* TDsnRegister::SelectedControl(int Index) const {
  return FSelection != nullptr ? dynamic_cast<TControl*>(FSelection->Items(Index)) : nullptr;
}

void TDsnRegister::UpdateSelection() {
  if (FSelection != nullptr)
    FSelection->Update();
}

void TDsnRegister::SelectOnly(TComponent* Component) {
  if (Component == nullptr)
    return;
  if (FSelection == nullptr)
    FSelection.reset(CreateTargetList());
  FSelection->Clear();
  FSelection->Add(Component);
  FSelection->Update();
}

namespace {

TWinControl* ParentOf(TComponent* Component) {
  auto* control = dynamic_cast<TControl*>(Component);
  return control != nullptr ? control->Parent() : nullptr;
}

}  // namespace

bool TDsnRegister::SameParent() const {
  if (FSelection == nullptr || FSelection->Count() <= 0)
    return true;
  TWinControl* first = ParentOf(FSelection->Items(0));
  for (int i = 1; i < FSelection->Count(); ++i)
    if (ParentOf(FSelection->Items(i)) != first)
      return false;
  return true;
}

void TDsnRegister::SnapToGrid(int& X, int& Y) const {
  // Integer division truncates toward zero: -5 on a grid of 8 becomes 0.
  if (FGridWidth > 0)
    X = (X / FGridWidth) * FGridWidth;
  if (FGridHeight > 0)
    Y = (Y / FGridHeight) * FGridHeight;
}

bool TDsnRegister::CanSelectComponent(TComponent* Component) {
  auto* control = dynamic_cast<TControl*>(Component);
  if (control == nullptr || FDsnStage == nullptr)
    return false;
  for (TWinControl* parent = control->Parent(); parent != FDsnStage; parent = parent->Parent()) {
    if (parent == nullptr || dynamic_cast<TCustomForm*>(parent) != nullptr)
      return false;
  }
  TComponent* asked = dynamic_cast<TWinControl*>(control) != nullptr ? control : control->Parent();
  TCoverAccept accept = caAllAccept;
  if (FDsnStage->OnCoverQuery)
    FDsnStage->OnCoverQuery(this, asked, accept);
  if (accept != caAllAccept)
    return false;
  TSelectAccept select;
  select.Include(saCreate);
  select.Include(saMove);
  if (FDsnStage->OnSelectQuery)
    FDsnStage->OnSelectQuery(this, Component, select);
  return select.Contains(saMove);
}

// ---- Removed components ------------------------------------------------------------------
void TDsnRegister::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent == nullptr)
    return;
  if (AComponent == FDsnStage)
    FDsnStage = nullptr;
  if (AComponent == FDsnInspector)
    FDsnInspector = nullptr;
  if (AComponent == FDsnPanel)
    FDsnPanel = nullptr;
  if (AComponent == FArrowButton)
    FArrowButton = nullptr;
  if (AComponent == FPressParent) {
    // The drag's container is going: the drag ends with it.
    DropOutlines();
    FPressParent = nullptr;
  }
  ControlRemoved(AComponent);
}

void TDsnRegister::ControlRemoved(TComponent* Component) {
  // The agent is freed once its window's destroy notice reaches the stage
  // (or at deactivation, whichever comes first).
  if (FCoverList != nullptr)
    for (int i = FCoverList->Count() - 1; i >= 0; --i) {
      auto* agent = static_cast<TDsnCtrl*>(FCoverList->Items(i));
      if (agent->Control() != Component)
        continue;
      CoverRemoving();
      agent->SetDead(true);
      FCoverList->Delete(i);
      FDeadAgents.push_back(agent);
    }
  if (FSelection == nullptr)
    return;
  const int index = FSelection->IndexOf(Component);
  if (index < 0)
    return;
  FSelection->ItemDeath(index);
  TargetRemoving();
  FSelection->Delete(index);
  if (!SameParent())
    FSelection->Clear();
  FSelection->Update();
}

// ---- Notices to the host -------------------------------------------------------------------
void TDsnRegister::DoCoverDblClick(TComponent* Component) {
  if (FDsnStage != nullptr && FDsnStage->OnCoverDblClick)
    FDsnStage->OnCoverDblClick(FDsnStage, Component);
}

void TDsnRegister::DoResized() {
  if (OnMoveResize)
    OnMoveResize(this);
  if (FMerger != nullptr)
    FMerger->Recompute();
  if (FDsnInspector != nullptr)
    FDsnInspector->Refresh();
}

void TDsnRegister::DoMoved() {
  if (OnMoveResize)
    OnMoveResize(this);
  if (FMerger != nullptr)
    FMerger->Recompute();
}

// ---- Cloning the palette's template --------------------------------------------------------
namespace {

// Takes a component's name away for a while and gives it back, also when
// leaving by an exception.
class TNameLent {
public:
  explicit TNameLent(TComponent* Component) : FComponent(Component), FName(Component->Name()) {
    Component->SetName("");
  }
  ~TNameLent() {
    try {
      FComponent->SetName(FName);
    } catch (...) {
      // The name was the component's own a moment ago; nothing can have
      // taken it but a component of the failed clone, freed by now.
    }
  }
  TNameLent(const TNameLent&) = delete;
  TNameLent& operator=(const TNameLent&) = delete;

private:
  TComponent* FComponent;
  AnsiString FName;
};

}  // namespace

void TDsnRegister::CloneTemplate(TComponent* Template, TWinControl* Parent) {
  // A copy needs a form to own it, or it would belong to nobody.
  TComponent* owner = Parent != nullptr ? Parent->Owner() : nullptr;
  if (Template == nullptr || owner == nullptr)
    return;
  TMemoryStream stream;
  TNameLent lent(Template);
  {
    TWriter writer(stream, LayoutBufferSize);
    writer.SetRoot(Template->Owner());
    writer.WriteSignature();
    writer.WriteComponent(Template);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TReader reader(stream, LayoutBufferSize);
  reader.OnSetName = [this](TReader* r, TComponent* component, AnsiString& name) { CloneSetName(r, component, name); };
  // Whatever a failed read leaves on the form goes, so no half-made control
  // stays behind.
  TNewComponents created(owner);
  try {
    reader.ReadComponents(owner, Parent, [this](TComponent* component) {
      TemplateCloned(dynamic_cast<TControl*>(component));
    });
  } catch (...) {
    FCloneResult = nullptr;
    created.FreeAll();
    throw;
  }
}

void TDsnRegister::CloneSetName(TReader*, TComponent* Component, AnsiString& Name) {
  MakeUniqueComponentName(Owner(), Component, Name);
  if (FDsnStage != nullptr)
    FDsnStage->PostControlCreated(Component);
}

void TDsnRegister::NameNewComponent(TComponent* Component) {
  if (Component == nullptr)
    return;
  const AnsiString base = Component->ClassName().substr(1);
  int number = 1;
  while (Owner() != nullptr && Owner()->FindComponent(base + IntToStr(number)) != nullptr)
    ++number;
  Component->SetName(base + IntToStr(number));
}

// ---- Mouse operations ---------------------------------------------------------------------
namespace {

// Calls Step; an exception that escapes it ends the drag first, so no
// outline (and no held cursor) stays behind.
template <class F>
void GuardDrag(TDsnRegister* Controller, F Step) {
  try {
    Step();
  } catch (...) {
    Controller->DropOutlines();
    throw;
  }
}

}  // namespace

TPoint TDsnRegister::Snapped(TPoint Point) const {
  int x = Point.x;
  int y = Point.y;
  SnapToGrid(x, y);
  return ::Point(x, y);
}

bool TDsnRegister::PaletteHasTemplate() const { return FDsnPanel != nullptr && FDsnPanel->CurrentTemplate() != nullptr; }

void TDsnRegister::DoMouseDown(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) {
  GuardDrag(this, [&] {
    if (PaletteHasTemplate())
      CreateDragStart(Cover, Target, Shift, Point);
    else
      MoveDragStart(Cover, Target, Shift, Point);
  });
}

void TDsnRegister::DoMouseMove(TWinControl* Cover, TPoint Point, TShiftState Shift) {
  GuardDrag(this, [&] {
    if (PaletteHasTemplate())
      CreateDragMove(Cover, Point, Shift);
    else if (Shift.Contains(ssLeft))
      MoveDragMove(Cover, Point, Shift);
    else
      FDragShape.reset();  // an outline left over from a drag whose release never came
  });
}

void TDsnRegister::DoMouseUp(TWinControl* Cover, TPoint Point, TShiftState Shift) {
  GuardDrag(this, [&] {
    if (PaletteHasTemplate())
      CreateDragEnd(Cover, Point, Shift);
    else
      MoveDragEnd(Cover, Point, Shift);
  });
}

void TDsnRegister::DropOutlines() { FDragShape.reset(); }

void TDsnRegister::CreateShape() {
  FDragShape.reset();
  FDragShape = std::make_unique<TMultiShape>();
}

void TDsnRegister::RenewShape() { CreateShape(); }

TSelectAccept TDsnRegister::AskSelect(TComponent* Component) {
  TSelectAccept select;
  select.Include(saCreate);
  select.Include(saMove);
  if (FDsnStage != nullptr && FDsnStage->OnSelectQuery)
    FDsnStage->OnSelectQuery(FDsnStage, Component, select);
  return select;
}

TTargetList* TDsnRegister::MakeSelection() {
  if (FSelection == nullptr)
    FSelection.reset(CreateTargetList());
  return FSelection.get();
}

TWinControl* TDsnRegister::ContainerFor(TWinControl* Cover, TPoint& Point) const {
  if (Cover->ControlStyle().Contains(csAcceptsControls) || Cover->Parent() == nullptr)
    return Cover;
  Point = InContainer(Cover, Point);
  return Cover->Parent();
}

TPoint TDsnRegister::InContainer(TWinControl* Cover, TPoint Point) const {
  if (Cover->ControlStyle().Contains(csAcceptsControls) || Cover->Parent() == nullptr)
    return Point;
  return ::Point(Point.x + Cover->Left(), Point.y + Cover->Top());
}

// ---- Selecting and moving ----
void TDsnRegister::MoveDragStart(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) {
  if (Target == nullptr || !AskSelect(Target).Contains(saMove))
    return;
  // A press on a non-windowed child moves it inside the covered control; a
  // press on the covered control itself moves it inside its parent.
  FPressParent = Target == Cover ? Cover->Parent() : Cover;
  TTargetList* selection = MakeSelection();
  const bool shift = Shift.Contains(ssShift);
  const int index = selection->IndexOf(Target);
  if (shift) {
    if (index < 0)
      selection->Add(Target);
    else
      selection->Delete(index);
    return;
  }
  if (selection->Count() <= 0) {
    selection->Add(Target);
  } else if (index < 0 || !SameParent()) {
    selection->Clear();
    selection->Add(Target);
  }
  if (FPressParent == nullptr || !SameParent())
    return;
  RenewShape();
  FDragShape->Color = FOutlineColor;
  FDragShape->PenWidth = FOutlinePenWidth;
  FDragShape->PenStyle = psSolid;
  Point = Snapped(Point);
  FStartX = Point.x;
  FStartY = Point.y;
  FDragShape->Origin = FPressParent->ClientToScreen(Point);
  for (int i = 0; i < selection->Count(); ++i)
    FDragShape->AddControl(dynamic_cast<TControl*>(selection->Items(i)));
  FDragShape->Show(FPressParent);
}

void TDsnRegister::MoveDragMove(TWinControl*, TPoint Point, TShiftState Shift) {
  if (FDragShape == nullptr || FPressParent == nullptr || !SameParent() || Shift.Contains(ssShift))
    return;
  Point = Snapped(Point);
  FDragShape->MoveTo(FPressParent->ClientToScreen(Point));
}

void TDsnRegister::MoveDragEnd(TWinControl*, TPoint Point, TShiftState Shift) {
  Point = Snapped(Point);
  if (SameParent() && FDragShape != nullptr && !Shift.Contains(ssShift)) {
    FDragShape.reset();
    const int dx = Point.x - FStartX;
    const int dy = Point.y - FStartY;
    std::vector<TControl*> moving;
    for (int i = 0; FSelection != nullptr && i < FSelection->Count(); ++i)
      if (auto* control = dynamic_cast<TControl*>(FSelection->Items(i)))
        moving.push_back(control);
    for (TControl* control : moving) {
      bool canMove = true;
      if (FDsnStage != nullptr && FDsnStage->OnMoveQuery)
        FDsnStage->OnMoveQuery(FDsnStage, control, canMove);
      if (!canMove)
        continue;
      control->SetLeft(control->Left() + dx);
      control->SetTop(control->Top() + dy);
    }
  }
  // Shift pressed during the drag leaves the outline unused: it goes too.
  FDragShape.reset();
  if (Point.x != FStartX || Point.y != FStartY)
    DoMoved();
  if (FSelection != nullptr)
    FSelection->Update();
}

// ---- Creating from the palette's template ----
void TDsnRegister::CreateDragStart(TWinControl* Cover, TControl* Target, TShiftState, TPoint Point) {
  if (!AskSelect(Target).Contains(saCreate))
    return;
  FPressParent = ContainerFor(Cover, Point);
  CreateShape();
  FDragShape->Color = FOutlineColor;
  FDragShape->PenWidth = FOutlinePenWidth;
  FDragShape->PenStyle = psSolid;
  Point = Snapped(Point);
  FStartX = Point.x;
  FStartY = Point.y;
  FDragShape->SetSingleRect();
  FDragShape->Show(FPressParent);
}

void TDsnRegister::CreateDragMove(TWinControl* Cover, TPoint Point, TShiftState) {
  if (FDragShape == nullptr || FPressParent == nullptr)
    return;
  Point = Snapped(Point);
  Point = InContainer(Cover, Point);
  FDragShape->SetWidth(Point.x - FStartX);
  FDragShape->SetHeight(Point.y - FStartY);
  FDragShape->MoveTo(FPressParent->ClientToScreen(::Point(FStartX, FStartY)));
}

void TDsnRegister::CreateDragEnd(TWinControl* Cover, TPoint Point, TShiftState) {
  Point = Snapped(Point);
  Point = InContainer(Cover, Point);
  if (FDragShape != nullptr && FPressParent != nullptr) {
    FDragShape.reset();
    int dx = Point.x - FStartX;
    int dy = Point.y - FStartY;
    if (dx < 5)
      dx = 50;
    if (dy < 5)
      dy = 17;
    FCloneResult = nullptr;
    try {
      CloneTemplate(FDsnPanel->CurrentTemplate(), FPressParent);
    } catch (...) {
      // A template that cannot be copied creates nothing; the clone has
      // cleared up after itself.
      FCloneResult = nullptr;
    }
    if (TControl* made = FCloneResult) {
      NameNewComponent(made);
      made->SetBounds(FStartX, FStartY, dx, dy);
      MakeSelection();
      if (auto* windowed = dynamic_cast<TWinControl*>(made))
        CoverControl(windowed);
      SelectOnly(made);
    }
  }
  FDragShape.reset();
  if (FDsnPanel != nullptr) {
    FDsnPanel->ResetToArrow();
    FDsnPanel->SetCurrentTemplate(nullptr);
  }
  FCloneResult = nullptr;
}

// ---- Clipboard and delete -------------------------------------------------------------------
namespace {

// The selected components now, in selection order (dead entries left out).
std::vector<TComponent*> SelectedNow(const TTargetList* Selection) {
  std::vector<TComponent*> list;
  for (int i = 0; Selection != nullptr && i < Selection->Count(); ++i)
    if (TComponent* c = Selection->Items(i))
      list.push_back(c);
  return list;
}

// Parent steps from Component up to Stage: 0 for a child of the stage.
int DepthBelow(TComponent* Component, const TWinControl* Stage) {
  auto* control = dynamic_cast<TControl*>(Component);
  int depth = 0;
  for (TWinControl* parent = control != nullptr ? control->Parent() : nullptr; parent != nullptr && parent != Stage;
       parent = parent->Parent())
    ++depth;
  return depth;
}

}  // namespace

bool TDsnRegister::CanCopy() { return FSelection != nullptr && FSelection->Count() > 0 && SameParent(); }

void TDsnRegister::CopyToClipboard() {
  if (CanCopy())
    PutDesignClipboard(Owner(), SelectedNow(FSelection.get()));
}

void TDsnRegister::CutToClipboard() {
  if (FSelection == nullptr || FSelection->Count() <= 0 || !SameParent())
    return;
  CopyToClipboard();
  DeleteSelected();
}

bool TDsnRegister::CanPaste() {
  if (FSelection == nullptr || FSelection->Count() > 1)
    return false;
  if (FSelection->Count() == 1) {
    auto* target = dynamic_cast<TControl*>(FSelection->Items(0));
    if (target == nullptr || !target->ControlStyle().Contains(csAcceptsControls))
      return false;
  }
  return DesignClipboardHasData();
}

TWinControl* TDsnRegister::PasteParent() { return FDsnStage; }

void TDsnRegister::PasteFromClipboard() {
  if (!CanPaste() || Owner() == nullptr)
    return;
  auto* target = FSelection->Count() == 1 ? dynamic_cast<TWinControl*>(FSelection->Items(0)) : PasteParent();
  if (target == nullptr)
    return;
  // A block that is no design data (any program may put one under the
  // format) pastes nothing and leaves the selection as it is.
  TMemoryStream data;
  if (!GetDesignClipboard(data))
    return;
  FSelection->Clear();
  TReader reader(data, LayoutBufferSize);
  reader.OnSetName = [this](TReader* r, TComponent* component, AnsiString& name) { CloneSetName(r, component, name); };
  reader.SetPosition(0);
  // The components are placed once the read has finished them (a control
  // takes its stored position when loaded); those read before a failure are
  // placed, covered and selected too before the error passes on.
  std::vector<TComponent*> pasted;
  auto placeAll = [this, &pasted] {
    for (TComponent* component : pasted)
      PlacePasted(component);
    if (FSelection != nullptr)
      FSelection->Update();
  };
  try {
    reader.ReadComponents(Owner(), target, [&pasted](TComponent* component) { pasted.push_back(component); });
  } catch (...) {
    placeAll();
    throw;
  }
  placeAll();
}

void TDsnRegister::PlacePasted(TComponent* Component) {
  auto* control = dynamic_cast<TControl*>(Component);
  if (control != nullptr) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
      CoverControl(windowed);
    if (TWinControl* parent = control->Parent()) {
      int left = control->Left();
      int top = control->Top();
      if (left > parent->Width())
        left = parent->Width() - control->Width();
      if (top > parent->Height())
        top = parent->Height() - control->Height();
      control->SetBounds(std::max(left, 0), std::max(top, 0), control->Width(), control->Height());
    }
  }
  MakeSelection()->Add(Component);
}

void TDsnRegister::DeleteSelected() {
  if (FSelection == nullptr)
    return;
  std::vector<TComponent*> doomed = SelectedNow(FSelection.get());
  // The host's answers may free components itself: those leave the list.
  TComponentWatch watch([&doomed](TComponent* gone) { std::erase(doomed, gone); });
  for (TComponent* c : doomed)
    watch.Watch(c);
  FSelection->Clear();
  TDsnStage* stage = FDsnStage;
  if (stage != nullptr && stage->OnDeleteQuery)
    for (int i = static_cast<int>(doomed.size()) - 1; i >= 0; --i) {
      if (i >= static_cast<int>(doomed.size()))
        continue;
      TComponent* component = doomed[i];
      bool canDelete = true;
      stage->OnDeleteQuery(stage, component, canDelete);
      if (!canDelete) {
        watch.Unwatch(component);
        std::erase(doomed, component);
      }
    }
  std::stable_sort(doomed.begin(), doomed.end(), [stage](TComponent* a, TComponent* b) {
    return DepthBelow(a, stage) < DepthBelow(b, stage);
  });
  // The deepest first: a container goes after its selected children, and a
  // component freed with one freed before is not freed again.
  while (!doomed.empty()) {
    TComponent* victim = doomed.back();
    doomed.pop_back();
    watch.Unwatch(victim);
    victim->Free();
  }
  if (FSelection != nullptr)
    FSelection->Update();
}

// ---- Context menu ----------------------------------------------------------------------------
void TDsnRegister::TakeCoverMenu() {
  if (FDsnStage == nullptr || FPopupMenu != nullptr)
    return;
  TPopupMenu* coverMenu = FDsnStage->CoverMenu();
  if (coverMenu == nullptr && FDsnStage->SelfProps()->Count() == 0)
    return;
  FPopupMenu = new TPopupMenu(Owner());
  if (coverMenu == nullptr)
    return;
  FPopupMenu->OnPopup = coverMenu->OnPopup;
  TMenuItem* borrowed = coverMenu->Items();
  while (borrowed->Count() > 0) {
    TMenuItem* item = borrowed->Items(0);
    borrowed->Remove(item);
    FPopupMenu->Items()->Add(item);
  }
  FPopupMenu->SetTag(FPopupMenu->Items()->Count());
}

void TDsnRegister::SelectForPopup(TWinControl* Cover, TControl* Target, int, int) {
  SelectForPopupTarget(Cover, Target, false);
}

void TDsnRegister::SelectForPopupTarget(TWinControl* Cover, TControl* Target, bool NeverStage) {
  if (Cover == nullptr || Target == nullptr)
    return;
  TSelectAccept select = AskSelect(Target);
  if (NeverStage && dynamic_cast<TDsnStage*>(Target) != nullptr)
    select = TSelectAccept{saCreate};
  if (!select.Contains(saMove))
    return;
  FPressParent = Target == Cover ? Cover->Parent() : Cover;
  TTargetList* selection = MakeSelection();
  const int index = selection->IndexOf(Target);
  if (selection->Count() <= 0) {
    selection->Add(Target);
  } else if (index < 0 || !SameParent()) {
    selection->Clear();
    selection->Add(Target);
  }
  selection->Update();
}

void TDsnRegister::DoContextPopup(TWinControl* Cover, TControl* Target, int X, int Y) {
  SelectForPopup(Cover, Target, X, Y);
  if (FPopupMenu == nullptr || FDsnStage == nullptr || Cover == nullptr)
    return;
  // A right click on the empty stage before anything was selected still
  // brings the menu.
  TTargetList* selection = MakeSelection();
  const TContextProps props(FDsnStage->SelfProps(), FDsnStage->OutProps(), SelectedNow(selection));
  TMenuItem* items = FPopupMenu->Items();
  // The property items of the last popup go; the borrowed ones stay.
  while (items->Count() > std::max(FPopupMenu->Tag(), 0)) {
    TMenuItem* stale = items->Items(items->Count() - 1);
    items->Remove(stale);
    stale->Free();
  }
  if (items->Count() > 0 && props.Count() > 0) {
    auto* separator = new TDsnMenuItem(Owner());
    separator->SetCaption("-");
    items->Add(separator);
  }
  for (int i = 0; i < props.Count(); ++i) {
    auto* item = new TDsnMenuItem(Owner());
    item->SetCaption(props.Captions(i));
    item->PropName = props.Names(i);
    item->Value = props.Values(i);
    item->OnClick = TNotifyEvent([this](TObject* Sender) { PropMenuClick(Sender); });
    items->Add(item);
  }
  if (FDsnStage->OnPopup)
    FDsnStage->OnPopup(FPopupMenu);
  // The host's handler may end design mode, and the menu with it.
  if (FPopupMenu == nullptr)
    return;
  const TPoint at = Cover->ClientToScreen(::Point(X, Y));
  FPopupMenu->Popup(at.x, at.y);
}

void TDsnRegister::PropMenuClick(TObject* Sender) {
  auto* item = dynamic_cast<TDsnMenuItem*>(Sender);
  if (item == nullptr || FDsnStage == nullptr || !FDsnStage->OnMenuClick)
    return;
  TSelectedComponents snapshot(SelectedNow(FSelection.get()));
  FDsnStage->OnMenuClick(FDsnStage, &snapshot, item->PropName, item->Value);
  // Taken again: the handler may have freed or deselected components.
  SetPropertyText(SelectedNow(FSelection.get()), item->PropName, item->Value);
  if (FSelection != nullptr)
    FSelection->Update();
}
