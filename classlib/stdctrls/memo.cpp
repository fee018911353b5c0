#include "classlib/stdctrls/memo.h"

// ---- Lines ----------------------------------------------------------------------------
IMPLEMENT_CLASS(TMemoStrings)

// A lone LF breaks a line too (text pasted from elsewhere).
std::vector<AnsiString> TMemoStrings::Split() const {
  std::vector<AnsiString> lines;
  AnsiString text = FMemo->Text();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    if (lf == AnsiString::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    std::size_t end = lf > start && text[lf - 1] == '\r' ? lf - 1 : lf;
    lines.push_back(text.substr(start, end - start));
    start = lf + 1;
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<AnsiString>& lines) {
  AnsiString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      text += "\r\n";
    text += lines[i];
  }
  FMemo->SetText(text);
}

void TMemoStrings::CheckIndex(int index, int count) const {
  if (index < 0 || index >= count)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TMemoStrings::Count() const { return static_cast<int>(Split().size()); }

AnsiString TMemoStrings::Get(int index) const {
  std::vector<AnsiString> lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  return lines[static_cast<std::size_t>(index)];
}

void TMemoStrings::Put(int index, const AnsiString& text) {
  std::vector<AnsiString> lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines[static_cast<std::size_t>(index)] = text;
  Join(lines);
}

void TMemoStrings::Insert(int index, const AnsiString& text) {
  std::vector<AnsiString> lines = Split();
  if (index < 0 || index > static_cast<int>(lines.size()))
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  lines.insert(lines.begin() + index, text);
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  std::vector<AnsiString> lines = Split();
  CheckIndex(index, static_cast<int>(lines.size()));
  lines.erase(lines.begin() + index);
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

AnsiString TMemoStrings::Text() const {
  AnsiString text = FMemo->Text();
  if (!text.empty() && text.back() != '\n')
    text += "\r\n";
  return text;
}

void TMemoStrings::SetText(const AnsiString& text) {
  std::vector<AnsiString> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find_first_of("\r\n", start);
    if (lf == AnsiString::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, lf - start));
    start = lf + (text[lf] == '\r' && lf + 1 < text.size() && text[lf + 1] == '\n' ? 2 : 1);
  }
  Join(lines);
}

// ---- The memo -------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomMemo)

BEGIN_PUBLISHED(TMemo)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Lines, Lines, SetLines),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ScrollBars, ScrollBars, SetScrollBars).Default(ssNone),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(WantReturns, WantReturns, SetWantReturns).Default(true),
  PROPERTY(WantTabs, WantTabs, SetWantTabs).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
  FControlStyle.Exclude(csFixedHeight);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  static const DWORD scrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
  Params.Style |= ES_MULTILINE | alignments[FAlignment] | scrollBars[FScrollBars];
  // Wrapping lines cannot scroll sideways.
  if (FWordWrap && FScrollBars != ssHorizontal && FScrollBars != ssBoth)
    Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value)
    return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

TPoint TCustomMemo::CaretPos() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  int line = static_cast<int>(SendMessageW(FHandle, EM_LINEFROMCHAR, end, 0));
  int lineStart = static_cast<int>(SendMessageW(FHandle, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
  return TPoint{static_cast<LONG>(end) - lineStart, line};
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE)
    WMGetDlgCode(Message);
  else
    TCustomEdit::Dispatch(Message);
}

// The window wants every key; Enter and Tab go to the form unless wanted.
void TCustomMemo::WMGetDlgCode(TMessage& Message) {
  TCustomEdit::Dispatch(Message);
  if (FWantTabs)
    Message.Result |= DLGC_WANTTAB;
  else
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
  if (!FWantReturns)
    Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

// An Enter the form did not take types nothing unless WantReturns.
void TCustomMemo::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == '\r' && !FWantReturns)
    Key = '\0';
}

// A multi-line edit does not report text set by code (no EN_CHANGE after
// WM_SETTEXT), so the memo reports it itself; typing is reported by EN_CHANGE.
void TCustomMemo::CMTextChanged(TMessage& Message) {
  TControl::CMTextChanged(Message);
  Change();
}
