#include "classlib/controls/wincontrol.h"

#include <algorithm>
#include <map>
#include <string>

#include "classlib/controls/alignment.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TWinControl)

// ---- Window classes and the window procedure ------------------------------------
namespace {

// The control whose window is being created: the first message of a new
// window binds it (messages arrive before CreateWindowEx returns).
thread_local TWinControl* gCreationControl = nullptr;

const wchar_t* const kControlProp = L"DozuriControl";

// The standard class procedure behind each superclass we registered, for
// messages of windows that have no control (yet or any more).
std::map<std::wstring, WNDPROC>& BaseProcedures() {
  static std::map<std::wstring, WNDPROC> procs;
  return procs;
}

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

LRESULT CallBaseProcedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  wchar_t name[256];
  if (GetClassNameW(wnd, name, 256) > 0) {
    auto it = BaseProcedures().find(name);
    if (it != BaseProcedures().end() && it->second != nullptr)
      return CallWindowProcW(it->second, wnd, msg, wParam, lParam);
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

void MoveWindowOrg(HDC dc, int dx, int dy) {
  POINT p;
  GetWindowOrgEx(dc, &p);
  SetWindowOrgEx(dc, p.x - dx, p.y - dy, nullptr);
}

TWinControl* ControlOfWindowNotifying(UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return FindControl(reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: return FindControl(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : FindControl(item->hwndItem);
    }
    case WM_DELETEITEM: return FindControl(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem);
    case WM_COMPAREITEM: return FindControl(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem);
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType == ODT_MENU)
        return nullptr;
      // Child windows carry their own handle as their id (see CreateWnd);
      // during creation the window asking is the one being made.
      TWinControl* control = FindControl(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(item->CtlID)));
      return control != nullptr ? control : gCreationControl;
    }
  }
  return nullptr;
}

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetPropW(wnd, kControlProp));
  if (control == nullptr && gCreationControl != nullptr) {
    control = gCreationControl;
    gCreationControl = nullptr;
    control->FHandle = wnd;
    SetPropW(wnd, kControlProp, control);
  }
  if (control == nullptr)
    return CallBaseProcedure(wnd, msg, wParam, lParam);
  return control->MainWndProc(msg, wParam, lParam);
}

TWinControl* FindControl(HWND Handle) {
  if (Handle == nullptr)
    return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(Handle, &process);
  if (process != GetCurrentProcessId())
    return nullptr;
  return static_cast<TWinControl*>(GetPropW(Handle, kControlProp));
}

TWinControl* FindOwningControl(HWND Handle) {
  for (HWND wnd = Handle; wnd != nullptr; wnd = GetParent(wnd))
    if (TWinControl* control = FindControl(wnd))
      return control;
  return nullptr;
}

bool IsControlKeyMsg(MSG& Msg) {
  switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR: break;
    default: return false;
  }
  TWinControl* control = FindOwningControl(Msg.hwnd);
  if (control == nullptr || !control->HandleAllocated())
    return false;
  return SendMessageW(control->Handle(), CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

LRESULT TWinControl::MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  try {
    WindowProc(message);
  } catch (...) {
    ApplicationHandleException(this);
  }
  if (Msg == WM_NCDESTROY) {
    RemovePropW(FHandle, kControlProp);
    FHandle = nullptr;
    FShowing = false;
    FTrackingMouse = false;
  }
  return message.Result;
}

// ---- Life -------------------------------------------------------------------------
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl* TWinControl::CreateParented(HWND ParentWindow) {
  auto* control = new TWinControl(nullptr);
  control->SetParentWindow(ParentWindow);
  return control;
}

// The window goes while the object is whole, before the owner hears of the
// removal; DestroyWindow takes the windows of all children with it.
void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  if (FParent != nullptr)
    RemoveFocus(true);
  if (FHandle != nullptr)
    DestroyWindowHandle();
}

TWinControl::~TWinControl() {
  if (FHandle != nullptr) {
    FControlState.Include(csDestroyingHandle);
    DestroyWindow(FHandle);
  }
  while (ControlCount() > 0) {
    TControl* child = Controls(ControlCount() - 1);
    Remove(child);
    child->Free();
  }
  if (FBrush != nullptr)
    DeleteObject(FBrush);
}

