#include "design/dsnhandle.h"

#include <algorithm>

#include "design/dsnshape.h"
#include "design/dsnunit.h"

HWND DesignWindowOf(TControl* Control) {
  if (Control == nullptr)
    return nullptr;
  TWinControl* window = dynamic_cast<TWinControl*>(Control);
  if (window == nullptr)
    window = Control->Parent();
  if (window == nullptr)
    return nullptr;
  try {
    return window->Handle();
  } catch (const Exception&) {
    return nullptr;  // a control whose parent chain has no window yet
  }
}

// ---- TSmallRect ---------------------------------------------------------------------
IMPLEMENT_CLASS(TSmallRect)

TSmallRect::TSmallRect(THandlerRect* Rect)
    : TCustomControl(nullptr),
      FRect(Rect),
      FControl(Rect->Control()),
      FGripSize(Rect->GripSize),
      FGridWidth(Rect->GridWidth),
      FGridHeight(Rect->GridHeight),
      FActiveColor(Rect->ActiveColor),
      FInactiveColor(Rect->InactiveColor),
      FOutlineColor(Rect->OutlineColor),
      FOutlinePenWidth(Rect->OutlinePenWidth) {
  SetColor(FActiveColor);
  SetVisible(false);
  SetBounds(0, 0, FGripSize, FGripSize);
  SetParent(FControl->Parent());
}

TSmallRect::~TSmallRect() {
  FOutline.reset();
  if (FRect != nullptr)
    FRect->GripDestroyed(this);
}

void TSmallRect::CreateOutline() {
  FOutline = std::make_unique<TMultiShape>();
  FOutline->Color = FOutlineColor;
  FOutline->PenWidth = FOutlinePenWidth;
  FOutline->PenStyle = psSolid;
}

void TSmallRect::Disable() {
  SetColor(FInactiveColor);
  SetCursor(crDefault);
  Invalidate();
}

void TSmallRect::Retarget(TControl* Control) {
  FOutline.reset();
  FControl = Control;
}

void TSmallRect::WndProc(TMessage& Message) {
  if (Message.Msg != DSN_HIDESPAREGRIPS) {
    TCustomControl::WndProc(Message);
    return;
  }
  if (FRect != nullptr && FRect->IsSpare())
    FRect->HideGrips();
}

void TSmallRect::PlaceAt(int X, int Y) {
  SetBounds(X, Y, FGripSize, FGripSize);
  if (!Visible())
    SetVisible(true);
  if (FRaise)
    BringToFront();
}

void TSmallRect::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush().SetColor(Color());
  canvas->Brush().SetStyle(bsSolid);
  canvas->Pen().SetColor(clBlack);
  canvas->Pen().SetWidth(1);
  canvas->Pen().SetStyle(psSolid);
  canvas->Rectangle(0, 0, Width(), Height());
}

TPoint TSmallRect::Snapped(int X, int Y) const {
  // Integer division truncates toward zero, as the controller's grid does.
  if (FGridWidth > 0)
    X = (X / FGridWidth) * FGridWidth;
  if (FGridHeight > 0)
    Y = (Y / FGridHeight) * FGridHeight;
  return Point(X, Y);
}

HWND TSmallRect::ControlWindow() const { return DesignWindowOf(FControl); }

TRect TSmallRect::Resized(TPoint Point) const {
  const TGripEdges edges = Edges();
  const int dx = Point.x - FPress.x;
  const int dy = Point.y - FPress.y;
  const int left = FControl->Left();
  const int top = FControl->Top();
  const int right = left + FControl->Width();
  const int bottom = top + FControl->Height();
  return TRect{edges.Left ? left + dx : left, edges.Top ? top + dy : top, edges.Right ? right + dx : right,
               edges.Bottom ? bottom + dy : bottom};
}

void TSmallRect::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Active() || FControl == nullptr || FRect == nullptr)
    return;
  FRect->SaveBounds();
  FPress = Snapped(X, Y);
  CreateOutline();
  FOutline->Origin = ClientToScreen(Point(0, 0));
  FOutline->AddControl(FControl);
  FOutline->Show(FControl->Parent());
  if (HWND window = ControlWindow())
    SendMessageW(window, DSN_SETPRESSTARGET, reinterpret_cast<WPARAM>(FControl), 0);
}

void TSmallRect::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!Active())
    return;
  SetCursor(GripCursor());
  if (FOutline == nullptr || FControl == nullptr || FControl->Parent() == nullptr)
    return;
  const TRect bounds = Resized(Snapped(X, Y));
  FOutline->SetWidth(bounds.right - bounds.left);
  FOutline->SetHeight(bounds.bottom - bounds.top);
  // The outline's one rectangle sits where the control is; its origin is
  // this grip, so the new top left corner is drawn relative to the grip.
  const TPoint moved{bounds.left - FControl->Left(), bounds.top - FControl->Top()};
  FOutline->MoveTo(Point(FOutline->Origin.x + moved.x, FOutline->Origin.y + moved.y));
}

