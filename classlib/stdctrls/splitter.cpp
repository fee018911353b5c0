#include "classlib/stdctrls/splitter.h"

#include <algorithm>

#include "classlib/controls/wincontrol.h"

BEGIN_PUBLISHED(TSplitter)
  PROPERTY(Align, Align, SetAlign).Default(alLeft),
  PROPERTY(Beveled, Beveled, SetBeveled).Default(false),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(MinSize, MinSize, SetMinSize).Default(30),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnMoved, OnMoved, OnMoved),
END_PUBLISHED

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

void TSplitter::SetBeveled(bool Value) {
  if (FBeveled == Value)
    return;
  FBeveled = Value;
  Invalidate();
}

namespace {
bool IsVertical(TAlign align) { return align == alLeft || align == alRight; }
}  // namespace

// The visible sibling with the same alignment whose edge touches the splitter.
TControl* TSplitter::FindControl() {
  TWinControl* parent = Parent();
  if (parent == nullptr || Align() == alNone || Align() == alClient)
    return nullptr;
  TPoint edge{};
  switch (Align()) {
    case alLeft: edge = Point(Left() - 1, Top()); break;
    case alRight: edge = Point(Left() + Width(), Top()); break;
    case alTop: edge = Point(Left(), Top() - 1); break;
    case alBottom: edge = Point(Left(), Top() + Height()); break;
    default: return nullptr;
  }
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align())
      continue;
    TRect r = c->BoundsRect();
    if (IsVertical(Align()) ? (edge.x >= r.left && edge.x < r.right) : (edge.y >= r.top && edge.y < r.bottom))
      return c;
  }
  return nullptr;
}

void TSplitter::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(r);
  if (FBeveled)
    DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_RECT);
}

int TSplitter::NewSize(int Delta) {
  if (Align() == alRight || Align() == alBottom)
    Delta = -Delta;
  return std::clamp(FStartSize + Delta, FMinSize, std::max(FMinSize, FMaxSize));
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft)
    return;
  FControl = FindControl();
  if (FControl == nullptr)
    return;
  FDownPos = Point(X, Y);
  const bool vertical = IsVertical(Align());
  FStartSize = vertical ? FControl->Width() : FControl->Height();
  FLastSize = FStartSize;
  // Room the parent leaves: everything not taken by other aligned controls.
  TWinControl* parent = Parent();
  int room = vertical ? parent->ClientWidth() : parent->ClientHeight();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == FControl || !c->Visible())
      continue;
    bool takes = vertical ? (c->Align() == alLeft || c->Align() == alRight)
                          : (c->Align() == alTop || c->Align() == alBottom);
    if (takes)
      room -= vertical ? c->Width() : c->Height();
  }
  FMaxSize = room - FMinSize;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FControl == nullptr || !MouseCapture())
    return;
  const bool vertical = IsVertical(Align());
  // The splitter moves with the control's edge: the mouse's distance from
  // where it went down adds the distance the splitter has moved since.
  int delta = vertical ? X - FDownPos.x : Y - FDownPos.y;
  int moved = (FLastSize - FStartSize) * ((Align() == alRight || Align() == alBottom) ? -1 : 1);
  int size = NewSize(delta + moved);
  if (size == FLastSize)
    return;
  FLastSize = size;
  if (vertical)
    FControl->SetWidth(size);
  else
    FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (FControl == nullptr)
    return;
  bool moved = FLastSize != FStartSize;
  FControl = nullptr;
  if (moved && OnMoved)
    OnMoved(this);
}
