#include "classlib/controls/control.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/strutils.h"

// Left, Top, Width and Height are published here, as the platform's base
// control does, so every control streams its bounds; the other properties
// are published by the classes that show them.
BEGIN_PUBLISHED(TControl)
  PROPERTY(Left, Left, SetLeft),
  PROPERTY(Top, Top, SetTop),
  PROPERTY(Width, Width, SetWidth),
  PROPERTY(Height, Height, SetHeight),
  PROPERTY(Cursor, Cursor, SetCursor).TypeName("TCursor").Default(crDefault),
  PROPERTY(Hint, Hint, SetHint),
  PROPERTY(HelpContext, HelpContext, SetHelpContext).Default(0),
END_PUBLISHED

namespace {

struct TCursorName {
  TCursor Cursor;
  const char* Name;
};

// The standard cursors by the names component streams give them.
constexpr TCursorName kCursorNames[] = {
    {crDefault, "crDefault"},   {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},       {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
    {crAppStart, "crAppStart"}, {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

// Every control links this unit, so cursors stream by name before any
// control is read or written.
[[maybe_unused]] const bool kCursorIdentsRegistered = [] {
  RegisterIntegerConsts("TCursor", IdentToCursor, CursorToIdent);
  return true;
}();

}  // namespace

bool CursorToIdent(int Cursor, AnsiString& Ident) {
  for (const TCursorName& entry : kCursorNames)
    if (entry.Cursor == Cursor) {
      Ident = entry.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(const AnsiString& Ident, int& Cursor) {
  for (const TCursorName& entry : kCursorNames)
    if (SameText(Ident, entry.Name)) {
      Cursor = entry.Cursor;
      return true;
    }
  return false;
}

HCURSOR (*CursorHandleHook)(TCursor Cursor) = StandardCursorHandle;
bool (*PopupMenuHook)(TComponent* PopupMenu, TControl* Control, TPoint ScreenPos) = nullptr;
void (*HintMouseMessageHook)(TControl* Control, TMessage& Message) = nullptr;
std::unique_ptr<TControlActionLink> (*ControlActionLinkFactory)(TControl* Control, TComponent* Action) = nullptr;

namespace {

void ReportToDebugger(TObject* Sender) {
  std::string text = "Unhandled exception in a message handler";
  try {
    throw;
  } catch (const Exception& e) {
    text += ": " + e.Message;
  } catch (const std::exception& e) {
    text += ": " + std::string(e.what());
  } catch (...) {
  }
  (void)Sender;
  OutputDebugStringW(WideOf(text).c_str());
  std::fprintf(stderr, "%s\n", text.c_str());
}

// The control the mouse is over and the one that holds the mouse capture.
TControl* gMouseControl = nullptr;
TControl* gCaptureControl = nullptr;

}  // namespace

void (*ApplicationHandleException)(TObject* Sender) = ReportToDebugger;

TControl* MouseControl() { return gMouseControl; }
TControl* CaptureControl() { return gCaptureControl; }

HCURSOR StandardCursorHandle(TCursor Cursor) {
  const wchar_t* id = nullptr;
  switch (Cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass:
    case crSQLWait: id = IDC_WAIT; break;
    case crDrag:
    case crMultiDrag:
    case crNoDrop:
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
  }
  return LoadCursorW(nullptr, id);
}

bool ClassDescendsFrom(TClass AClass, const char* Name) {
  for (TClass c = AClass; c != nullptr; c = c->Parent)
    if (std::strcmp(c->Name, Name) == 0)
      return true;
  return false;
}

// ---- Life --------------------------------------------------------------------
TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>()), FFont(std::make_unique<TFont>()) {
  WindowProc = Method<&TControl::WndProc>(this);
  FFont->OnChange = Method<&TControl::FontObjectChanged>(this);
  FConstraints->OnChange = Method<&TControl::ConstraintsChanged>(this);
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (gMouseControl == this)
    gMouseControl = nullptr;
  if (gCaptureControl == this)
    gCaptureControl = nullptr;
}

TControl::~TControl() {
  if (gMouseControl == this)
    gMouseControl = nullptr;
  if (gCaptureControl == this)
    gCaptureControl = nullptr;
  if (FParent != nullptr)
    FParent->Remove(this);
  FActionLink.reset();
}

// ---- Bounds --------------------------------------------------------------------
void TControl::ConstrainedResize(int& NewWidth, int& NewHeight) { FConstraints->Apply(NewWidth, NewHeight); }

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ConstrainedResize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  if (FParent != nullptr)
    FParent->AlignControl(this);
  if (!ComponentState().Contains(csLoading))
    Resize();
}

void TControl::Resize() {
  if (OnResize)
    OnResize(this);
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }

void TControl::SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() {
  TPoint p{FLeft, FTop};
  if (FParent != nullptr) {
    TPoint origin = FParent->ClientOrigin();
    p.x += origin.x;
    p.y += origin.y;
  }
  return p;
}

TPoint TControl::ClientToScreen(const TPoint& P) {
  TPoint origin = ClientOrigin();
  return TPoint{P.x + origin.x, P.y + origin.y};
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  TPoint origin = ClientOrigin();
  return TPoint{P.x - origin.x, P.y - origin.y};
}

// ---- Anchors -------------------------------------------------------------------
// The parent's client size as alignment sees it.
static SIZE ParentClientSize(TWinControl* Parent) {
  TRect r = Parent->ClientRect();
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TControl::UpdateAnchorRules() {
  if (FControlState.Contains(csAligning) || ComponentState().Contains(csLoading))
    return;
  FAnchorBounds = BoundsRect();
  FAnchorRulesValid = false;
  if (FParent != nullptr) {
    FAnchorParentSize = ParentClientSize(FParent);
    FAnchorRulesValid = FAnchorParentSize.cx > 0 || FAnchorParentSize.cy > 0;
  }
}

void TControl::ApplyAnchorRules(int ParentWidth, int ParentHeight) {
  if (FAnchors == TAnchors{akLeft, akTop})
    return;
  if (!FAnchorRulesValid) {
    // The parent had no size when the control was placed: its first size is
    // the one the anchors keep distances to.
    UpdateAnchorRules();
    return;
  }
  int dx = ParentWidth - FAnchorParentSize.cx;
  int dy = ParentHeight - FAnchorParentSize.cy;
  int left = FAnchorBounds.left, width = FAnchorBounds.right - FAnchorBounds.left;
  int top = FAnchorBounds.top, height = FAnchorBounds.bottom - FAnchorBounds.top;
  bool l = FAnchors.Contains(akLeft), r = FAnchors.Contains(akRight);
  if (l && r)
    width += dx;
  else if (r)
    left += dx;
  else if (!l)
    left += dx / 2;
  bool t = FAnchors.Contains(akTop), b = FAnchors.Contains(akBottom);
  if (t && b)
    height += dy;
  else if (b)
    top += dy;
  else if (!t)
    top += dy / 2;
  SetBounds(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value)
    return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value)
    return;
  TAlign old = FAlign;
  FAlign = Value;
  FAnchors = Value == alNone || Value == alCustom ? TAnchors{akLeft, akTop}
           : Value == alTop                       ? TAnchors{akLeft, akTop, akRight}
           : Value == alBottom                    ? TAnchors{akLeft, akRight, akBottom}
           : Value == alLeft                      ? TAnchors{akLeft, akTop, akBottom}
           : Value == alRight                     ? TAnchors{akTop, akRight, akBottom}
                                                  : TAnchors{akLeft, akTop, akRight, akBottom};
  if (old != alNone && Value == alNone)
    UpdateAnchorRules();
  if (FParent != nullptr)
    FParent->AlignControl(this);
}

// ---- Parent, visibility, state -------------------------------------------------
void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent)
    return;
  if (static_cast<TControl*>(AParent) == this)
    throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent != nullptr)
    FParent->RemoveControl(this);
  if (AParent != nullptr) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value))
    SetParent(parent);
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value)
    return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  if (FParent != nullptr)
    FParent->AlignControl(this);
}

