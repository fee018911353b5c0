#include "classlib/forms/forms.h"

#include <algorithm>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/menus.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/icon.h"

// ---- Window styles -----------------------------------------------------------------
TFormWindowStyle FormWindowStyle(TFormBorderStyle BorderStyle, TBorderIcons BorderIcons, TFormStyle FormStyle,
                                 TWindowState WindowState) {
  TFormWindowStyle s;
  switch (BorderStyle) {
    case bsNone: s.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: s.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: s.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      s.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      s.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (BorderStyle == bsToolWindow || BorderStyle == bsSizeToolWin)
    s.ExStyle |= WS_EX_TOOLWINDOW;
  // The icons a border style allows.
  TBorderIcons icons = BorderIcons;
  switch (BorderStyle) {
    case bsNone: icons = TBorderIcons(); break;
    case bsDialog: icons = icons * TBorderIcons{biSystemMenu, biHelp}; break;
    case bsToolWindow:
    case bsSizeToolWin: icons = icons * TBorderIcons{biSystemMenu}; break;
    default: break;
  }
  if (BorderStyle == bsSingle || BorderStyle == bsSizeable || BorderStyle == bsNone) {
    if (FormStyle != fsMDIChild || icons.Contains(biSystemMenu)) {
      if (icons.Contains(biMinimize))
        s.Style |= WS_MINIMIZEBOX;
      if (icons.Contains(biMaximize))
        s.Style |= WS_MAXIMIZEBOX;
    }
    if (WindowState == wsMinimized)
      s.Style |= WS_MINIMIZE;
    else if (WindowState == wsMaximized)
      s.Style |= WS_MAXIMIZE;
  }
  if (icons.Contains(biSystemMenu))
    s.Style |= WS_SYSMENU;
  // Help shows only where there is no minimize or maximize box.
  if (icons.Contains(biHelp) &&
      (BorderStyle == bsDialog || !(icons.Contains(biMinimize) || icons.Contains(biMaximize))))
    s.ExStyle |= WS_EX_CONTEXTHELP;
  if (FormStyle == fsStayOnTop)
    s.ExStyle |= WS_EX_TOPMOST;
  return s;
}

TCustomForm* GetParentForm(TControl* Control) {
  if (Control == nullptr)
    return nullptr;
  TControl* top = Control;
  while (top->Parent() != nullptr)
    top = top->Parent();
  return dynamic_cast<TCustomForm*>(top);
}

namespace {

// A button's ModalResult goes to the form it is on.
const bool modalResultHookInstalled = [] {
  ParentFormModalResultHook = [](TControl* control, TModalResult result) {
    if (TCustomForm* form = GetParentForm(control))
      form->SetModalResult(result);
  };
  return true;
}();

// Disables the enabled, visible top-level windows of this thread but one, and
// enables them again when it goes.
class TaskWindowsDisabled {
public:
  explicit TaskWindowsDisabled(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &TaskWindowsDisabled::Disable, reinterpret_cast<LPARAM>(this));
  }
  ~TaskWindowsDisabled() {
    for (HWND wnd : disabled_)
      if (IsWindow(wnd))
        EnableWindow(wnd, TRUE);
  }
  TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
  TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
  static BOOL CALLBACK Disable(HWND wnd, LPARAM self) {
    auto* me = reinterpret_cast<TaskWindowsDisabled*>(self);
    if (wnd != me->keep_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
      me->disabled_.push_back(wnd);
      EnableWindow(wnd, FALSE);
    }
    return TRUE;
  }
  HWND keep_;
  std::vector<HWND> disabled_;
};

}  // namespace

