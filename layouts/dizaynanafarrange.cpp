// The designer's arrangement commands: the ten buttons of the alignment bar,
// the searches for the outermost selected controls, the ruler and grid
// buttons and the numbering of selected controls.
//
// These change the layout as much as a mouse move does, so each of them
// marks the layout modified and closing the designer asks to save them.
#include "classlib/controls/controlmaking.h"
#include "layouts/core/arrangement.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/report/quickrep.h"

namespace {

struct TAlignmentButton {
  TToolButton* TDizaynAnaF::*Field;
  const char* Name;
  const char* Caption;
  const char* Hint;
  TMethod (*Bind)(TDizaynAnaF*);
};

// In bar order, top to bottom.
const TAlignmentButton AlignmentButtons[] = {
    {&TDizaynAnaF::ToolButton8, "ToolButton8", "|<", "Sol tarafa hizala", &Method<&TDizaynAnaF::ToolButton8Click>},
    {&TDizaynAnaF::ToolButton9, "ToolButton9", "|", "Yatay olarak hizala", &Method<&TDizaynAnaF::ToolButton9Click>},
    {&TDizaynAnaF::ToolButton10, "ToolButton10", "<>", "Yatay olarak ortala", &Method<&TDizaynAnaF::ToolButton10Click>},
    {&TDizaynAnaF::ToolButton11, "ToolButton11", "..", "Yatay olarak esit aralik ver", &Method<&TDizaynAnaF::ToolButton11Click>},
    {&TDizaynAnaF::ToolButton12, "ToolButton12", ">|", "Sag tarafa hizala", &Method<&TDizaynAnaF::ToolButton12Click>},
    {&TDizaynAnaF::ToolButton13, "ToolButton13", "^", "Ust tarafa hizala", &Method<&TDizaynAnaF::ToolButton13Click>},
    {&TDizaynAnaF::ToolButton14, "ToolButton14", "-", "Dikey olarak hizala", &Method<&TDizaynAnaF::ToolButton14Click>},
    {&TDizaynAnaF::ToolButton15, "ToolButton15", "^v", "Dikey olarak ortala", &Method<&TDizaynAnaF::ToolButton15Click>},
    {&TDizaynAnaF::ToolButton16, "ToolButton16", ":", "Dikey olarak esit bosluk ver", &Method<&TDizaynAnaF::ToolButton16Click>},
    {&TDizaynAnaF::ToolButton17, "ToolButton17", "v", "Alt tarafa hizala", &Method<&TDizaynAnaF::ToolButton17Click>},
};

constexpr int GridDown = 8;
constexpr int GridUp = 1;

int PositionOf(const TControl* C, bool Horizontal) { return Horizontal ? C->Left() : C->Top(); }
int SizeOf(const TControl* C, bool Horizontal) { return Horizontal ? C->Width() : C->Height(); }

void PlaceAt(TControl* C, bool Horizontal, int Position) {
  if (Horizontal)
    C->SetLeft(Position);
  else
    C->SetTop(Position);
}

}  // namespace

void TDizaynAnaF::CreateAlignmentButtons() {
  ToolBarAlignment->SetShowCaptions(true);
  ToolBarAlignment->SetFlat(true);
  for (const TAlignmentButton& entry : AlignmentButtons) {
    auto* button = MakeControl<TToolButton>(this, ToolBarAlignment, entry.Name);
    button->SetCaption(entry.Caption);
    button->SetHint(entry.Hint);
    // One button a row: the bar stands at the right of the page area.
    button->SetWrap(true);
    button->OnClick = entry.Bind(this);
    this->*entry.Field = button;
  }
}

// ---- The selection ---------------------------------------------------------------------

std::vector<TControl*> TDizaynAnaF::SelectedControls() {
  std::vector<TControl*> controls;
  const int count = DsnStage1->SelectedCount();
  for (int i = 0; i < count; ++i)
    if (TControl* c = DsnStage1->SelectedControl(i))
      controls.push_back(c);
  return controls;
}

int TDizaynAnaF::TopSelected() {
  const int count = DsnStage1->SelectedCount();
  return count > 0 ? count - 1 : 0;
}

TControl* TDizaynAnaF::SelectedExtreme(bool Horizontal, bool FarSide) {
  const std::vector<TControl*> controls = SelectedControls();
  std::vector<int> values;
  for (const TControl* c : controls)
    values.push_back(PositionOf(c, Horizontal) + (FarSide ? SizeOf(c, Horizontal) : 0));
  const int index = OutermostIndex(values, !FarSide);
  return index >= 0 ? controls[index] : nullptr;
}

