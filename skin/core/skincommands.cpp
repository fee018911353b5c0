#include "skin/core/skincommands.h"

#include "classlib/controls/wincontrol.h"

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

void SendToChildControls(TWinControl* Container, TMessage& Message) {
  // Handlers may add or remove children; the count is read on every step.
  for (int i = 0; i < Container->ControlCount(); ++i) {
    TControl* child = Container->Controls(i);
    if (child->ComponentState().Contains(csDestroying))
      return;
    auto* window = dynamic_cast<TWinControl*>(child);
    if (window == nullptr || !window->HandleAllocated())
      child->Perform(Message.Msg, Message.WParam, Message.LParam);
    else if (SendControlSkinCommand(window, SkinCmdAreYouSkinned, 0) != 0)
      SendMessageW(window->Handle(), Message.Msg, Message.WParam, Message.LParam);
    else
      SendToChildControls(window, Message);
  }
}