// ---- Creating the window ------------------------------------------------------------
void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (UseRightToLeftReading())
    Params.ExStyle |= WS_EX_RTLREADING;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!ComponentState().Contains(csDesigning) && !Enabled())
    Params.Style |= WS_DISABLED;
  if (FTabStop)
    Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent != nullptr ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcW;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WindowClass.hInstance = ModuleInstance();
  Params.WinClassName = WideOf(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName) {
  constexpr UINT CS_OFF = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;
  WNDCLASSW base{};
  if (!GetClassInfoW(ModuleInstance(), ControlClassName, &base) &&
      !GetClassInfoW(nullptr, ControlClassName, &base))
    throw EOutOfResources("Window class " + AnsiOf(ControlClassName) + " not found");
  UINT keep = Params.WindowClass.style & (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS);
  HINSTANCE instance = Params.WindowClass.hInstance;
  Params.WindowClass = base;
  Params.WindowClass.hInstance = instance;
  Params.WindowClass.style = (base.style & ~CS_OFF) | keep;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (params.WndParent == nullptr && (params.Style & WS_CHILD) != 0)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASSW existing{};
  bool registered = GetClassInfoW(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing) != 0;
  if (!registered || existing.lpfnWndProc != ControlWindowProc) {
    if (registered)
      UnregisterClassW(params.WinClassName.c_str(), params.WindowClass.hInstance);
    WNDCLASSW wc = params.WindowClass;
    wc.lpfnWndProc = ControlWindowProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (RegisterClassW(&wc) == 0)
      RaiseLastOSError();
  }
  BaseProcedures()[params.WinClassName] = FDefWndProc;
  gCreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    gCreationControl = nullptr;
    throw;
  }
  gCreationControl = nullptr;
  if (FHandle == nullptr)
    RaiseLastOSError();
  if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD) != 0 && GetWindowLongPtrW(FHandle, GWLP_ID) == 0)
    SetWindowLongPtrW(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
  FText.clear();
  UpdateBounds();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  std::wstring caption = WideOf(Params.Caption);
  HWND wnd = CreateWindowExW(Params.ExStyle, Params.WinClassName.c_str(), caption.c_str(), Params.Style, Params.X,
                             Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                             Params.WindowClass.hInstance, Params.Param);
  // The first message bound the window; a failed creation leaves none.
  if (wnd == nullptr)
    FHandle = nullptr;
}

void TWinControl::CreateHandle() {
  if (FHandle != nullptr)
    return;
  CreateWnd();
  if (FParent != nullptr)
    SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int i = 0; i < ControlCount(); ++i)
    Controls(i)->UpdateAnchorRules();
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) const {
  auto it = std::find(FWinControls.begin(), FWinControls.end(), Control);
  if (it != FWinControls.end())
    for (++it; it != FWinControls.end(); ++it)
      if (auto* above = static_cast<TWinControl*>(*it); above->FHandle != nullptr)
        return above->FHandle;
  return HWND_TOP;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle != nullptr)
    return;
  if (FParent != nullptr)
    FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  HWND wnd = FHandle;
  if (wnd != nullptr)
    DestroyWindow(wnd);
  FControlState.Exclude(csDestroyingHandle);
  FShowing = false;
  FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (FHandle == nullptr)
    return;
  for (TControl* child : FWinControls)
    static_cast<TWinControl*>(child)->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (HandleAllocated())
    Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  bool wasFocused = Focused();
  FControlState.Include(csRecreating);
  DestroyHandle();
  UpdateControlState();
  FControlState.Exclude(csRecreating);
  if (wasFocused && FHandle != nullptr)
    ::SetFocus(FHandle);
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent != nullptr || FParentWindow == Value)
    return;
  if (FHandle != nullptr && FParentWindow != nullptr && Value != nullptr) {
    FParentWindow = Value;
    ::SetParent(FHandle, Value);
  } else {
    DestroyHandle();
    FParentWindow = Value;
  }
  UpdateControlState();
}

