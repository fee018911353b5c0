#include "skin/core/skincommands.h"

#include <utility>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"
#include "skin/core/commondata.h"

void RegisterSkinMessage() {
  static const UINT registered = RegisterWindowMessageW(SkinMessageName);
  (void)registered;
}

LRESULT SendSkinCommand(HWND Wnd, WORD Command, LPARAM LParam) {
  if (Wnd == nullptr)
    return 0;
  return SendMessageW(Wnd, SM_ALPHACMD, SkinCommandWParam(Command), LParam);
}

LRESULT SendControlSkinCommand(TControl* Control, WORD Command, LPARAM LParam) {
  if (Control == nullptr)
    return 0;
  auto* window = dynamic_cast<TWinControl*>(Control);
  if (window == nullptr)
    return Control->Perform(SM_ALPHACMD, SkinCommandWParam(Command), LParam);
  if (window->ComponentState().Contains(csDestroying) || !window->HandleAllocated())
    return 0;
  return SendMessageW(window->Handle(), SM_ALPHACMD, SkinCommandWParam(Command), LParam);
}

bool WindowAnswersCommand(HWND Wnd, WORD Command) { return SendSkinCommand(Wnd, Command, 0) == 1; }

void SendToChildControls(TWinControl* Container, TMessage& Message) {
  // Handlers may add or remove children; the count is read on every step.
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    if (child->ComponentState().Contains(csDestroying))
      return;
    auto* window = dynamic_cast<TWinControl*>(child);
    if (window == nullptr || !window->HandleAllocated())
      child->Perform(Message.Msg, Message.WParam, Message.LParam);
    else if (QueryControlSkinCommand(window, SkinCmdAreYouSkinned) != 0)
      SendMessageW(window->Handle(), Message.Msg, Message.WParam, Message.LParam);
    else
      SendToChildControls(window, Message);
  }
}

namespace {

BOOL CALLBACK SendToDirectChild(HWND Child, LPARAM Data) {
  auto* target = reinterpret_cast<std::pair<HWND, TMessage*>*>(Data);
  if (GetParent(Child) == target->first)
    SendMessageW(Child, target->second->Msg, target->second->WParam, target->second->LParam);
  return TRUE;
}

}  // namespace

void SendToChildWindows(HWND Wnd, TMessage& Message) {
  std::pair<HWND, TMessage*> target{Wnd, &Message};
  EnumChildWindows(Wnd, SendToDirectChild, reinterpret_cast<LPARAM>(&target));
}

void UnlockChildControls(TWinControl* Container) {
  if (AnimationRunning || Container == nullptr)
    return;
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    if (dynamic_cast<TGraphicControl*>(child) != nullptr || child->ComponentState().Contains(csDestroying))
      continue;
    auto* window = dynamic_cast<TWinControl*>(child);
    if (window != nullptr && window->HandleAllocated() && window->Showing())
      SendSkinCommand(window->Handle(), SkinCmdEndUpdate, 0);
    else
      SendControlSkinCommand(child, SkinCmdEndUpdate, 0);
  }
}

void UnlockChildWindows(HWND Wnd) {
  for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0)
      SendSkinCommand(child, SkinCmdEndUpdate, 0);
}