void TControl::Show() {
  if (FParent != nullptr && !FParent->Visible() && FParent->Parent() != nullptr)
    FParent->Show();
  SetVisible(true);
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

// ---- Appearance ----------------------------------------------------------------
void TControl::SetColor(TColor Value) {
  if (FColor == Value)
    return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value)
    return;
  FParentColor = Value;
  if (Value && FParent != nullptr)
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value)
    return;
  FParentFont = Value;
  if (Value && FParent != nullptr)
    Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontObjectChanged(TObject* Sender) { FontChanged(Sender); }

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value)
    return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value)
    return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value)
    return;
  FParentBiDiMode = Value;
  if (Value && FParent != nullptr)
    Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

int TControl::DrawTextBiDiModeFlags(int Flags) const {
  int result = Flags;
  if (UseRightToLeftAlignment()) {
    if ((Flags & DT_RIGHT) == DT_RIGHT)
      result &= ~DT_RIGHT;
    else if ((Flags & DT_CENTER) != DT_CENTER)
      result |= DT_RIGHT;
  }
  return result | DrawTextBiDiModeFlagsReadingOnly();
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value && !FParentShowHint)
    return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value)
    return;
  FParentShowHint = Value;
  if (Value && FParent != nullptr)
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

// ---- Text ------------------------------------------------------------------------
AnsiString TControl::GetText() const {
  auto* self = const_cast<TControl*>(this);
  LRESULT length = self->Perform(WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0)
    return AnsiString();
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  LRESULT copied = self->Perform(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied < 0)
    copied = 0;
  return AnsiOf(buffer.data(), static_cast<std::size_t>(copied < length ? copied : length));
}