// ---- Showing ----------------------------------------------------------------------------
// A control shows when it is visible and its parent shows; its window
// appears before the children's, and goes before theirs.
void TWinControl::UpdateShowing() {
  bool show = Visible() && !FControlState.Contains(csReadingState) &&
              (FParent == nullptr || FParent->FShowing);
  if (show && FHandle == nullptr)
    CreateHandle();
  if (FHandle != nullptr && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
  // By index: a handler may add or remove children.
  for (std::size_t i = 0; i < FWinControls.size(); ++i)
    static_cast<TWinControl*>(FWinControls[i])->UpdateShowing();
}

void TWinControl::UpdateControlState() {
  if (FParent != nullptr && !FParent->FShowing && !FShowing)
    return;
  UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
               (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!Visible() && FParent != nullptr)
    RemoveFocus(false);
  UpdateControlState();
}

// ---- Bounds ---------------------------------------------------------------------------------
void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ConstrainedResize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  if (FHandle != nullptr && !IsIconic(FHandle)) {
    // The window's messages bring the new bounds back (UpdateBounds) and
    // realign the children (WM_SIZE).
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    if (sized)
      Realign();
  }
  UpdateAnchorRules();
  if (FParent != nullptr)
    FParent->AlignControl(this);
}

void TWinControl::UpdateBounds() {
  if (FHandle == nullptr || IsIconic(FHandle))
    return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if ((GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD) != 0) {
    if (HWND parent = GetParent(FHandle))
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  if (r.left == FLeft && r.top == FTop && r.right - r.left == FWidth && r.bottom - r.top == FHeight)
    return;
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  UpdateAnchorRules();
}

TRect TWinControl::ClientRect() {
  if (FHandle == nullptr)
    return TControl::ClientRect();
  RECT r;
  ::GetClientRect(FHandle, &r);
  return r;
}

TPoint TWinControl::ClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(Handle(), &p);
  return p;
}

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
  Realign();
  if (!ComponentState().Contains(csLoading))
    Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  if (!FControlState.Contains(csDestroyingHandle))
    UpdateBounds();
  DefaultHandler(Message);
}

// ---- Children ----------------------------------------------------------------------------------
TControl* TWinControl::Controls(int Index) const {
  int graphic = static_cast<int>(FControls.size());
  if (Index < 0 || Index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Index < graphic ? FControls[Index] : FWinControls[Index - graphic];
}

void TWinControl::Insert(TControl* AControl) {
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(win);
    FTabList.push_back(win);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
  auto erase = [](auto& list, auto* item) { list.erase(std::remove(list.begin(), list.end(), item), list.end()); };
  erase(FControls, AControl);
  erase(FWinControls, AControl);
  // A control being destroyed is no longer a TWinControl by the time its
  // TControl part leaves the parent, so the lists are searched by address.
  auto isRemoved = [AControl](TWinControl* w) { return static_cast<TControl*>(w) == AControl; };
  FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(), isRemoved), FTabList.end());
  if (FFocusedChild != nullptr && isRemoved(FFocusedChild))
    FFocusedChild = nullptr;
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), TRUE);
  Insert(AControl);
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
    if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
      win->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      win->UpdateControlState();
    } else if (HandleAllocated()) {
      AControl->Invalidate();
    }
    AlignControl(AControl);
  }
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), FALSE);
  if (auto* win = dynamic_cast<TWinControl*>(AControl)) {
    win->RemoveFocus(true);
    win->DestroyHandle();
  } else if (HandleAllocated()) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  Remove(AControl);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
  Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control != nullptr && Control != this)
    Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls) {
  auto hit = [&](TControl* c) {
    POINT p{Pos.x - c->Left(), Pos.y - c->Top()};
    TRect r = c->ClientRect();
    return PtInRect(&r, p) && c->Visible() && (c->Enabled() || AllowDisabled) &&
           c->Perform(CM_HITTEST, 0, MAKELPARAM(p.x, p.y)) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it))
        return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it))
      return *it;
  return nullptr;
}