// ---- TCustomForm ---------------------------------------------------------------------
BEGIN_PUBLISHED(TCustomForm)
  PROPERTY(ActiveControl, ActiveControl, SetActiveControl),
  PROPERTY(AlphaBlend, AlphaBlend, SetAlphaBlend).Default(false),
  PROPERTY(AlphaBlendValue, AlphaBlendValue, SetAlphaBlendValue).Default(255),
  PROPERTY(BorderIcons, BorderIcons, SetBorderIcons).Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSizeable),
  PROPERTY(FormStyle, FormStyle, SetFormStyle).Default(fsNormal),
  PROPERTY(KeyPreview, KeyPreview, SetKeyPreview).Default(false),
  PROPERTY(Menu, Menu, SetMenu),
  PROPERTY(PixelsPerInch, PixelsPerInch, SetPixelsPerInch),
  PROPERTY(Position, Position, SetPosition).Default(poDesigned),
  PROPERTY(Scaled, Scaled, SetScaled).Default(true),
  PROPERTY(WindowState, WindowState, SetWindowState).Default(wsNormal),
  PROPERTY(OnActivate, OnActivate, OnActivate),
  PROPERTY(OnClose, OnClose, OnClose),
  PROPERTY(OnCloseQuery, OnCloseQuery, OnCloseQuery),
  PROPERTY(OnCreate, OnCreate, OnCreate),
  PROPERTY(OnDeactivate, OnDeactivate, OnDeactivate),
  PROPERTY(OnDestroy, OnDestroy, OnDestroy),
  PROPERTY(OnHide, OnHide, OnHide),
  PROPERTY(OnPaint, OnPaint, OnPaint),
  PROPERTY(OnShow, OnShow, OnShow),
END_PUBLISHED

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner), icon_(std::make_unique<TIcon>()) {
  formState_.Include(fsCreating);
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  SetColor(clBtnFace);
  SetParentColor(false);
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  icon_->OnChange = Method<&TCustomForm::IconChanged>(this);
  Screen->AddForm(this);
  formState_.Exclude(fsCreating);
}

void TCustomForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
  if (Root == this)
    for (int i = 0; i < ComponentCount(); ++i)
      if (TComponent* owned = Components(i); !owned->HasParent())
        Proc(owned);
  TCustomControl::GetChildren(Proc, Root);
}

TCustomForm::~TCustomForm() {
  if (!destroyed_) {
    destroyed_ = true;
    if (OnDestroy)
      OnDestroy(this);
  }
  if (menu_ != nullptr)
    menu_->SetWindowHandle(nullptr);
  Screen->RemoveForm(this);
  Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
  if (created_)
    return;
  created_ = true;
  if (OnCreate)
    OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  if (!destroyed_) {
    destroyed_ = true;
    if (OnDestroy)
      OnDestroy(this);
  }
  TCustomControl::BeforeDestruction();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (Parent() != nullptr || ParentWindow() != nullptr)
    return;
  const TFormWindowStyle s = FormWindowStyle(borderStyle_, borderIcons_, formStyle_, windowState_);
  Params.Style &= ~(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_POPUP);
  Params.Style |= s.Style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle |= s.ExStyle;
  if (alphaBlend_)
    Params.ExStyle |= WS_EX_LAYERED;
  Params.WndParent = Application->Handle();
  if (formStyle_ == fsMDIChild) {
    TCustomForm* frame = Application->MainForm();
    if (frame == nullptr || frame->FormStyle() != fsMDIForm || frame->ClientHandle() == nullptr)
      throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    Params.WndParent = frame->ClientHandle();
    Params.ExStyle |= WS_EX_MDICHILD;
    Params.Style &= ~WS_POPUP;
  }
  Params.WindowClass.style |= CS_DBLCLKS;
  Params.WindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
}

void TCustomForm::CreateWnd() {
  TCustomControl::CreateWnd();
  if (formStyle_ == fsMDIForm) {
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    RECT r{};
    GetClientRect(FHandle, &r);
    clientHandle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                    r.right, r.bottom, FHandle, nullptr, GetModuleHandleW(nullptr), &ccs);
    if (clientHandle_ == nullptr)
      RaiseLastOSError();
  }
  if (menu_ != nullptr) {
    ::SetMenu(FHandle, menu_->Handle());
    menu_->SetWindowHandle(FHandle);
  }
  ApplyAlphaBlend();
  ApplyIcon();
}

