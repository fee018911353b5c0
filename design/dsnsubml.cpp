#include "design/dsnsubml.h"

#include <algorithm>
#include <vector>

#include "design/dsnpanel.h"
#include "design/dsnshape.h"

IMPLEMENT_CLASS(TDsnMlRegister)

namespace {

// Rubber bands are drawn in maroon.
constexpr TColor MarqueeColor = 128;

}  // namespace

TDsnMlRegister::TDsnMlRegister(TComponent* AOwner) : TDsnRegister(AOwner) {}

TDsnMlRegister::~TDsnMlRegister() = default;

void TDsnMlRegister::DoMouseDown(TWinControl* Cover, TControl* Target, TShiftState Shift, TPoint Point) {
  if (PaletteHasTemplate() || !(Shift.Contains(ssCtrl) || dynamic_cast<TDsnStage*>(Target) != nullptr)) {
    TDsnRegister::DoMouseDown(Cover, Target, Shift, Point);
    return;
  }
  try {
    MarqueeStart(Cover, Target, Shift, Point);
  } catch (...) {
    DropOutlines();
    throw;
  }
}

void TDsnMlRegister::DoMouseMove(TWinControl* Cover, TPoint Point, TShiftState Shift) {
  if (PaletteHasTemplate() || FMarqueeShape == nullptr) {
    TDsnRegister::DoMouseMove(Cover, Point, Shift);
    return;
  }
  try {
    MarqueeMove(Cover, Point, Shift);
  } catch (...) {
    DropOutlines();
    throw;
  }
}

void TDsnMlRegister::DoMouseUp(TWinControl* Cover, TPoint Point, TShiftState Shift) {
  if (PaletteHasTemplate() || FMarqueeShape == nullptr) {
    TDsnRegister::DoMouseUp(Cover, Point, Shift);
    return;
  }
  try {
    MarqueeEnd(Cover, Point, Shift);
  } catch (...) {
    DropOutlines();
    throw;
  }
}

void TDsnMlRegister::SelectForPopup(TWinControl* Cover, TControl* Target, int, int) {
  SelectForPopupTarget(Cover, Target, true);
}

void TDsnMlRegister::DropOutlines() {
  FMarqueeShape.reset();
  TDsnRegister::DropOutlines();
}

void TDsnMlRegister::CreateMarqueeShape() {
  FMarqueeShape.reset();
  FMarqueeShape = std::make_unique<TMultiShape>();
  FMarqueeShape->Color = MarqueeColor;
  FMarqueeShape->PenWidth = 1;
  FMarqueeShape->PenStyle = psDot;
}

void TDsnMlRegister::MarqueeStart(TWinControl* Cover, TControl*, TShiftState, TPoint Point) {
  FPressParent = ContainerFor(Cover, Point);
  CreateMarqueeShape();
  Point = Snapped(Point);
  FStartX = Point.x;
  FStartY = Point.y;
  FMarqueeShape->SetSingleRect();
  FMarqueeShape->Show(FPressParent);
}

void TDsnMlRegister::MarqueeMove(TWinControl* Cover, TPoint Point, TShiftState) {
  if (FMarqueeShape == nullptr || FPressParent == nullptr)
    return;
  Point = Snapped(Point);
  Point = InContainer(Cover, Point);
  FMarqueeShape->SetWidth(Point.x - FStartX);
  FMarqueeShape->SetHeight(Point.y - FStartY);
  FMarqueeShape->MoveTo(FPressParent->ClientToScreen(::Point(FStartX, FStartY)));
}

void TDsnMlRegister::MarqueeEnd(TWinControl* Cover, TPoint Point, TShiftState) {
  // The release point is taken as it is, without the grid.
  Point = InContainer(Cover, Point);
  FMarqueeShape.reset();
  if (FPressParent == nullptr)
    return;
  TTargetList* selection = MakeSelection();
  selection->Clear();
  const TRect band{std::min(FStartX, static_cast<int>(Point.x)), std::min(FStartY, static_cast<int>(Point.y)),
                   std::max(FStartX, static_cast<int>(Point.x)), std::max(FStartY, static_cast<int>(Point.y))};
  // The children as they are now: what selecting adds to the container
  // (grips) is no candidate.
  std::vector<TControl*> children;
  for (int i = 0; i < FPressParent->ControlCount(); ++i)
    children.push_back(FPressParent->Controls(i));
  for (TControl* child : children) {
    if (!AskSelect(child).Contains(saMove))
      continue;
    const TRect bounds{child->Left(), child->Top(), child->Left() + child->Width(), child->Top() + child->Height()};
    TRect meet;
    if (IntersectRect(&meet, &bounds, &band))
      selection->Add(child);
  }
  selection->Update();
}