TControl* TWinControl::FindChildControl(const AnsiString& ControlName) const {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Name().size() == ControlName.size() &&
        std::equal(c->Name().begin(), c->Name().end(), ControlName.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                               std::tolower(static_cast<unsigned char>(b)); }))
      return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(Message);
    if (Message.Result != 0)
      return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage message{Msg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::ChildPosition(TControl* Child, int Position) {
  auto move = [&](std::vector<TControl*>& list) {
    auto it = std::find(list.begin(), list.end(), Child);
    if (it == list.end())
      return false;
    list.erase(it);
    int count = static_cast<int>(list.size());
    int at = Position < 0 || Position > count ? count : Position;
    list.insert(list.begin() + at, Child);
    return true;
  };
  if (move(FControls))
    return;
  if (!move(FWinControls))
    return;
  auto* win = static_cast<TWinControl*>(Child);
  if (win->FHandle != nullptr)
    SetWindowPos(win->FHandle, PrecedingWindow(win), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetZOrder(bool TopMost) {
  if (FParent == nullptr) {
    if (FHandle != nullptr)
      SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  FParent->ChildPosition(this, TopMost ? -1 : 0);
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Owner() == Root)
      Proc(Controls(i));
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  auto* control = dynamic_cast<TControl*>(Child);
  if (control != nullptr && control->Parent() == this)
    ChildPosition(control, Order);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (FParent != nullptr && FTabOrderRequested >= 0)
    FParent->FixupTabList();
  FixupTabList();
  Realign();
  // Read into a parent that shows already: the window comes now.
  if (FParent != nullptr && FParent->FShowing)
    UpdateControlState();
}

// ---- Tab order and focus --------------------------------------------------------------------
int TWinControl::TabOrder() const {
  if (FParent == nullptr)
    return -1;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  FTabOrderRequested = Value;
  if (ComponentState().Contains(csLoading) || FParent == nullptr)
    return;
  auto& list = FParent->FTabList;
  int current = TabOrder();
  if (current < 0)
    return;
  int count = static_cast<int>(list.size());
  Value = std::clamp(Value, 0, count - 1);
  if (Value == current)
    return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

void TWinControl::FixupTabList() {
  std::vector<std::pair<int, TWinControl*>> order;
  for (std::size_t i = 0; i < FTabList.size(); ++i) {
    TWinControl* c = FTabList[i];
    order.emplace_back(c->FTabOrderRequested >= 0 ? c->FTabOrderRequested : static_cast<int>(i), c);
  }
  std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < order.size(); ++i)
    FTabList[i] = order[i].second;
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value)
    return;
  FTabStop = Value;
  if (FHandle != nullptr) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  int count = static_cast<int>(list.size());
  if (count == 0)
    return nullptr;
  auto found = std::find(list.begin(), list.end(), CurControl);
  int start = found != list.end() ? static_cast<int>(found - list.begin()) : (GoForward ? count - 1 : 0);
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}

TWinControl* TWinControl::TopLevelControl() {
  TWinControl* c = this;
  while (c->FParent != nullptr)
    c = c->FParent;
  return c;
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c->FParent != nullptr; c = c->FParent)
    if (!c->Visible() || !c->Enabled())
      return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle != nullptr && GetFocus() == FHandle; }

void TWinControl::SetFocus() { TopLevelControl()->FocusControl(this); }

void TWinControl::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Control->Handle());
}

// Counts focus changes, so that a change that started another one (an
// OnExit handler that focuses elsewhere) stops where the other took over.
static unsigned gFocusChanges = 0;

bool TWinControl::SetFocusedControl(TWinControl* Control) {
  TWinControl* previous = FFocusedChild;
  if (previous == Control)
    return true;
  unsigned change = ++gFocusChanges;
  // Leave what does not contain the new control, innermost first.
  TWinControl* current = previous;
  while (current != nullptr && !current->ContainsControl(Control)) {
    current->Perform(CM_EXIT, 0, 0);
    if (gFocusChanges != change)
      return false;
    current = current->FParent;
  }
  // Enter from the outermost control not yet entered down to the new one.
  while (current != Control) {
    TWinControl* step = Control;
    while (step->FParent != current)
      step = step->FParent;
    current = step;
    FFocusedChild = current;
    step->Perform(CM_ENTER, 0, 0);
    if (gFocusChanges != change)
      return false;
  }
  FFocusedChild = Control;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  return true;
}

void TWinControl::DefocusControl(TWinControl* Control, bool Removing) {
  if (!Control->ContainsControl(FFocusedChild))
    return;
  if (Control->FHandle != nullptr) {
    HWND focus = GetFocus();
    if (focus == Control->FHandle || IsChild(Control->FHandle, focus)) {
      FFocusedChild = Control->FParent == this ? nullptr : Control->FParent;
      if (FHandle != nullptr)
        ::SetFocus(FHandle);
    }
  }
  if (Removing && Control->ContainsControl(FFocusedChild))
    FFocusedChild = Control->FParent == this ? nullptr : Control->FParent;
}

