#include "classlib/forms/application.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "classlib/classes/threads.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/appevnts.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/hintwindow.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/icon.h"
#include "classlib/graphics/screenfacts.h"
#include "classlib/printers/spoolerrequest.h"
#include "classlib/system/win/widestring.h"

TApplication* Application = nullptr;

namespace {

const wchar_t kAppClassName[] = L"TApplication";
// Messages of the application window.
constexpr UINT kPostedCall = WM_APP + 1;   // LParam: TPostedCall*
constexpr UINT kReleaseForm = WM_APP + 2;  // LParam: TCustomForm*
// Timers of the application window.
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
// The widest a hint grows before its text wraps.
constexpr int kHintMaxWidth = 800;

// A call handed to the GUI thread by Synchronize (waited for) or Queue.
struct TPostedCall {
  TThreadMethod method;
  bool wait = false;
  std::mutex lock;
  std::condition_variable doneChanged;
  bool done = false;
  std::exception_ptr error;
};

const bool applicationMade = [] {
  Application = new TApplication(nullptr);
  ApplicationHandleException = [](TObject* sender) {
    if (Application != nullptr)
      Application->HandleException(sender);
  };
  HintMouseMessageHook = [](TControl* control, TMessage& message) {
    if (Application != nullptr)
      Application->HintMouseMessage(control, message);
  };
  return true;
}();

AnsiString ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return WideToAnsi(path);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

BEGIN_PUBLISHED(TApplication)
END_PUBLISHED

TApplication::TApplication(TComponent* AOwner)
    : TComponent(AOwner), threadId_(GetCurrentThreadId()), icon_(std::make_unique<TIcon>()) {
  // Made now, on the thread of the message loop: other threads post to it.
  Handle();
  InstallSynchronizeHook();
}

TApplication::~TApplication() {
  TThread::SetSynchronizeHook(nullptr);
  TThread::SetWaitHook(nullptr);
  DestroyComponents();
  if (handle_ != nullptr)
    DestroyWindow(handle_);
}

HWND TApplication::Handle() {
  if (handle_ != nullptr)
    return handle_;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  if (!GetClassInfoW(instance, kAppClassName, &wc)) {
    wc = WNDCLASSW{};
    wc.lpfnWndProc = &TApplication::AppWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kAppClassName;
    if (RegisterClassW(&wc) == 0)
      RaiseLastOSError();
  }
  std::wstring title = AnsiToWide(Title());
  handle_ = CreateWindowExW(0, kAppClassName, title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, instance, nullptr);
  if (handle_ == nullptr)
    RaiseLastOSError();
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return handle_;
}

LRESULT CALLBACK TApplication::AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TApplication*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (self == nullptr)
    return DefWindowProcW(wnd, msg, wParam, lParam);
  try {
    return self->WndProc(msg, wParam, lParam);
  } catch (...) {
    self->HandleException(self);
    return 0;
  }
}

LRESULT TApplication::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  std::vector<TWindowHook> hooks = hooks_;
  for (const TWindowHook& hook : hooks)
    if (hook(message))
      return message.Result;
  switch (Msg) {
    case kPostedCall: RunPostedCall(LParam); return 0;
    case kReleaseForm: {
      auto* form = reinterpret_cast<TCustomForm*>(LParam);
      // The form may have been freed by other means since.
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i) == form) {
          form->Free();
          break;
        }
      return 0;
    }
    case WM_TIMER:
      if (WParam == kHintShowTimer) {
        KillTimer(handle_, kHintShowTimer);
        ShowHintNow();
      } else if (WParam == kHintHideTimer) {
        CancelHint();
      }
      return 0;
    case WM_CLOSE:
      if (mainForm_ != nullptr)
        mainForm_->Close();
      return 0;
    case WM_DEVMODECHANGE:
    case WM_SETTINGCHANGE:
      // A printer was added or removed or its settings changed.
      ForgetSpoolerAnswers();
      return DefWindowProcW(handle_, Msg, WParam, LParam);
    case WM_DISPLAYCHANGE:
      ScreenFactsChanged();
      return DefWindowProcW(handle_, Msg, WParam, LParam);
    default: return DefWindowProcW(handle_, Msg, WParam, LParam);
  }
}

// ---- Forms ----------------------------------------------------------------------------------
void TApplication::AdoptForm(TCustomForm* Form) {
  if (mainForm_ == nullptr)
    mainForm_ = Form;
  Form->AfterConstruction();
}

void TApplication::ReleaseForm(TCustomForm* Form) {
  PostMessageW(Handle(), kReleaseForm, 0, reinterpret_cast<LPARAM>(Form));
}

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (mainForm_ == Form)
    mainForm_ = nullptr;
}