void TCustomForm::DestroyWindowHandle() {
  // The menu outlives the window (a destroyed window destroys its menu bar);
  // CreateWnd attaches it again.
  if (menu_ != nullptr && HandleAllocated()) {
    ::SetMenu(FHandle, nullptr);
    menu_->SetWindowHandle(nullptr);
  }
  // An MDI child is destroyed by its client window, which keeps its list.
  if (formStyle_ == fsMDIChild && HandleAllocated())
    if (HWND client = GetParent(FHandle))
      SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(FHandle), 0);
  clientHandle_ = nullptr;
  TCustomControl::DestroyWindowHandle();
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  if (HandleAllocated() && Message.Msg < CM_BASE) {
    if (formStyle_ == fsMDIForm && clientHandle_ != nullptr) {
      Message.Result = DefFrameProcW(FHandle, clientHandle_, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    if (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_MDICHILD) {
      Message.Result = DefMDIChildProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  TCustomControl::DefaultHandler(Message);
}

// ---- MDI --------------------------------------------------------------------------------
int TCustomForm::MDIChildCount() const {
  int count = 0;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (clientHandle_ != nullptr && f->HandleAllocated() && GetParent(f->FHandle) == clientHandle_)
      ++count;
  }
  return count;
}

TCustomForm* TCustomForm::MDIChildren(int Index) const {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (clientHandle_ != nullptr && f->HandleAllocated() && GetParent(f->FHandle) == clientHandle_ && Index-- == 0)
      return f;
  }
  throw EListError("List index out of bounds");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (clientHandle_ == nullptr)
    return nullptr;
  auto active = reinterpret_cast<HWND>(SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TCustomForm*>(FindControl(active));
}

void TCustomForm::Cascade() {
  if (clientHandle_ != nullptr)
    SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
  if (clientHandle_ != nullptr)
    SendMessageW(clientHandle_, WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TCustomForm::Paint() {
  if (OnPaint)
    OnPaint(this);
}

// ---- Showing ---------------------------------------------------------------------------
void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated())
    ::BringWindowToTop(FHandle);
}

void TCustomForm::DoShow() {
  if (OnShow)
    OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide)
    OnHide(this);
}

void TCustomForm::PlaceOnShow() {
  if (shownOnce_)
    return;
  shownOnce_ = true;
  TRect area{};
  TCustomForm* centreOn = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter: area = Rect(0, 0, Screen->Width(), Screen->Height()); break;
    case poMainFormCenter: centreOn = Application->MainForm(); break;
    case poOwnerFormCenter: centreOn = dynamic_cast<TCustomForm*>(Owner()); break;
    case poDefault:
    case poDefaultPosOnly: {
      area = Screen->WorkAreaRect();
      SetBounds(area.left + 32, area.top + 32, Width(), Height());
      return;
    }
    default: return;
  }
  if (centreOn == this)
    centreOn = nullptr;
  if (position_ == poMainFormCenter || position_ == poOwnerFormCenter)
    area = centreOn != nullptr ? centreOn->BoundsRect() : Rect(0, 0, Screen->Width(), Screen->Height());
  int left = area.left + (area.right - area.left - Width()) / 2;
  int top = area.top + (area.bottom - area.top - Height()) / 2;
  SetBounds(std::max(left, 0), std::max(top, 0), Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage& Message) {
  if (Parent() != nullptr) {
    TCustomControl::CMShowingChanged(Message);
    return;
  }
  if (Showing()) {
    formState_.Include(fsShowing);
    DoShow();
    PlaceOnShow();
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[windowState_]);
    formState_.Exclude(fsShowing);
    formState_.Include(fsVisible);
  } else {
    DoHide();
    if (HandleAllocated())
      ShowWindow(FHandle, SW_HIDE);
    formState_.Exclude(fsVisible);
  }
}

TModalResult TCustomForm::ShowModal() { return DialogService().ShowModal(*this); }

TModalResult TCustomForm::ShowModalLoop() {
  if (Visible() || !Enabled() || formState_.Contains(fsModal) || formStyle_ == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture()) {
    SendMessageW(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  // What the loop changes is put back however it ends.
  struct ModalScope {
    TCustomForm& form;
    HWND previousActive = GetActiveWindow();
    TCursor savedCursor = Screen->Cursor();
    explicit ModalScope(TCustomForm& f) : form(f) {
      form.formState_.Include(fsModal);
      Screen->SetCursor(crDefault);
      Application->ModalStarted();
    }
    ~ModalScope() {
      if (previousActive != nullptr && IsWindow(previousActive))
        SetActiveWindow(previousActive);
      form.formState_.Exclude(fsModal);
      Screen->SetCursor(savedCursor);
      Application->ModalFinished();
    }
  } scope(*this);
  TaskWindowsDisabled disabled(Handle());
  struct HideOnExit {
    TCustomForm& form;
    ~HideOnExit() { form.Hide(); }
  } hide{*this};
  modalResult_ = mrNone;
  Show();
  SetActiveWindow(FHandle);
  do {
    Application->HandleMessage();
    if (Application->Terminated())
      modalResult_ = mrCancel;
    else if (modalResult_ != mrNone)
      CloseModal();
  } while (modalResult_ == mrNone);
  if (GetActiveWindow() != FHandle)
    scope.previousActive = nullptr;
  return modalResult_;
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone)
    modalResult_ = mrNone;
  else if (action == caFree)
    Release();
}

// ---- Closing ---------------------------------------------------------------------------
bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose)
    OnClose(this, Action);
}

