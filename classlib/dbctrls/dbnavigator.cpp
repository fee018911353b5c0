#include "classlib/dbctrls/dbnavigator.h"

#include "classlib/forms/dialogs.h"
#include "classlib/forms/dialogtexts.h"

namespace {

const char* const DefaultHints[TDBNavigator::ButtonKinds] = {
    "First record", "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data"};

constexpr int MinButtonWidth = 8;

}  // namespace

// ---- The navigator's data link -------------------------------------------------------------
class TDBNavigator::TNavDataLink : public TDataLink {
public:
  explicit TNavDataLink(TDBNavigator& navigator) : navigator_(navigator) {}

protected:
  void ActiveChanged() override { navigator_.UpdateButtonStates(); }
  void DataSetChanged() override { navigator_.UpdateButtonStates(); }
  void EditingChanged() override { navigator_.UpdateButtonStates(); }

private:
  TDBNavigator& navigator_;
};

// ---- TNavButton ---------------------------------------------------------------------------
IMPLEMENT_CLASS(TNavButton)

TNavButton::TNavButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TDBNavigator* TNavButton::Navigator() const { return dynamic_cast<TDBNavigator*>(Parent()); }

void TNavButton::SetSymbol(TNavigateBtn Value) {
  if (FSymbol == Value)
    return;
  FSymbol = Value;
  Invalidate();
}

void TNavButton::Click() {
  TSpeedButton::Click();
  if (TDBNavigator* navigator = Navigator())
    navigator->BtnClick(FIndex);
}

void TNavButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TDBNavigator* navigator = Navigator();
  if (Button == mbLeft && navigator != nullptr) {
    navigator->SetFocusedButton(FIndex);
    if (navigator->TabStop() && !navigator->Focused() && navigator->CanFocus())
      navigator->SetFocus();
  }
  TSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TNavButton::Paint() {
  TSpeedButton::Paint();
  TCanvas& canvas = *Canvas();
  TRect client{0, 0, Width(), Height()};
  if (Glyph() == nullptr || Glyph()->Empty())
    PaintSymbol(canvas, client);
  TDBNavigator* navigator = Navigator();
  if (navigator != nullptr && navigator->Focused() && navigator->FocusedButton() == FIndex) {
    TRect focus{3, 3, Width() - 3, Height() - 3};
    canvas.Brush().SetColor(clBtnFace);
    canvas.Font().SetColor(clBtnText);
    canvas.DrawFocusRect(focus);
  }
}

// The symbol of the button's kind, about 9 pixels wide, in the middle.
void TNavButton::PaintSymbol(TCanvas& Canvas, const TRect& Client) {
  TColor color = Enabled() ? clBtnText : clGrayText;
  int cx = (Client.left + Client.right) / 2 + (State() == bsDown ? 1 : 0);
  int cy = (Client.top + Client.bottom) / 2 + (State() == bsDown ? 1 : 0);
  Canvas.Pen().SetColor(color);
  Canvas.Brush().SetColor(color);
  Canvas.Brush().SetStyle(bsSolid);
  auto left = [&](int x) { Canvas.Polygon({{x + 4, cy - 4}, {x, cy}, {x + 4, cy + 4}}); };
  auto right = [&](int x) { Canvas.Polygon({{x, cy - 4}, {x + 4, cy}, {x, cy + 4}}); };
  auto line = [&](int x1, int y1, int x2, int y2) {
    Canvas.MoveTo(x1, y1);
    Canvas.LineTo(x2, y2);
  };
  switch (FSymbol) {
    case nbFirst:
      Canvas.FillRect(TRect{cx - 4, cy - 4, cx - 2, cy + 5});
      left(cx);
      break;
    case nbPrior: left(cx - 2); break;
    case nbNext: right(cx - 2); break;
    case nbLast:
      right(cx - 4);
      Canvas.FillRect(TRect{cx + 2, cy - 4, cx + 4, cy + 5});
      break;
    case nbInsert:
      Canvas.FillRect(TRect{cx - 4, cy - 1, cx + 5, cy + 1});
      Canvas.FillRect(TRect{cx - 1, cy - 4, cx + 1, cy + 5});
      break;
    case nbDelete: Canvas.FillRect(TRect{cx - 4, cy - 1, cx + 5, cy + 1}); break;
    case nbEdit: Canvas.Polygon({{cx - 4, cy + 2}, {cx, cy - 2}, {cx + 4, cy + 2}}); break;
    case nbPost:
      for (int d = 0; d < 2; ++d) {
        line(cx - 4, cy + d, cx - 1, cy + 3 + d);
        line(cx - 1, cy + 3 + d, cx + 5, cy - 3 + d);
      }
      break;
    case nbCancel:
      for (int d = 0; d < 2; ++d) {
        line(cx - 4 + d, cy - 4, cx + 5 + d, cy + 5);
        line(cx + 4 + d, cy - 4, cx - 5 + d, cy + 5);
      }
      break;
    case nbRefresh:
      Canvas.Brush().SetStyle(bsClear);
      Canvas.Ellipse(cx - 4, cy - 4, cx + 5, cy + 5);
      Canvas.Brush().SetStyle(bsSolid);
      Canvas.Polygon({{cx + 2, cy - 6}, {cx + 5, cy - 3}, {cx + 1, cy - 2}});
      break;
  }
}