// ---- The message loop --------------------------------------------------------------------------
void TApplication::Run() {
  try {
    if (mainForm_ != nullptr && showMainForm_)
      mainForm_->Show();
  } catch (...) {
    HandleException(this);
  }
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (Msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    bool handled = false;
    DoMessage(Msg, handled);
    // The MDI keys (Ctrl+F4, Ctrl+F6) of the main form's children come first.
    HWND mdiClient = mainForm_ != nullptr ? mainForm_->ClientHandle() : nullptr;
    if (!handled && mdiClient != nullptr && TranslateMDISysAccel(mdiClient, &Msg))
      handled = true;
    if (!handled && !IsControlKeyMsg(Msg)) {
      TranslateMessage(&Msg);
      DispatchMessageW(&Msg);
    }
  } catch (...) {
    HandleException(this);
  }
  return true;
}

// Only the GUI thread handles the GUI's messages: a worker (a report that
// generates its preview pages) that calls this does nothing, since the
// messages it would take belong to windows it must never touch.
void TApplication::ProcessMessages() {
  if (GetCurrentThreadId() != threadId_)
    return;
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle() {
  bool done = true;
  try {
    DoIdle(done);
    // Actions bring their state up to date while nothing else happens.
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* form = Screen->Forms(i);
      if (!form->Visible())
        continue;
      for (int c = 0; c < form->ComponentCount(); ++c)
        if (auto* list = dynamic_cast<TCustomActionList*>(form->Components(c)))
          list->UpdateActions();
    }
  } catch (...) {
    HandleException(this);
  }
  if (done)
    WaitMessage();
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg))
    Idle();
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

// ---- Exceptions -------------------------------------------------------------------------------
void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current || handlingException_)
    return;
  handlingException_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{handlingException_};
  auto report = [&](Exception& e) {
    try {
      if (!DoException(Sender, &e))
        ShowException(&e);
    } catch (...) {
      // A failing handler must not take the loop down with it.
    }
  };
  try {
    std::rethrow_exception(current);
  } catch (EAbort&) {
  } catch (Exception& e) {
    report(e);
  } catch (std::exception& e) {
    Exception wrapped(e.what());
    report(wrapped);
  } catch (...) {
    Exception wrapped("Unknown exception");
    report(wrapped);
  }
}