void TWinControl::RemoveFocus(bool Removing) {
  TWinControl* top = TopLevelControl();
  if (top != this)
    top->DefocusControl(this, Removing);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

// ---- Message routing ----------------------------------------------------------------------
void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TWinControl* top = TopLevelControl();
      if (!top->SetFocusedControl(this))
        return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing))
        return;
      break;
    case WM_MOUSEMOVE:
      TrackMouseLeave();
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      if (IsControlMouseMsg(Message)) {
        if (Message.Result == 0 && FHandle != nullptr)
          DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    case WM_CANCELMODE:
      if (FHandle != nullptr && GetCapture() == FHandle && CapturedChild() != nullptr)
        CapturedChild()->Perform(WM_CANCELMODE, 0, 0);
      break;
  }
  TControl::WndProc(Message);
}

// Asks for WM_MOUSELEAVE. A move that comes when the mouse is already
// elsewhere (sent, or late) gets its leave at once: the system would not
// track a window the mouse is not over.
void TWinControl::TrackMouseLeave() {
  if (FTrackingMouse || FHandle == nullptr)
    return;
  TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, FHandle, 0};
  FTrackingMouse = TrackMouseEvent(&track) != FALSE;
  POINT cursor;
  if (GetCursorPos(&cursor) && WindowFromPoint(cursor) != FHandle)
    PostMessageW(FHandle, WM_MOUSELEAVE, 0, 0);
}

TControl* TWinControl::CapturedChild() const {
  TControl* control = CaptureControl();
  return control != nullptr && control->Parent() == this && dynamic_cast<TWinControl*>(control) == nullptr
             ? control
             : nullptr;
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* control = nullptr;
  if (FHandle != nullptr && GetCapture() == FHandle) {
    control = CapturedChild();
  } else {
    control = ControlAtPos(Point(Message.XPos(), Message.YPos()), false);
  }
  if (control == nullptr)
    return false;
  int x = Message.XPos() - control->Left(), y = Message.YPos() - control->Top();
  Message.Result = control->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    case WM_NOTIFY: WMNotify(Message); break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: WMCtlColor(Message); break;
    case WM_DRAWITEM: WMDrawItem(Message); break;
    case WM_MEASUREITEM: WMMeasureItem(Message); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: WMReflectToChild(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_MOUSELEAVE: WMMouseLeave(Message); break;
    case WM_DESTROY:
      // Destroyed with a parent's window: the text survives for a new window.
      if (!FControlState.Contains(csDestroyingHandle))
        FText = GetText();
      DefaultHandler(Message);
      break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: CNCtlColor(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_INVALIDATE: CMInvalidate(Message); break;
    case CM_RECREATEWND: CMRecreateWnd(Message); break;
    case CM_CONTROLLISTCHANGE: CMControlListChange(Message); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(Message); break;
    case CM_PARENTCTL3DCHANGED: CMParentCtl3DChanged(Message); break;
    case CM_BORDERCHANGED: CMBorderChanged(Message); break;
    case CM_SHOWHINTCHANGED:
    case CM_BIDIMODECHANGED:
      // What the children take from their parent follows it.
      TControl::Dispatch(Message);
      NotifyControls(Message.Msg == CM_SHOWHINTCHANGED ? CM_PARENTSHOWHINTCHANGED : CM_PARENTBIDIMODECHANGED);
      break;
    case CM_CHILDKEY:
      if (FParent != nullptr)
        FParent->WindowProc(Message);
      break;
    default: TControl::Dispatch(Message); break;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle == nullptr) {
    TControl::DefaultHandler(Message);
    return;
  }
  // The library's own messages mean nothing to the window class.
  if (Message.Msg >= CM_BASE && Message.Msg < CN_BASE + 0x400)
    return;
  Message.Result = CallWindowProcW(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Reflection ---------------------------------------------------------------------------
void TWinControl::WMReflectToChild(TMessage& Message) {
  TWinControl* child = ControlOfWindowNotifying(Message.Msg, Message.LParam);
  if (child != nullptr && child != this) {
    Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMCommand(TMessage& Message) { WMReflectToChild(Message); }
void TWinControl::WMNotify(TMessage& Message) { WMReflectToChild(Message); }
void TWinControl::WMCtlColor(TMessage& Message) { WMReflectToChild(Message); }
void TWinControl::WMDrawItem(TMessage& Message) { WMReflectToChild(Message); }
void TWinControl::WMMeasureItem(TMessage& Message) { WMReflectToChild(Message); }

HBRUSH TWinControl::ColorBrush() {
  if (FBrush == nullptr || FBrushColor != Color()) {
    if (FBrush != nullptr)
      DeleteObject(FBrush);
    FBrushColor = Color();
    FBrush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(FBrushColor)));
  }
  return FBrush;
}

// A child asks its parent what to draw with; the parent passed the question on.
void TWinControl::CNCtlColor(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(Color())));
  Message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

// ---- Keys ------------------------------------------------------------------------------------
bool TWinControl::DoKeyDown(TMessage& Message) {
  TWinControl* host = TopLevelControl();
  if (host != this && host->WantsKeyPreview() && host->DoKeyDown(Message))
    return true;
  WORD key = static_cast<WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0)
      return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TWinControl* host = TopLevelControl();
  if (host != this && host->WantsKeyPreview() && host->DoKeyUp(Message))
    return true;
  WORD key = static_cast<WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0)
      return true;
  }
  return false;
}