TControl* TDizaynAnaF::GetLeftObject() { return SelectedExtreme(true, false); }
TControl* TDizaynAnaF::GetRightObject() { return SelectedExtreme(true, true); }
TControl* TDizaynAnaF::GetTopObject() { return SelectedExtreme(false, false); }
TControl* TDizaynAnaF::GetBottomObject() { return SelectedExtreme(false, true); }

// ---- The commands ----------------------------------------------------------------------

void TDizaynAnaF::AlignSelection(bool Horizontal, TAlignLine Line) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.size() < 2)
    return;
  const TControl* s0 = controls.front();
  const int refPos = PositionOf(s0, Horizontal);
  const int refSize = SizeOf(s0, Horizontal);
  for (TControl* c : controls)
    PlaceAt(c, Horizontal, AlignedPosition(Line, refPos, refSize, SizeOf(c, Horizontal)));
  LayoutModified = true;
  DsnStage1->UpdateSelection();
}

void TDizaynAnaF::CentreSelection(bool Horizontal) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.empty())
    return;
  const TControl* lowest = SelectedExtreme(Horizontal, false);
  const TControl* highest = SelectedExtreme(Horizontal, true);
  const TWinControl* parent = highest->Parent();
  if (parent == nullptr)
    return;
  const int shift = CentringShift(PositionOf(lowest, Horizontal),
                                  PositionOf(highest, Horizontal) + SizeOf(highest, Horizontal),
                                  SizeOf(parent, Horizontal));
  for (TControl* c : controls)
    PlaceAt(c, Horizontal, PositionOf(c, Horizontal) - shift);
  LayoutModified = true;
  DsnStage1->UpdateSelection();
}

void TDizaynAnaF::SpaceSelection(bool Horizontal) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.size() < 3)
    return;
  std::vector<int> positions;
  for (const TControl* c : controls)
    positions.push_back(PositionOf(c, Horizontal));
  const std::vector<int> spaced = EvenlySpaced(positions);
  for (std::size_t i = 0; i < controls.size(); ++i)
    PlaceAt(controls[i], Horizontal, spaced[i]);
  LayoutModified = true;
  DsnStage1->UpdateSelection();
}

void TDizaynAnaF::ToolButton8Click(TObject*) { AlignSelection(true, TAlignLine::Near); }
void TDizaynAnaF::ToolButton9Click(TObject*) { AlignSelection(true, TAlignLine::Centre); }
void TDizaynAnaF::ToolButton10Click(TObject*) { CentreSelection(true); }
void TDizaynAnaF::ToolButton11Click(TObject*) { SpaceSelection(true); }
void TDizaynAnaF::ToolButton12Click(TObject*) { AlignSelection(true, TAlignLine::Far); }
void TDizaynAnaF::ToolButton13Click(TObject*) { AlignSelection(false, TAlignLine::Near); }
void TDizaynAnaF::ToolButton14Click(TObject*) { AlignSelection(false, TAlignLine::Centre); }
void TDizaynAnaF::ToolButton15Click(TObject*) { CentreSelection(false); }
void TDizaynAnaF::ToolButton16Click(TObject*) { SpaceSelection(false); }
void TDizaynAnaF::ToolButton17Click(TObject*) { AlignSelection(false, TAlignLine::Far); }

// ---- Ruler, grid and numbering ---------------------------------------------------------

void TDizaynAnaF::ToolButton18Click(TObject*) {
  if (CurrentQuickRep != nullptr && !IsZReport())
    CurrentQuickRep->Page()->SetRuler(ToolButton18->Down());
}

// The controller copies the grid from the stage when it is linked to it.
void TDizaynAnaF::ToolButton19Click(TObject*) {
  const int grid = ToolButton19->Down() ? GridDown : GridUp;
  DsnStage1->Rubberband()->SetMoveWidth(grid);
  DsnStage1->Rubberband()->SetMoveHeight(grid);
  DsnDpRegister1->SetDsnStage(DsnStage1);
}

// The character number of a text printable is its tag: numbered in the
// order the user selected them.
void TDizaynAnaF::OtomatikKarakterNo1Click(TObject*) {
  const std::vector<TControl*> controls = SelectedControls();
  if (controls.size() < 2)
    return;
  for (std::size_t i = 0; i < controls.size(); ++i)
    controls[i]->SetTag(static_cast<int>(i) + 1);
  LayoutModified = true;
}