void TSmallRect::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FOutline == nullptr)
    return;
  if (FControl == nullptr || FRect == nullptr) {
    FOutline.reset();
    return;
  }
  const TRect bounds = Resized(Snapped(X, Y));
  // A negative size spans from the moved edge to the one that stayed.
  const int left = std::min(bounds.left, bounds.right);
  const int top = std::min(bounds.top, bounds.bottom);
  FControl->SetBounds(left, top, std::abs(bounds.right - bounds.left), std::abs(bounds.bottom - bounds.top));
  FOutline.reset();
  THandlerRect* rect = FRect;
  const WPARAM oldPlace = MAKEWPARAM(rect->SavedLeft, rect->SavedTop);
  const LPARAM oldSize = MAKELPARAM(rect->SavedWidth, rect->SavedHeight);
  // The host hears of the resize and may free the control, and with it
  // this grip and its rect.
  auto life = FLife.Watch();
  if (HWND window = ControlWindow())
    SendMessageW(window, DSN_RESIZED, oldPlace, oldSize);
  if (life.expired() || FRect == nullptr)
    return;
  FRect->PlaceGrips();
  FRect->SaveBounds();
}

// The corner grips. L, T, W, H: the control's bounds; s: the grip size.
void THidariueRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() - 2, c->Top() - 2);
}

void TMigiueRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() + c->Width() - GripSize() + 2, c->Top() - 2);
}

void THidarishitaRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() - 2, c->Top() + c->Height() - GripSize() + 2);
}

void TMigishitaRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() + c->Width() - GripSize() + 2, c->Top() + c->Height() - GripSize() + 2);
}

// ---- THandlerRect -------------------------------------------------------------------
THandlerRect::THandlerRect(const TMultiHandler& Handler, TControl* Control)
    : GripSize(Handler.GripSize),
      GridWidth(Handler.GridWidth),
      GridHeight(Handler.GridHeight),
      ActiveColor(Handler.ActiveColor),
      InactiveColor(Handler.InactiveColor),
      OutlineColor(Handler.OutlineColor),
      OutlinePenWidth(Handler.OutlinePenWidth),
      FControl(Control) {}

THandlerRect::~THandlerRect() {
  std::vector<TSmallRect*> grips;
  grips.swap(FGrips);
  for (TSmallRect* grip : grips) {
    grip->Detach();
    grip->Free();
  }
}

void THandlerRect::Start() {
  SaveBounds();
  CreateGrips();
}

void THandlerRect::CreateGrips() {
  AddGrip<TMigishitaRect>();
  AddGrip<TMigiueRect>();
  AddGrip<THidariueRect>();
  AddGrip<THidarishitaRect>();
}

void THandlerRect::PlaceGrips() {
  if (FGripsGone)
    return;
  // Grips already in front stay there: raising them again changes nothing
  // but costs a window reorder each.
  const bool raise = !GripsInFront();
  for (TSmallRect* grip : FGrips) {
    grip->SetRaise(raise);
    grip->SetControl();
    grip->SetRaise(true);
  }
}

bool THandlerRect::GripsInFront() const {
  if (FGrips.empty())
    return false;
  TWinControl* parent = FGrips.front()->Parent();
  const int count = static_cast<int>(FGrips.size());
  if (parent == nullptr || parent->ControlCount() < count)
    return false;
  const int first = parent->ControlCount() - count;
  for (int i = 0; i < count; ++i)
    if (parent->Controls(first + i) != FGrips[i])
      return false;
  return true;
}

void THandlerRect::DisableGrips() {
  for (TSmallRect* grip : FGrips)
    grip->Disable();
}

void THandlerRect::SaveBounds() {
  if (FControl == nullptr)
    return;
  SavedLeft = FControl->Left();
  SavedTop = FControl->Top();
  SavedWidth = FControl->Width();
  SavedHeight = FControl->Height();
}

void THandlerRect::ControlDied() {
  FControl = nullptr;
  for (TSmallRect* grip : FGrips)
    grip->ControlDied();
}

void THandlerRect::KeepAsSpare() {
  FSpare = true;
  if (!FGrips.empty() && FGrips.front()->HandleAllocated())
    PostMessageW(FGrips.front()->Handle(), DSN_HIDESPAREGRIPS, 0, 0);
  else
    HideGrips();
}

void THandlerRect::HideGrips() {
  for (TSmallRect* grip : FGrips)
    grip->SetVisible(false);
}