// WM_CHAR carries a UTF-16 unit; handlers see it as a 1254 character.
bool TWinControl::DoKeyPress(TMessage& Message) {
  TWinControl* host = TopLevelControl();
  if (host != this && host->WantsKeyPreview() && host->DoKeyPress(Message))
    return true;
  if (FControlStyle.Contains(csNoStdEvents))
    return false;
  char16_t unit = static_cast<char16_t>(Message.WParam);
  AnsiString narrow = Utf16ToAnsi(std::u16string_view(&unit, 1));
  char original = narrow.empty() ? '?' : narrow[0];
  char key = original;
  KeyPress(key);
  if (key == 0)
    return true;
  if (key != original) {
    std::u16string wide = AnsiToUtf16(std::string(1, key));
    if (!wide.empty())
      Message.WParam = wide[0];
  }
  return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress)
    OnKeyPress(this, Key);
}

namespace {

// The system opens the menu bar when Alt is let go with no other key
// pressed since it went down. Under Wine it learns of the other key only
// from the default window procedure, which a key taken with Alt held (a
// shortcut, a key handler that ate it) never reaches: Alt's release then
// left the menu bar active and the next key went to the menu. So the
// default procedure hears that key's release at once, which does nothing
// else there and on Windows does nothing at all.
void ForgetMenuKey(HWND window, const TMessage& Message) {
  if (window == nullptr || Message.WParam == VK_MENU || Message.WParam == VK_LMENU || Message.WParam == VK_RMENU)
    return;
  DefWindowProcW(window, WM_SYSKEYUP, Message.WParam, Message.LParam | (LPARAM{3} << 30));
}

}  // namespace

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) {
    DefaultHandler(Message);
    return;
  }
  if (Message.Msg == WM_SYSKEYDOWN)
    ForgetMenuKey(FHandle, Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message))
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message))
    DefaultHandler(Message);
}