void TApplication::ShowException(Exception* E) {
  AnsiString text = E->Message;
  // The standard box ends the message with a full stop (as the platform does:
  // not after ".", "!" or other characters below it).
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
    text += '.';
  MessageBox(text, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
  return DialogService().MessageBox(TMessageBoxRequest{Caption, Text, Flags});
}

// ---- Properties ----------------------------------------------------------------------------------
AnsiString TApplication::ExeName() const { return ModuleFileName(); }

AnsiString TApplication::Title() const {
  if (!title_.empty())
    return title_;
  // The program's file name without folder and extension.
  AnsiString name = ModuleFileName();
  std::size_t slash = name.find_last_of("\\/:");
  if (slash != AnsiString::npos)
    name.erase(0, slash + 1);
  std::size_t dot = name.rfind('.');
  if (dot != AnsiString::npos)
    name.erase(dot);
  return name;
}

void TApplication::SetTitle(const AnsiString& Value) {
  title_ = Value;
  if (handle_ != nullptr)
    SetWindowTextW(handle_, AnsiToWide(Title()).c_str());
}

void TApplication::Minimize() {
  if (mainForm_ != nullptr && mainForm_->HandleAllocated())
    ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
  DoNotify(&TApplication::OnMinimize, &TApplicationEvents::OnMinimize);
}

void TApplication::Restore() {
  if (mainForm_ != nullptr && mainForm_->HandleAllocated())
    ShowWindow(mainForm_->Handle(), SW_RESTORE);
  DoNotify(&TApplication::OnRestore, &TApplicationEvents::OnRestore);
}

void TApplication::BringToFront() {
  TCustomForm* form = Screen->ActiveForm() != nullptr ? Screen->ActiveForm() : mainForm_;
  if (form != nullptr && form->HandleAllocated())
    SetForegroundWindow(GetLastActivePopup(form->Handle()));
}

// ---- Hints ------------------------------------------------------------------------------------------
THintWindow* TApplication::HintWindow() {
  if (hintWindow_ == nullptr)
    hintWindow_ = new THintWindow(this);
  return hintWindow_;
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  if (Control == hintControl_)
    return;
  CancelHint();
  hintControl_ = Control;
  if (showHint_ && Control != nullptr && Control->ShowHint() && !Control->Hint().empty())
    SetTimer(Handle(), kHintShowTimer, static_cast<UINT>(std::max(hintPause_, 1)), nullptr);
}

void TApplication::ShowHintNow() {
  TControl* control = MouseControl();
  // The mouse must still be on the control the pause began on.
  if (control == nullptr || control != hintControl_ || !showHint_ || !control->ShowHint())
    return;
  const AnsiString text = GetShortHint(control->Hint());
  if (text.empty())
    return;
  POINT cursor;
  GetCursorPos(&cursor);
  TRect r = HintWindow()->CalcHintRect(kHintMaxWidth, text);
  OffsetRect(&r, cursor.x, cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2 + 4);
  HintWindow()->ActivateHint(r, text);
  SetTimer(Handle(), kHintHideTimer, static_cast<UINT>(std::max(hintHidePause_, 1)), nullptr);
}

void TApplication::CancelHint() {
  if (handle_ != nullptr) {
    KillTimer(handle_, kHintShowTimer);
    KillTimer(handle_, kHintHideTimer);
  }
  if (hintWindow_ != nullptr)
    hintWindow_->ReleaseHandle();
}

void TApplication::HookMainWindow(const TWindowHook& Hook) { hooks_.push_back(Hook); }

void TApplication::UnhookMainWindow(const TWindowHook& Hook) {
  auto it = std::find(hooks_.begin(), hooks_.end(), Hook);
  if (it != hooks_.end())
    hooks_.erase(it);
}

void TApplication::ModalStarted() {
  if (++modalLevel_ == 1)
    DoNotify(&TApplication::OnModalBegin, &TApplicationEvents::OnModalBegin);
}

void TApplication::ModalFinished() {
  if (--modalLevel_ == 0)
    DoNotify(&TApplication::OnModalEnd, &TApplicationEvents::OnModalEnd);
}

// ---- Event fan-out ------------------------------------------------------------------------------
void TApplication::AddEvents(TApplicationEvents* Events) { events_.push_back(Events); }

void TApplication::RemoveEvents(TApplicationEvents* Events) {
  events_.erase(std::remove(events_.begin(), events_.end(), Events), events_.end());
}

bool TApplication::DoException(TObject* Sender, Exception* E) {
  bool handled = false;
  if (OnException) {
    OnException(Sender, E);
    handled = true;
  }
  std::vector<TApplicationEvents*> events = events_;
  for (TApplicationEvents* e : events)
    if (e->OnException) {
      e->OnException(Sender, E);
      handled = true;
    }
  return handled;
}

void TApplication::DoIdle(bool& Done) {
  if (OnIdle)
    OnIdle(this, Done);
  std::vector<TApplicationEvents*> events = events_;
  for (TApplicationEvents* e : events)
    if (e->OnIdle)
      e->OnIdle(e, Done);
}

void TApplication::DoMessage(MSG& Msg, bool& Handled) {
  if (OnMessage)
    OnMessage(Msg, Handled);
  std::vector<TApplicationEvents*> events = events_;
  for (TApplicationEvents* e : events)
    if (!Handled && e->OnMessage)
      e->OnMessage(Msg, Handled);
}

void TApplication::DoNotify(TNotifyEvent TApplication::*Own, TNotifyEvent TApplicationEvents::*Other) {
  if (this->*Own)
    (this->*Own)(this);
  std::vector<TApplicationEvents*> events = events_;
  for (TApplicationEvents* e : events)
    if (e->*Other)
      (e->*Other)(e);
}

// ---- Calls from other threads ----------------------------------------------------------------------
void TApplication::InstallSynchronizeHook() {
  TThread::SetSynchronizeHook([this](const TThreadMethod& method, bool wait) {
    if (GetCurrentThreadId() == threadId_) {
      method();
      return;
    }
    if (!wait) {
      auto* call = new TPostedCall;
      call->method = method;
      if (!PostMessageW(Handle(), kPostedCall, 0, reinterpret_cast<LPARAM>(call))) {
        delete call;
        throw EOSError("Cannot queue a call to the main thread", GetLastError());
      }
      return;
    }
    TPostedCall call;
    call.method = method;
    call.wait = true;
    if (!PostMessageW(Handle(), kPostedCall, 0, reinterpret_cast<LPARAM>(&call)))
      throw EOSError("Cannot synchronize with the main thread", GetLastError());
    std::unique_lock guard(call.lock);
    call.doneChanged.wait(guard, [&] { return call.done; });
    if (call.error)
      std::rethrow_exception(call.error);
  });
  TThread::SetWaitHook([this] { RunPostedCalls(); });
}

void TApplication::RunPostedCalls() {
  if (GetCurrentThreadId() != threadId_)
    return;
  MSG msg;
  while (PeekMessageW(&msg, Handle(), kPostedCall, kPostedCall, PM_REMOVE))
    RunPostedCall(msg.lParam);
}

void TApplication::RunPostedCall(LPARAM Call) {
  auto* call = reinterpret_cast<TPostedCall*>(Call);
  if (!call->wait) {
    std::unique_ptr<TPostedCall> owned(call);
    owned->method();  // an exception goes to the window's handler
    return;
  }
  std::exception_ptr error;
  try {
    call->method();
  } catch (...) {
    // The waiting thread raises it again, as Synchronize does.
    error = std::current_exception();
  }
  std::lock_guard guard(call->lock);
  call->error = error;
  call->done = true;
  call->doneChanged.notify_all();
}