bool THandlerRect::Retarget(TControl* Control) {
  if (FGripsGone || FGrips.empty() || Control == nullptr || Control->Parent() == nullptr)
    return false;
  for (TSmallRect* grip : FGrips)
    if (!grip->Active() || grip->Parent() != Control->Parent())
      return false;
  FControl = Control;
  FSpare = false;
  for (TSmallRect* grip : FGrips)
    grip->Retarget(Control);
  SaveBounds();
  return true;
}

void THandlerRect::GripDestroyed(TSmallRect* Grip) {
  FGripsGone = true;
  std::erase(FGrips, Grip);
}

THandlerGrRect::~THandlerGrRect() {
  if (Control() != nullptr)
    Control()->Invalidate();
}

void THandlerGrRect::PlaceGrips() {
  TControl* control = Control();
  if (control == nullptr)
    return;
  if (dynamic_cast<TWinControl*>(control) != nullptr)
    control->Invalidate();
  else if (control->Parent() != nullptr)
    control->Parent()->Invalidate();
}

// ---- TMultiHandler --------------------------------------------------------------------
TMultiHandler::~TMultiHandler() { FRects.clear(); }

THandlerRect* TMultiHandler::CreateRect(TControl* Control) {
  return THandlerRect::Make<THandlerRect>(*this, Control);
}

int TMultiHandler::RectCount() const {
  return static_cast<int>(std::count_if(FRects.begin(), FRects.end(), [](const auto& r) { return r != nullptr; }));
}

THandlerRect* TMultiHandler::Rects(int Index) const {
  return Index >= 0 && Index < static_cast<int>(FRects.size()) ? FRects[Index].get() : nullptr;
}

THandlerRect* TMultiHandler::RectOf(const TControl* Control) const {
  for (const auto& rect : FRects)
    if (rect != nullptr && rect->Control() == Control)
      return rect.get();
  return nullptr;
}

int TMultiHandler::OnlyRect() const {
  int found = -1;
  for (int i = 0; i < static_cast<int>(FRects.size()); ++i) {
    if (FRects[i] == nullptr)
      continue;
    if (found >= 0)
      return -1;
    found = i;
  }
  return found;
}

void TMultiHandler::TellGroupMarks(TControl* Control) {
  if (HWND window = DesignWindowOf(Control))
    SendMessageW(window, DSN_GROUPMARKS, 0, 0);
}

void TMultiHandler::Add(TComponent* Component) {
  auto* control = dynamic_cast<TControl*>(Component);
  // Entries without a rect keep the indices in step with the selection.
  if (control == nullptr || dynamic_cast<TSmallRect*>(control) != nullptr || RectOf(control) != nullptr) {
    FRects.emplace_back();
    return;
  }
  AddRect(control);
  TellGroupMarks(control);
}

void TMultiHandler::AddRect(TControl* Control) {
  const int before = RectCount();
  if (before == 1)
    FRects[OnlyRect()]->DisableGrips();
  Append(before == 0 ? FirstRect(Control) : CreateRect(Control));
  if (before >= 1)
    FRects.back()->DisableGrips();
}

void TMultiHandler::Clear() {
  // Only a rect with grips is kept: one without refreshes its control when
  // it goes, which must not wait for a control that may be gone by then.
  const int only = RectCount() == 1 ? OnlyRect() : -1;
  if (only >= 0 && FRects[only]->GripCount() > 0) {
    FSpare = std::move(FRects[only]);
    FSpare->KeepAsSpare();
  }
  FRects.clear();
}

THandlerRect* TMultiHandler::FirstRect(TControl* Control) {
  if (FSpare != nullptr && FSpare->Retarget(Control))
    return FSpare.release();
  return CreateRect(Control);
}

void TMultiHandler::Delete(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FRects.size()))
    return;
  FRects.erase(FRects.begin() + Index);
  const int only = OnlyRect();
  if (only < 0 || RectCount() != 1)
    return;
  TControl* control = FRects[only]->Control();
  // Without a window for it the control keeps the rect it has.
  if (DesignWindowOf(control) == nullptr)
    return;
  FRects[only].reset();
  Replace(only, CreateRect(control));
  FRects[only]->PlaceGrips();
  TellGroupMarks(control);
}

void TMultiHandler::ItemDeath(int Index) {
  if (THandlerRect* rect = Rects(Index))
    rect->ControlDied();
}

void TMultiHandler::Update() {
  FreeSpare();
  for (const auto& rect : FRects)
    if (rect != nullptr)
      rect->PlaceGrips();
}

void TMultiGrHandler::AddRect(TControl* Control) {
  const int before = RectCount();
  if (before == 0) {
    Append(FirstRect(Control));
    return;
  }
  if (before == 1) {
    const int only = OnlyRect();
    TControl* first = FRects[only]->Control();
    FRects[only].reset();
    Replace(only, THandlerRect::Make<THandlerGrRect>(*this, first));
  }
  Append(THandlerRect::Make<THandlerGrRect>(*this, Control));
}