void TControl::SetText(const AnsiString& Value) {
  if (GetText() == Value)
    return;
  std::wstring wide = WideOf(Value);
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const AnsiString& NewName) {
  auto* ownerControl = dynamic_cast<TControl*>(Owner());
  bool changeText = FControlStyle.Contains(csSetCaption) && !ComponentState().Contains(csLoading) &&
                    Name() == GetText() &&
                    (ownerControl == nullptr || !ownerControl->ComponentState().Contains(csLoading));
  TComponent::SetName(NewName);
  if (changeText)
    SetText(NewName);
}

// ---- Menu and action ---------------------------------------------------------------
void TControl::SetPopupMenuComponent(TComponent* Value) {
  if (Value != nullptr && !ClassDescendsFrom(Value->ClassType(), "TPopupMenu"))
    throw EInvalidCast("Invalid class typecast");
  if (FPopupMenu == Value)
    return;
  if (FPopupMenu != nullptr)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TControl::SetActionComponent(TComponent* Value) {
  if (Value != nullptr && !ClassDescendsFrom(Value->ClassType(), "TBasicAction"))
    throw EInvalidCast("Invalid class typecast");
  if (FAction == Value)
    return;
  if (FAction != nullptr)
    FAction->RemoveFreeNotification(this);
  FActionLink.reset();
  FAction = Value;
  if (Value == nullptr)
    return;
  Value->FreeNotification(this);
  if (ControlActionLinkFactory != nullptr)
    FActionLink = ControlActionLinkFactory(this, Value);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FPopupMenu)
    FPopupMenu = nullptr;
  if (AComponent == FAction) {
    FActionLink.reset();
    FAction = nullptr;
  }
}

void TControl::ReadState(TReader& Reader) {
  FControlState.Include(csReadingState);
  try {
    TComponent::ReadState(Reader);
  } catch (...) {
    FControlState.Exclude(csReadingState);
    throw;
  }
  FControlState.Exclude(csReadingState);
  if (FParent == nullptr)
    return;
  Perform(CM_PARENTCOLORCHANGED, 0, 0);
  Perform(CM_PARENTFONTCHANGED, 0, 0);
  Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
  if (FParent != nullptr)
    FParent->AlignControl(this);
}

