// The skin command message: one private window message through which skinned
// controls, their containers and the skin manager talk. The command number
// travels in the high word of WParam, a small argument in the low word, and
// LParam carries the manager, a record or a control the command is about.
// A window that does not know a command answers 0.
#pragma once
#include <windows.h>

#include "classlib/controls/messages.h"

class TControl;
class TWinControl;

constexpr UINT SM_ALPHACMD = 0xA100;

// Command numbers (high word of WParam).
constexpr WORD SkinCmdNewSkin = 0x01;          // a skin was loaded; LParam the manager
constexpr WORD SkinCmdSkinRemoved = 0x02;      // the skin was removed; LParam the manager
constexpr WORD SkinCmdRefresh = 0x03;          // repaint from the skin; LParam the manager
constexpr WORD SkinCmdEndUpdate = 0x06;        // the paint lock is over, repaint
constexpr WORD SkinCmdAreYouSkinned = 0x07;    // answered 1 by every skinned control
constexpr WORD SkinCmdIsLocked = 0x0A;         // 1 while painting is locked
constexpr WORD SkinCmdBackgroundQuery = 0x22;  // LParam points to a background query record
constexpr WORD SkinCmdApplication = 0x3C;      // answered with the application object

// The WParam of a command with its small argument.
constexpr WPARAM SkinCommandWParam(WORD Command, WORD Argument = 0) {
  return static_cast<WPARAM>(MAKELONG(Argument, Command));
}
// The command number of a message, or 0 when it is not the skin command message.
inline WORD SkinCommandOf(const TMessage& Message) {
  return Message.Msg == SM_ALPHACMD ? HIWORD(Message.WParam) : 0;
}

// Sends a command to a control: Perform for a non-windowed control;
// SendMessage for a windowed one, which without a window (or while it is
// being destroyed) gets nothing and the answer is 0, so no window is made
// just to be asked.
LRESULT SendControlSkinCommand(TControl* Control, WORD Command, LPARAM LParam);

// Passes a message to the children of Container: non-windowed children and
// windowed ones without a window through Perform, windowed children that
// answer SkinCmdAreYouSkinned through SendMessage; other windowed children
// are not sent the message but their own children are, so it reaches every
// skinned control below unskinned containers. The walk stops at the first
// child that is being destroyed.
void SendToChildControls(TWinControl* Container, TMessage& Message);