// Sent by the message loop before the key reaches the window: shortcuts
// first, then Tab, arrows, Enter and Esc as dialog keys unless the control
// wants them itself.
void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (TopLevelControl()->IsShortCut(Message))
    return;
  if (!ComponentState().Contains(csDesigning)) {
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0)
      return;
    LRESULT mask = 0;
    switch (Message.WParam) {
      case VK_TAB: mask = DLGC_WANTTAB; break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: mask = DLGC_WANTARROWS; break;
      case VK_RETURN:
      case VK_EXECUTE:
      case VK_ESCAPE:
      case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0 &&
        TopLevelControl()->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (!ComponentState().Contains(csDesigning) && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0 &&
      TopLevelControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
    return;
  Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& Message) {
  Message.Result = TopLevelControl()->IsShortCut(Message) ? 1 : 0;
  if (Message.Result != 0)
    ForgetMenuKey(FHandle, Message);
}

// Alt+letter: the accelerator of a label or button.
void TWinControl::CNSysChar(TMessage& Message) {
  Message.Result = 0;
  if (!ComponentState().Contains(csDesigning) && Message.WParam != VK_SPACE)
    Message.Result = TopLevelControl()->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

// The top-level control moves the focus for Tab (Shift+Tab backwards) and
// the arrows (among the siblings of the focused control); every child
// hears the key too (default and cancel buttons).
void TWinControl::CMDialogKey(TMessage& Message) {
  if (FParent == nullptr && GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FFocusedChild, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FFocusedChild != nullptr && FFocusedChild->FParent != nullptr) {
          FFocusedChild->FParent->SelectNext(FFocusedChild,
                                             Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
    }
  }
  Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

// ---- Mouse -------------------------------------------------------------------------------------
void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && static_cast<short>(LOWORD(Message.LParam)) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    TControl* control = ControlAtPos(p, false);
    TCursor cursor = control != nullptr && control->Cursor() != crDefault ? control->Cursor() : Cursor();
    if (HCURSOR handle = CursorHandleHook != nullptr ? CursorHandleHook(cursor) : nullptr) {
      ::SetCursor(handle);
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMMouseWheel(TMessage& Message) {
  TShiftState shift = KeysToShiftState(LOWORD(Message.WParam));
  WPARAM wParam = MAKEWPARAM(shift.Bits() & 0xFF, HIWORD(Message.WParam));
  Message.Result = Perform(CM_MOUSEWHEEL, wParam, Message.LParam);
  if (Message.Result == 0)
    DefaultHandler(Message);
}

// The mouse left the window: no control of it is under the mouse any more.
// A window of ours the mouse went to says so itself with its WM_MOUSEMOVE,
// before or after this.
void TWinControl::WMMouseLeave(TMessage& Message) {
  FTrackingMouse = false;
  TControl* current = MouseControl();
  if (current == this ||
      (current != nullptr && current->Parent() == this && dynamic_cast<TWinControl*>(current) == nullptr))
    SetMouseControl(nullptr);
  DefaultHandler(Message);
}

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0)
    return;
  TPoint pos{Message.XPos(), Message.YPos()};
  if (!(pos.x == -1 && pos.y == -1) && FHandle != nullptr) {
    POINT client = pos;
    ::ScreenToClient(FHandle, &client);
    if (TControl* child = ControlAtPos(client, false)) {
      Message.Result = child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
      if (Message.Result != 0)
        return;
    }
  }
  TControl::WMContextMenu(Message);
}

// ---- Change notifications ----------------------------------------------------------------
void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && FParent != nullptr)
    RemoveFocus(false);
  if (FHandle != nullptr && !ComponentState().Contains(csDesigning))
    EnableWindow(FHandle, Enabled());
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  if (FHandle != nullptr)
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::SetCtl3D(bool Value) {
  if (FCtl3D == Value)
    return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value)
    return;
  FParentCtl3D = Value;
  if (Value && FParent != nullptr)
    Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (!FParentCtl3D || FParent == nullptr)
    return;
  SetCtl3D(FParent->Ctl3D());
  FParentCtl3D = true;
}

void TWinControl::SetBorderWidth(int Value) {
  if (FBorderWidth == Value)
    return;
  FBorderWidth = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
}

void TWinControl::CMBorderChanged(TMessage&) {
  Realign();
  Invalidate();
}

// ---- Painting ---------------------------------------------------------------------------------
void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::CMInvalidate(TMessage& Message) {
  if (FHandle != nullptr && Message.WParam == 0)
    InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle != nullptr)
    UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  // A double-buffered control erases its memory DC only (WParam == LParam).
  if (!FDoubleBuffered || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
    TRect r = ClientRect();
    FillRect(dc, &r, ColorBrush());
  }
  Message.Result = 1;
}