// ---- TDBNavigator -------------------------------------------------------------------------
BEGIN_PUBLISHED(TDBNavigator)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(ConfirmDelete, ConfirmDelete, SetConfirmDelete).Default(true),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Hints, Hints, SetHints),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(VisibleButtons, VisibleButtons, SetVisibleButtons)
      .Default(TButtonSet{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel,
                          nbRefresh}),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnResize, OnResize, OnResize),
END_PUBLISHED

TDBNavigator::TDBNavigator(TComponent* AOwner)
    : TCustomPanel(AOwner), FDataLink(std::make_unique<TNavDataLink>(*this)),
      FHints(std::make_unique<TStringList>()) {
  SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption});
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  for (int i = 0; i < ButtonKinds; ++i) {
    auto* button = new TNavButton(this);
    button->SetIndex(static_cast<TNavigateBtn>(i));
    button->SetEnabled(false);
    button->SetParent(this);
    FButtons[i] = button;
  }
  FHints->OnChange = [this](TObject*) { ApplyHints(); };
  ApplyHints();
  SetBounds(Left(), Top(), 241, 25);
}

TDBNavigator::~TDBNavigator() {
  FHints->OnChange = nullptr;
  SetLinkDataSource(this, *FDataLink, nullptr);
}

TDataSource* TDBNavigator::DataSource() const { return FDataLink->DataSource(); }

void TDBNavigator::SetDataSource(TDataSource* Value) {
  SetLinkDataSource(this, *FDataLink, Value);
  UpdateButtonStates();
}

void TDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink != nullptr && AComponent == FDataLink->DataSource())
    SetDataSource(nullptr);
}

void TDBNavigator::SetVisibleButtons(TButtonSet Value) {
  FVisibleButtons = Value;
  for (int i = 0; i < ButtonKinds; ++i)
    FButtons[i]->SetVisible(Value.Contains(static_cast<TNavigateBtn>(i)));
  if (!Value.Contains(FFocusedButton))
    MoveFocus(true);
  LayoutButtons();
}

void TDBNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutButtons();
}

void TDBNavigator::Loaded() {
  TCustomPanel::Loaded();
  LayoutButtons();
  ApplyHints();
  UpdateButtonStates();
}

// The visible buttons share the width left to right; the first ones take
// the pixels that do not divide evenly.
void TDBNavigator::LayoutButtons() {
  if (FButtons[0] == nullptr)
    return;
  int count = 0;
  for (int i = 0; i < ButtonKinds; ++i)
    count += FVisibleButtons.Contains(static_cast<TNavigateBtn>(i)) ? 1 : 0;
  if (count == 0)
    return;
  int width = std::max(Width() / count, MinButtonWidth);
  int extra = std::max(Width() - width * count, 0);
  int x = 0;
  for (int i = 0; i < ButtonKinds; ++i) {
    if (!FVisibleButtons.Contains(static_cast<TNavigateBtn>(i)))
      continue;
    int w = width + (extra > 0 ? 1 : 0);
    if (extra > 0)
      --extra;
    FButtons[i]->SetBounds(x, 0, w, Height());
    x += w;
  }
}