void TCustomForm::Close() {
  if (formState_.Contains(fsModal)) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction action = caHide;
  if (formStyle_ == fsMDIChild)
    action = borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
  DoClose(action);
  if (action == caNone)
    return;
  if (Application->MainForm() == this)
    Application->Terminate();
  else if (action == caHide)
    Hide();
  else if (action == caMinimize)
    SetWindowState(wsMinimized);
  else
    Release();
}

void TCustomForm::Release() { Application->ReleaseForm(this); }

// ---- Appearance --------------------------------------------------------------------------
void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (borderStyle_ == Value)
    return;
  borderStyle_ = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (borderIcons_ == Value)
    return;
  borderIcons_ = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (formStyle_ == Value)
    return;
  formStyle_ = Value;
  if (HandleAllocated()) {
    if (Value == fsStayOnTop || Value == fsNormal)
      SetWindowPos(FHandle, Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    else
      RecreateWnd();
  }
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (windowState_ == Value)
    return;
  windowState_ = Value;
  if (HandleAllocated() && Showing()) {
    static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(FHandle, kShow[Value]);
  }
}

void TCustomForm::SetAlphaBlend(bool Value) {
  if (alphaBlend_ == Value)
    return;
  alphaBlend_ = Value;
  ApplyAlphaBlend();
}

void TCustomForm::SetAlphaBlendValue(BYTE Value) {
  if (alphaBlendValue_ == Value)
    return;
  alphaBlendValue_ = Value;
  ApplyAlphaBlend();
}