// ---- Mouse capture -------------------------------------------------------------------
bool TControl::MouseCapture() const { return gCaptureControl == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value)
    return;
  if (!Value) {
    gCaptureControl = nullptr;
    ReleaseCapture();
    return;
  }
  // A non-windowed control captures through its parent's window, which
  // hands it every mouse message until the capture ends.
  TWinControl* window = dynamic_cast<TWinControl*>(this);
  if (window == nullptr)
    window = FParent;
  if (window == nullptr || !window->HandleAllocated())
    return;
  gCaptureControl = this;
  SetCapture(window->Handle());
}

// ---- Messages ------------------------------------------------------------------------
LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
      Message.Msg != WM_MOUSEHWHEEL) {
    if (!FControlStyle.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN; break;
      }
    }
    switch (Message.Msg) {
      case WM_MOUSEMOVE: {
        TControl* target = MouseTargetAt(Message.XPos(), Message.YPos());
        SetMouseControl(target);
        if (HintMouseMessageHook != nullptr)
          HintMouseMessageHook(target, Message);
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: FControlState.Include(csLButtonDown); break;
      case WM_LBUTTONUP: FControlState.Exclude(csLButtonDown); break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseButton(Message, mbLeft, true, false); break;
    case WM_LBUTTONDBLCLK: WMMouseButton(Message, mbLeft, true, true); break;
    case WM_LBUTTONUP: WMMouseButton(Message, mbLeft, false, false); break;
    case WM_RBUTTONDOWN: WMMouseButton(Message, mbRight, true, false); break;
    case WM_RBUTTONDBLCLK: WMMouseButton(Message, mbRight, true, true); break;
    case WM_RBUTTONUP: WMMouseButton(Message, mbRight, false, false); break;
    case WM_MBUTTONDOWN: WMMouseButton(Message, mbMiddle, true, false); break;
    case WM_MBUTTONDBLCLK: WMMouseButton(Message, mbMiddle, true, true); break;
    case WM_MBUTTONUP: WMMouseButton(Message, mbMiddle, false, false); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_PARENTBIDIMODECHANGED:
      if (FParentBiDiMode && FParent != nullptr) {
        SetBiDiMode(FParent->BiDiMode());
        FParentBiDiMode = true;
      }
      break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_MOUSEWHEEL: CMMouseWheel(Message); break;
    default: DefaultHandler(Message); break;
  }
}

// Non-windowed controls keep their text here; windowed ones pass these to
// the window (TWinControl::DefaultHandler).
void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(WideOf(FText).size()); break;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(Message.LParam);
      std::size_t capacity = Message.WParam;
      if (buffer == nullptr || capacity == 0) {
        Message.Result = 0;
        break;
      }
      std::wstring wide = WideOf(FText);
      std::size_t count = wide.size() < capacity - 1 ? wide.size() : capacity - 1;
      wide.copy(buffer, count);
      buffer[count] = L'\0';
      Message.Result = static_cast<LRESULT>(count);
      break;
    }
    case WM_SETTEXT: {
      auto* text = reinterpret_cast<const wchar_t*>(Message.LParam);
      FText = AnsiOf(text);
      Message.Result = TRUE;
      break;
    }
    default: break;
  }
}

