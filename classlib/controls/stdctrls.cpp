#include "classlib/controls/stdctrls.h"

#include <cctype>

#include "classlib/graphics/wintext.h"

void (*ParentFormModalResultHook)(TControl* Control, TModalResult Result) = nullptr;

bool IsAccel(WORD VK, const AnsiString& Str) {
  for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
    if (Str[i] != '&')
      continue;
    if (Str[i + 1] == '&') {
      ++i;  // "&&" is a literal "&"
      continue;
    }
    auto c = static_cast<unsigned char>(Str[i + 1]);
    return std::toupper(c) == std::toupper(static_cast<unsigned char>(VK & 0xFF));
  }
  return false;
}

// ---- Buttons ------------------------------------------------------------------------
IMPLEMENT_CLASS(TButtonControl)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

BEGIN_PUBLISHED(TButton)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(Cancel, Cancel, SetCancel).Default(false),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Default, Default, SetDefault).Default(false),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ModalResult, ModalResult, SetModalResult).Default(mrNone),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  FShownDefault = FDefault;
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  FActive = FDefault;
}

void TButton::SetButtonStyle(bool ADefault) {
  if (ADefault == FShownDefault)
    return;
  FShownDefault = ADefault;
  if (HandleAllocated())
    SendMessageW(FHandle, BM_SETSTYLE, ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value)
    return;
  FDefault = Value;
  if (HandleAllocated()) {
    TWinControl* top = TopLevelControl();
    top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(top->FocusedChild()));
  }
}

void TButton::Click() {
  if (ParentFormModalResultHook != nullptr)
    ParentFormModalResultHook(this, FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND)
    CNCommand(Message);
  else
    TButtonControl::Dispatch(Message);
}

void TButton::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED)
    Click();
}

// Enter clicks the active default button, Esc the cancel button, when no
// modifier is held.
void TButton::CMDialogKey(TMessage& Message) {
  bool enter = Message.WParam == VK_RETURN && FActive;
  bool escape = Message.WParam == VK_ESCAPE && FCancel;
  if ((enter || escape) && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

// Another button with the focus takes the default role while it has it.
void TButton::CMFocusChanged(TMessage& Message) {
  auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
  if (dynamic_cast<TButton*>(sender) != nullptr)
    FActive = sender == this;
  else
    FActive = FDefault;
  SetButtonStyle(FActive);
  TButtonControl::CMFocusChanged(Message);
}

// ---- Edits ------------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomEdit)

BEGIN_PUBLISHED(TEdit)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(CharCase, CharCase, SetCharCase).Default(ecNormal),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentCtl3D, ParentCtl3D, SetParentCtl3D).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PasswordChar, PasswordChar, SetPasswordChar).Default(0),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Text, Text, SetText),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (FBorderStyle == bsSingle)
    Params.Style |= WS_BORDER;
  if (FCharCase == ecUpperCase)
    Params.Style |= ES_UPPERCASE;
  else if (FCharCase == ecLowerCase)
    Params.Style |= ES_LOWERCASE;
  if (Ctl3D() && FBorderStyle == bsSingle) {
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FReadOnly)
    SendMessageW(FHandle, EM_SETREADONLY, TRUE, 0);
  if (FPasswordChar != '\0')
    SetPasswordChar(FPasswordChar);
  SendMessageW(FHandle, EM_SETMODIFY, FModifiedKept ? TRUE : FALSE, 0);
}

void TCustomEdit::DestroyWnd() {
  FModifiedKept = Modified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND)
    CNCommand(Message);
  else
    TWinControl::Dispatch(Message);
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating)
    Change();
}

// With a window the edit reports its own changes (EN_CHANGE); without one
// the text change is the change.
void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (!HandleAllocated())
    Change();
}

void TCustomEdit::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && HandleAllocated())
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CMCtl3DChanged(TMessage& Message) {
  if (FBorderStyle == bsSingle)
    RecreateWnd();
  TWinControl::CMCtl3DChanged(Message);
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value)
    return;
  FReadOnly = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
  if (FMaxLength == Value)
    return;
  FMaxLength = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value)
    return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char Value) {
  FPasswordChar = Value;
  if (!HandleAllocated())
    return;
  std::u16string wide = Value != '\0' ? AnsiToUtf16(std::string(1, Value)) : std::u16string();
  SendMessageW(FHandle, EM_SETPASSWORDCHAR, wide.empty() ? 0 : wide[0], 0);
  InvalidateRect(FHandle, nullptr, TRUE);
}