void TCustomForm::ApplyAlphaBlend() {
  if (!HandleAllocated() || Parent() != nullptr)
    return;
  LONG_PTR ex = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  if (alphaBlend_) {
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(FHandle, 0, alphaBlendValue_, LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    RedrawWindow(FHandle, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TCustomForm::SetIcon(TIcon* Value) { icon_->Assign(Value); }

void TCustomForm::IconChanged(TObject* Sender) { ApplyIcon(); }

void TCustomForm::ApplyIcon() {
  if (!HandleAllocated())
    return;
  HICON icon = icon_->Empty() ? nullptr : icon_->Handle();
  SendMessageW(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (menu_ == Value)
    return;
  if (menu_ != nullptr) {
    menu_->RemoveFreeNotification(this);
    menu_->SetWindowHandle(nullptr);
  }
  menu_ = Value;
  if (menu_ != nullptr)
    menu_->FreeNotification(this);
  if (HandleAllocated()) {
    ::SetMenu(FHandle, menu_ != nullptr ? menu_->Handle() : nullptr);
    if (menu_ != nullptr)
      menu_->SetWindowHandle(FHandle);
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == menu_) {
    if (HandleAllocated())
      ::SetMenu(FHandle, nullptr);
    menu_ = nullptr;
  }
  if (AComponent == activeControl_)
    activeControl_ = nullptr;
}

// ---- Focus -------------------------------------------------------------------------------
void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (activeControl_ == Control)
    return;
  if (Control != nullptr && (Control == this || GetParentForm(Control) != this))
    throw EInvalidOperation("Invalid active control");
  activeControl_ = Control;
  if (Control != nullptr)
    Control->FreeNotification(this);
  if (Control != nullptr && active_ && Enabled() && Control->CanFocus())
    Control->SetFocus();
  Screen->ActiveControlChanged();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  // An inactive or disabled form only records the control; it is focused
  // when the form is activated again.
  const bool active = HandleAllocated() && GetActiveWindow() == FHandle && IsWindowEnabled(FHandle);
  if (!active) {
    if (Control != nullptr && Control != this) {
      activeControl_ = Control;
      Control->FreeNotification(this);
    }
    return;
  }
  TCustomControl::FocusControl(Control);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control != this && Control != nullptr) {
    activeControl_ = Control;
    Control->FreeNotification(this);
  }
  const bool result = TCustomControl::SetFocusedControl(Control);
  Screen->ActiveControlChanged();
  return result;
}

void TCustomForm::SetFocus() {
  if (!Visible() || !Enabled())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (HandleAllocated())
    SetActiveWindow(FHandle);
  RestoreFocus();
}

void TCustomForm::RestoreFocus() {
  TWinControl* target = activeControl_;
  if (target == nullptr || !target->CanFocus()) {
    target = FindNextControl(nullptr, true, true, false);
  }
  if (target != nullptr && target->CanFocus())
    ::SetFocus(target->Handle());
  else if (HandleAllocated())
    ::SetFocus(FHandle);
}

bool TCustomForm::IsShortCut(WORD Key, TShiftState Shift) {
  const TShortCut shortCut = ::ShortCut(Key, Shift);
  if (shortCut == 0)
    return false;
  if (menu_ != nullptr && menu_->IsShortCut(shortCut))
    return true;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
      if (list->IsShortCut(shortCut))
        return true;
  return false;
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  const WORD key = static_cast<WORD>(Message.WParam);
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
    return false;
  return IsShortCut(key, KeyDataToShiftState(Message.LParam));
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  TCustomControl::DefocusControl(Control, Removing);
  if (Removing && activeControl_ != nullptr && Control->ContainsControl(activeControl_))
    activeControl_ = nullptr;
}

// A form being freed loses its window (and with it the activation) after
// OnDestroy has run; its handlers then belong to an owner that may already
// have let go of what they use, so they run no more.
void TCustomForm::Activate() {
  if (OnActivate && !ComponentState().Contains(csDestroying))
    OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate && !ComponentState().Contains(csDestroying))
    OnDeactivate(this);
}

// ---- Messages ----------------------------------------------------------------------------
void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE: WMClose(Message); return;
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(Message); return;
    case WM_SYSCOMMAND: WMSysCommand(Message); return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (DispatchMenuOwnerDraw(Message.Msg, Message.WParam, Message.LParam)) {
        Message.Result = TRUE;
        return;
      }
      break;
    case CM_ACTIVATE: Activate(); return;
    case CM_DEACTIVATE: Deactivate(); return;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomForm::WMClose(TMessage& Message) { Close(); }

void TCustomForm::WMActivate(TMessage& Message) {
  DefaultHandler(Message);
  const bool nowActive = LOWORD(Message.WParam) != WA_INACTIVE;
  if (nowActive == active_)
    return;
  active_ = nowActive;
  if (nowActive) {
    Screen->SetActiveForm(this);
    Activate();
    formState_.Include(fsActivated);
    if (HIWORD(Message.WParam) == 0)  // not minimised
      RestoreFocus();
  } else {
    Deactivate();
  }
  Message.Result = 0;
}

void TCustomForm::WMCommand(TMessage& Message) {
  // Menu commands (and accelerators) come with no control handle.
  if (Message.LParam == 0 && HIWORD(Message.WParam) <= 1 && menu_ != nullptr &&
      menu_->DispatchCommand(LOWORD(Message.WParam)))
    return;
  TCustomControl::WMCommand(Message);
}

void TCustomForm::WMSize(TMessage& Message) {
  switch (Message.WParam) {
    case SIZE_MINIMIZED: windowState_ = wsMinimized; break;
    case SIZE_MAXIMIZED: windowState_ = wsMaximized; break;
    case SIZE_RESTORED: windowState_ = wsNormal; break;
    default: break;
  }
  TCustomControl::WMSize(Message);
}

void TCustomForm::WMGetMinMaxInfo(TMessage& Message) {
  DefaultHandler(Message);
  auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
  const TSizeConstraints* c = Constraints();
  if (info == nullptr || c == nullptr)
    return;
  if (c->MinWidth() > 0)
    info->ptMinTrackSize.x = c->MinWidth();
  if (c->MinHeight() > 0)
    info->ptMinTrackSize.y = c->MinHeight();
  if (c->MaxWidth() > 0)
    info->ptMaxTrackSize.x = c->MaxWidth();
  if (c->MaxHeight() > 0)
    info->ptMaxTrackSize.y = c->MaxHeight();
  Message.Result = 0;
}

void TCustomForm::WMSysCommand(TMessage& Message) {
  const UINT command = Message.WParam & 0xFFF0;
  DefaultHandler(Message);
  if (command == SC_MINIMIZE)
    windowState_ = wsMinimized;
  else if (command == SC_MAXIMIZE)
    windowState_ = wsMaximized;
  else if (command == SC_RESTORE)
    windowState_ = IsZoomed(FHandle) ? wsMaximized : wsNormal;
}

// ---- TForm ---------------------------------------------------------------------------------
IMPLEMENT_CLASS(TForm)

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
