#include "classlib/controls/alignment.h"

#include <vector>

#include "classlib/controls/wincontrol.h"

namespace {

// Whether C1 goes before C2 among the controls of one alignment: the one
// nearer the edge it sticks to comes first.
bool AlignsBefore(TControl* C1, TControl* C2, TAlign Align) {
  switch (Align) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default: return false;
  }
}

// Marks a control as being placed by its parent, so that the move does not
// count as a move by hand (its anchor distances stay).
class AligningScope {
public:
  explicit AligningScope(TControl* control) : control_(control) {
    control_->SetControlState(control_->ControlState() + TControlState{csAligning});
  }
  ~AligningScope() { control_->SetControlState(control_->ControlState() - TControlState{csAligning}); }
  AligningScope(const AligningScope&) = delete;
  AligningScope& operator=(const AligningScope&) = delete;

private:
  TControl* control_;
};

std::vector<TControl*> ControlsAligned(TWinControl& Parent, TControl* AControl, TAlign Align) {
  std::vector<TControl*> list;
  if (AControl != nullptr && AControl->Align() == Align && AControl->Visible() && AControl->Parent() == &Parent)
    list.push_back(AControl);
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* c = Parent.Controls(i);
    if (c == AControl || c->Align() != Align || !c->Visible())
      continue;
    std::size_t j = 0;
    while (j < list.size() && !AlignsBefore(c, list[j], Align))
      ++j;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
  }
  return list;
}

// Places one aligned child in Rect and takes its room off Rect.
void PositionAligned(TControl* Control, TAlign Align, TRect& Rect) {
  int width = Rect.right - Rect.left;
  if (width < 0 || Align == alLeft || Align == alRight || Align == alCustom)
    width = Control->Width();
  int height = Rect.bottom - Rect.top;
  if (height < 0 || Align == alTop || Align == alBottom || Align == alCustom)
    height = Control->Height();
  int left = Rect.left, top = Rect.top;
  switch (Align) {
    case alTop: Rect.top += height; break;
    case alBottom:
      Rect.bottom -= height;
      top = Rect.bottom;
      break;
    case alLeft: Rect.left += width; break;
    case alRight:
      Rect.right -= width;
      left = Rect.right;
      break;
    case alCustom:
      left = Control->Left();
      top = Control->Top();
      break;
    default: break;
  }
  {
    AligningScope aligning(Control);
    Control->SetBounds(left, top, width, height);
  }
  // Constraints may have kept the control smaller or larger than asked.
  int dw = width - Control->Width(), dh = height - Control->Height();
  switch (Align) {
    case alTop: Rect.top -= dh; break;
    case alBottom: Rect.bottom += dh; break;
    case alLeft: Rect.left -= dw; break;
    case alRight: Rect.right += dw; break;
    default: break;
  }
}

}  // namespace

void AlignChildren(TWinControl& Parent, TControl* AControl, TRect& Rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient, alCustom})
    for (TControl* c : ControlsAligned(Parent, AControl, align))
      PositionAligned(c, align, Rect);
  TRect client = Parent.ClientRect();
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* c = Parent.Controls(i);
    if (c->Align() != alNone || c == AControl)
      continue;
    AligningScope aligning(c);
    c->ApplyAnchorRules(client.right - client.left, client.bottom - client.top);
  }
}