// The window class sees the mouse first (a standard button presses itself),
// then the library's capture, click and event handling follow.
void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double) {
  DefaultHandler(Message);
  TShiftState shift = KeysToShiftState(Message.WParam);
  int x = Message.XPos(), y = Message.YPos();
  if (Down) {
    if (FControlStyle.Contains(csCaptureMouse))
      SetMouseCapture(true);
    if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) {
      if (Double)
        DblClick();
      else
        FControlState.Include(csClicked);
    }
    if (Double)
      shift.Include(ssDouble);
    if (!FControlStyle.Contains(csNoStdEvents))
      MouseDown(Button, shift, x, y);
    return;
  }
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  if (Button == mbLeft && FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    TRect r = ClientRect();
    POINT p{x, y};
    if (PtInRect(&r, p))
      Click();
  }
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseUp(Button, shift, x, y);
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseMove(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0)
    return;
  TPoint pos{Message.XPos(), Message.YPos()};
  bool fromKeyboard = pos.x == -1 && pos.y == -1;
  if (FPopupMenu != nullptr && PopupMenuHook != nullptr) {
    if (fromKeyboard)
      pos = ClientToScreen(Point(0, 0));
    if (PopupMenuHook(FPopupMenu, this, pos)) {
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel)
    OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

// WParam: shift state bits in the low byte, wheel delta in the high word;
// LParam: the screen point. Unhandled, the parent gets it.
void TControl::CMMouseWheel(TMessage& Message) {
  TShiftState shift = TShiftState::FromBits(Message.WParam & 0xFF);
  int delta = static_cast<short>(Message.WParamHi());
  TPoint pos{Message.XPos(), Message.YPos()};
  if (DoMouseWheel(shift, delta, pos)) {
    Message.Result = 1;
    return;
  }
  if (FParent != nullptr)
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

void TControl::Click() {
  if (FActionLink != nullptr && FActionLink->Execute(this))
    return;
  if (OnClick)
    OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick)
    OnDblClick(this);
}

// ---- Mouse enter and leave ------------------------------------------------------------
void TControl::SetMouseControl(TControl* Control) {
  if (gMouseControl == Control)
    return;
  TControl* old = gMouseControl;
  gMouseControl = Control;
  if (old != nullptr)
    old->Perform(CM_MOUSELEAVE, 0, 0);
  if (Control != nullptr && gMouseControl == Control)
    Control->Perform(CM_MOUSEENTER, 0, 0);
}

// LParam 0: the mouse came to this control. Otherwise LParam is the child it
// came to, passed on so that containers hear of it too.
void TControl::CMMouseEnter(TMessage& Message) {
  if (Message.LParam == 0)
    MouseEnter();
  if (FParent != nullptr)
    FParent->Perform(CM_MOUSEENTER, 0, Message.LParam == 0 ? reinterpret_cast<LPARAM>(this) : Message.LParam);
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (Message.LParam == 0)
    MouseLeave();
  if (FParent != nullptr)
    FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam == 0 ? reinterpret_cast<LPARAM>(this) : Message.LParam);
}

// ---- Change notifications ----------------------------------------------------------------
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); }

void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& Message) {
  if (!FParentFont)
    return;
  TFont* source = Message.WParam != 0 ? reinterpret_cast<TFont*>(Message.LParam)
                  : FParent != nullptr  ? FParent->Font()
                                        : nullptr;
  if (source != nullptr)
    FFont->Assign(source);
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor)
    return;
  TColor color = Message.WParam != 0 ? static_cast<TColor>(Message.LParam)
                 : FParent != nullptr ? FParent->Color()
                                      : FColor;
  SetColor(color);
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || FParent == nullptr)
    return;
  SetShowHint(FParent->ShowHint());
  FParentShowHint = true;
}

// ---- Painting and order ----------------------------------------------------------------------
void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated())
    return;
  TRect r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !(IsOpaque || FParent->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update() {
  if (FParent != nullptr)
    FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || FParent == nullptr || !FParent->HandleAllocated())
    return;
  if (!FControlStyle.Contains(csOpaque)) {
    Invalidate();
    Update();
    return;
  }
  HDC dc = GetDC(FParent->Handle());
  IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
  FParent->PaintControls(dc, this);
  ReleaseDC(FParent->Handle(), dc);
}

void TControl::SetZOrder(bool TopMost) {
  if (FParent == nullptr)
    return;
  FParent->ChildPosition(this, TopMost ? -1 : 0);
  InvalidateControl(FVisible, true);
}