bool TCustomEdit::Modified() const {
  if (FHandle != nullptr)
    return SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
  return FModifiedKept;
}

void TCustomEdit::SetModified(bool Value) {
  FModifiedKept = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, EM_SETMODIFY, Value ? TRUE : FALSE, 0);
}

// Selection positions count characters of the 1254 text; the window counts
// UTF-16 units, which are the same for a single-byte code page.
int TCustomEdit::SelStart() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessageW(Handle(), EM_SETSEL, Value, Value); }

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageW(FHandle, EM_SETSEL, start, start + Value);
}

AnsiString TCustomEdit::SelText() {
  AnsiString text = Text();
  std::size_t start = static_cast<std::size_t>(SelStart());
  if (start >= text.size())
    return AnsiString();
  return text.substr(start, static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
  std::wstring wide = WideOf(Value);
  SendMessageW(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }


// ---- Labels -----------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomLabel)

BEGIN_PUBLISHED(TLabel)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(true),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(FocusControl, FocusControl, SetFocusControl),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Layout, Layout, SetLayout).Default(tlTop),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowAccelChar, ShowAccelChar, SetShowAccelChar).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(false),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseEnter, OnMouseEnter, OnMouseEnter),
  PROPERTY(OnMouseLeave, OnMouseLeave, OnMouseLeave),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = FControlStyle + TControlStyle{csOpaque, csReplicatable};
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR)
    CMDialogChar(Message);
  else
    TGraphicControl::Dispatch(Message);
}

UINT TCustomLabel::TextFlags() const {
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[FAlignment];
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  AnsiString text = GetLabelText();
  // An empty caption (or a lone "&") still measures one line high.
  if ((Flags & DT_CALCRECT) != 0 && (text.empty() || (FShowAccelChar && text == "&")))
    text += ' ';
  if (!FShowAccelChar)
    Flags |= DT_NOPREFIX;
  Flags = static_cast<UINT>(DrawTextBiDiModeFlags(static_cast<int>(Flags)));
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  if (!Enabled()) {
    OffsetRect(&Rect, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.TextRect(Rect, text, Flags);
    OffsetRect(&Rect, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.TextRect(Rect, text, Flags);
}

void TCustomLabel::Paint() {
  TCanvas& canvas = *Canvas();
  TRect client = ClientRect();
  if (!Transparent()) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(client);
  }
  canvas.Brush().SetStyle(bsClear);
  TRect rect = client;
  if (FLayout != tlTop) {
    TRect measured = client;
    DoDrawText(measured, TextFlags() | DT_CALCRECT);
    int textHeight = measured.bottom - measured.top;
    int offset = client.bottom - client.top - textHeight;
    OffsetRect(&rect, 0, FLayout == tlBottom ? offset : offset / 2);
  }
  DoDrawText(rect, TextFlags());
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !FAutoSize)
    return;
  TRect rect = ClientRect();
  HDC dc = GetDC(nullptr);
  TCanvas& canvas = *Canvas();
  canvas.SetHandle(dc);
  DoDrawText(rect, TextFlags() | DT_CALCRECT);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  int x = Left();
  TAlignment alignment = FAlignment;
  if (UseRightToLeftAlignment() && alignment != taCenter)
    alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  if (alignment == taRightJustify)
    x += Width() - rect.right;
  SetBounds(x, Top(), rect.right, rect.bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value)
    return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value)
    return;
  FLayout = Value;
  Invalidate();
}

bool TCustomLabel::Transparent() const { return !FControlStyle.Contains(csOpaque); }

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value)
    return;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value)
    return;
  if (FFocusControl != nullptr)
    FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value)
    return;
  FShowAccelChar = Value;
  Invalidate();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl)
    FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

// The label's accelerator focuses its FocusControl.
void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (FFocusControl != nullptr && Enabled() && FShowAccelChar &&
      IsAccel(static_cast<WORD>(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
  }
}