void TWinControl::WMPaint(TMessage& Message) {
  if (!FDoubleBuffered || Message.WParam != 0) {
    if (!FControlState.Contains(csCustomPaint) && ControlCount() == 0)
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  TRect client = ClientRect();
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
  Message.WParam = reinterpret_cast<WPARAM>(memory);
  WMPaint(Message);
  Message.WParam = 0;
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  EndPaint(FHandle, &ps);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps;
  if (dc == nullptr)
    dc = BeginPaint(FHandle, &ps);
  if (FControls.empty()) {
    PaintWindow(dc);
  } else {
    int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* c : FControls)
      if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION)
          break;
      }
    if (clip != NULLREGION)
      PaintWindow(dc);
    RestoreDC(dc, saved);
  }
  PaintControls(dc, nullptr);
  if (Message.WParam == 0)
    EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto start = First != nullptr ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
  if (start == FControls.end())
    start = FControls.begin();
  // Painting may change the list (a handler that hides a control); walk by index.
  for (std::size_t i = static_cast<std::size_t>(start - FControls.begin()); i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    RECT bounds = c->BoundsRect();
    if (!c->Visible() || !RectVisible(DC, &bounds))
      continue;
    if (FControlState.Contains(csPaintCopy))
      c->FControlState.Include(csPaintCopy);
    int saved = SaveDC(DC);
    MoveWindowOrg(DC, c->Left(), c->Top());
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
    c->FControlState.Exclude(csPaintCopy);
  }
  for (TControl* child : FWinControls) {
    auto* win = static_cast<TWinControl*>(child);
    if (!win->FCtl3D || !win->ControlStyle().Contains(csFramed) || !win->Visible())
      continue;
    HBRUSH shadow = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    RECT outer{win->Left() - 1, win->Top() - 1, win->Left() + win->Width(), win->Top() + win->Height()};
    FrameRect(DC, &outer, shadow);
    DeleteObject(shadow);
    HBRUSH light = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    RECT inner{win->Left(), win->Top(), win->Left() + win->Width() + 1, win->Top() + win->Height() + 1};
    FrameRect(DC, &inner, light);
    DeleteObject(light);
  }
}

// Each window paints its client area into a memory bitmap at the origin and
// is copied to (X, Y): the standard classes clip their painting to their
// client rectangle in device units, which a moved origin would defeat.
void TWinControl::PaintTo(HDC DC, int X, int Y) {
  HWND wnd = Handle();
  FControlState.Include(csPaintCopy);
  RECT client{0, 0, FWidth, FHeight};
  UINT edge = 0, border = 0;
  if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    edge = EDGE_SUNKEN;
    border = BF_RECT | BF_ADJUST;
  } else if (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_BORDER) {
    edge = BDR_OUTER;
    border = BF_RECT | BF_ADJUST | BF_MONO;
  }
  if (border != 0) {
    int saved = SaveDC(DC);
    MoveWindowOrg(DC, X, Y);
    DrawEdge(DC, &client, edge, border);
    RestoreDC(DC, saved);
  }
  int width = client.right - client.left, height = client.bottom - client.top;
  if (width > 0 && height > 0) {
    HDC memory = CreateCompatibleDC(DC);
    HBITMAP bitmap = CreateCompatibleBitmap(DC, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    BitBlt(DC, X + client.left, Y + client.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    int saved = SaveDC(DC);
    IntersectClipRect(DC, X + client.left, Y + client.top, X + client.right, Y + client.bottom);
    for (TControl* child : FWinControls)
      if (child->Visible())
        static_cast<TWinControl*>(child)->PaintTo(DC, X + client.left + child->Left(),
                                                  Y + client.top + child->Top());
    RestoreDC(DC, saved);
  }
  FControlState.Exclude(csPaintCopy);
}

void TWinControl::PaintTo(TCanvas& Canvas, int X, int Y) {
  Canvas.Lock();
  PaintTo(Canvas.Handle(), X, Y);
  Canvas.Unlock();
}

// ---- Alignment ---------------------------------------------------------------------------------
void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0)
    --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (ComponentState().Contains(csDestroying))
    return;
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect rect = ClientRect();
    AlignControls(AControl, rect);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  EnableAlign();
}

void TWinControl::AdjustClientRect(TRect& Rect) {
  InflateRect(&Rect, -FBorderWidth, -FBorderWidth);
}

// The platform's order: top, bottom, left, right, client, custom; then the
// anchored children follow the new size (see alignment.h).
void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  AdjustClientRect(Rect);
  AlignChildren(*this, AControl, Rect);
}
