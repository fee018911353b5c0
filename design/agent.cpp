#include "design/agent.h"

#include "classlib/system/exceptions.h"

namespace {

constexpr const wchar_t* kAgentProp = L"DozuriAgent";
int gLiveAgents = 0;

LONG_PTR InstallWithSystem(HWND Window, LONG_PTR Procedure) {
  return SetWindowLongPtrW(Window, GWLP_WNDPROC, Procedure);
}

}  // namespace

LONG_PTR (*TAgent::InstallProcedure)(HWND, LONG_PTR) = InstallWithSystem;

// ---- TAgent ---------------------------------------------------------------------------
TAgent::TAgent(HWND Handle) {
  ++gLiveAgents;
  if (Handle != nullptr) {
    try {
      Subclass(Handle);
    } catch (...) {
      --gLiveAgents;
      throw;
    }
  }
}

TAgent::~TAgent() {
  if (FSubclassed)
    Unsubclass();
  --gLiveAgents;
}

int TAgent::LiveCount() { return gLiveAgents; }

void TAgent::CaptureChanged() { FPressTarget = nullptr; }

void TAgent::Subclass(HWND Handle) {
  // The property goes first: messages sent while the procedure is being
  // installed already find the agent.
  SetPropW(Handle, kAgentProp, this);
  LONG_PTR old = InstallProcedure(Handle, reinterpret_cast<LONG_PTR>(&AgentWindowProc));
  if (old == 0) {
    RemovePropW(Handle, kAgentProp);
    throw Exception("Subclassing is failure.");
  }
  FWindow = Handle;
  FOldProcedure = reinterpret_cast<WNDPROC>(old);
  FSubclassed = true;
}

void TAgent::Unsubclass() {
  if (!FSubclassed)
    return;
  FSubclassed = false;
  if (IsWindow(FWindow)) {
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldProcedure));
    if (GetPropW(FWindow, kAgentProp) == this)
      RemovePropW(FWindow, kAgentProp);
  }
}

void TAgent::Attach(HWND Handle) {
  Unsubclass();
  Subclass(Handle);
}

void TAgent::ReleaseWindow() {
  Unsubclass();
  if (FDestroyCallback) {
    auto callback = std::move(FDestroyCallback);
    FDestroyCallback = nullptr;
    callback();
  }
}

void TAgent::CallOldProcedure(TMessage& Message) {
  Message.Result = CallWindowProcW(FOldProcedure, FWindow, Message.Msg, Message.WParam, Message.LParam);
}

LRESULT CALLBACK TAgent::AgentWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* agent = static_cast<TAgent*>(GetPropW(Window, kAgentProp));
  if (agent == nullptr)
    return DefWindowProcW(Window, Msg, WParam, LParam);
  TMessage message{Msg, WParam, LParam, 0};
  // Nothing may unwind through the system's frames.
  try {
    agent->WndProc(message);
  } catch (...) {
    if (ApplicationHandleException != nullptr)
      ApplicationHandleException(nullptr);
  }
  return message.Result;
}

// ---- TChildAgent ----------------------------------------------------------------------
void TChildAgent::WndProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  CallOldProcedure(Message);
  // The window is gone for good: nothing is left to give back.
  if (Message.Msg == WM_NCDESTROY)
    Unsubclass();
}

// ---- TAgentList -----------------------------------------------------------------------
TChildAgent* TAgentList::Add(HWND Handle) {
  FAgents.push_back(std::make_unique<TChildAgent>(Handle));
  return FAgents.back().get();
}

void TAgentList::AddTree(HWND Handle) {
  Add(Handle);
  for (HWND child = GetWindow(Handle, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    AddTree(child);
}

void TAgentList::Clear() {
  // From the last to the first, so windows are given back in the reverse
  // order of their taking.
  while (!FAgents.empty())
    FAgents.pop_back();
}

void TAgentList::AddForeignChildren(TWinControl* Control, HWND Handle) {
  TChildList children(Handle, Control);
  for (int i = 0; i < children.Count(); ++i) {
    const TChildList::TEntry& entry = children.Items(i);
    if (entry.Control == nullptr || entry.Control->Owner() != Control->Owner())
      AddTree(entry.Window);
  }
}

// ---- TChildList -----------------------------------------------------------------------
TChildList::TChildList(HWND Handle, TWinControl* Parent) {
  for (HWND child = GetWindow(Handle, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    TWinControl* control = FindControl(child);
    if (control != nullptr && control->Parent() != Parent)
      control = nullptr;
    FEntries.push_back(TEntry{child, control});
  }
}

// ---- TClientAgent ---------------------------------------------------------------------
TClientAgent::TClientAgent(TWinControl* Control)
    : TAgent(nullptr), FControl(Control), FChildren(std::make_unique<TAgentList>()) {}

TClientAgent::~TClientAgent() {
  FChildren->Clear();
  ReleaseWindow();
}

void TClientAgent::Cover() {
  CoverStarted();
  TAgent::Attach(FControl->Handle());
}

void TClientAgent::Uncover() {
  FChildren->Clear();
  FDestroyCallback = [this] { CoverEnded(); };
  ReleaseWindow();
}

void TClientAgent::Attach(HWND Handle) {
  TAgent::Attach(Handle);
  FChildren->Clear();
  FChildren->AddForeignChildren(FControl, Handle);
}