void TDBNavigator::ApplyHints() {
  for (int i = 0; i < ButtonKinds; ++i) {
    AnsiString hint = i < FHints->Count() ? FHints->Strings(i) : AnsiString();
    FButtons[i]->SetHint(hint.empty() ? AnsiString(DefaultHints[i]) : hint);
  }
}

void TDBNavigator::UpdateButtonStates() {
  TDataSet* dataSet = FDataLink->Active() ? FDataLink->DataSet() : nullptr;
  bool active = dataSet != nullptr && Enabled();
  bool up = active && !dataSet->Bof();
  bool down = active && !dataSet->Eof();
  bool canModify = active && dataSet->CanModify();
  bool editing = active && FDataLink->Editing();
  bool empty = active && dataSet->Bof() && dataSet->Eof();
  FButtons[nbFirst]->SetEnabled(up);
  FButtons[nbPrior]->SetEnabled(up);
  FButtons[nbNext]->SetEnabled(down);
  FButtons[nbLast]->SetEnabled(down);
  FButtons[nbInsert]->SetEnabled(canModify);
  FButtons[nbDelete]->SetEnabled(canModify && !empty);
  FButtons[nbEdit]->SetEnabled(canModify && !editing);
  FButtons[nbPost]->SetEnabled(canModify && editing);
  FButtons[nbCancel]->SetEnabled(canModify && editing);
  FButtons[nbRefresh]->SetEnabled(active);
}

void TDBNavigator::BtnClick(TNavigateBtn Index) {
  TDataSource* source = DataSource();
  if (source != nullptr && source->State() != dsInactive && source->DataSet() != nullptr) {
    TDataSet& dataSet = *source->DataSet();
    switch (Index) {
      case nbFirst: dataSet.First(); break;
      case nbPrior: dataSet.Prior(); break;
      case nbNext: dataSet.Next(); break;
      case nbLast: dataSet.Last(); break;
      case nbInsert: dataSet.Insert(); break;
      case nbEdit: dataSet.Edit(); break;
      case nbCancel: dataSet.Cancel(); break;
      case nbPost: dataSet.Post(); break;
      case nbRefresh: dataSet.Refresh(); break;
      case nbDelete:
        if (!FConfirmDelete ||
            MessageDlg(DeleteRecordQuestion(), mtConfirmation, TMsgDlgButtons{mbOK, mbCancel}, 0) != mrCancel)
          dataSet.Delete();
        break;
    }
  }
  if (OnClick)
    OnClick(this, Index);
}

void TDBNavigator::SetFocusedButton(TNavigateBtn Value) {
  if (FFocusedButton == Value)
    return;
  TNavigateBtn old = FFocusedButton;
  FFocusedButton = Value;
  FButtons[old]->Invalidate();
  FButtons[Value]->Invalidate();
}

void TDBNavigator::MoveFocus(bool Forward) {
  int index = FFocusedButton;
  for (int step = 0; step < ButtonKinds; ++step) {
    index = (index + (Forward ? 1 : ButtonKinds - 1)) % ButtonKinds;
    if (FVisibleButtons.Contains(static_cast<TNavigateBtn>(index))) {
      SetFocusedButton(static_cast<TNavigateBtn>(index));
      return;
    }
  }
}

void TDBNavigator::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomPanel::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RIGHT:
      MoveFocus(true);
      Key = 0;
      break;
    case VK_LEFT:
      MoveFocus(false);
      Key = 0;
      break;
    case VK_SPACE:
      if (FButtons[FFocusedButton]->Enabled())
        FButtons[FFocusedButton]->Click();
      Key = 0;
      break;
  }
}

void TDBNavigator::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomPanel::Dispatch(Message);
      FButtons[FFocusedButton]->Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      TCustomPanel::Dispatch(Message);
      UpdateButtonStates();
      return;
  }
  TCustomPanel::Dispatch(Message);
}
