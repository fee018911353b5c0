// The skin command message: one private window message through which skinned
// controls, their containers and the skin manager talk. The command number
// travels in the high word of WParam, a small argument in the low word, and
// LParam (pointer-sized) carries the manager, a record or a control the
// command is about. A window that does not know a command answers 0.
//
// The senders here choose between SendMessage and the control's Perform, so
// that commands reach windowed controls through their window procedure and
// graphic controls directly; a windowed control without a window gets
// nothing and no window is made just to be asked.
#pragma once
#include <windows.h>

#include "classlib/controls/messages.h"

class TControl;
class TWinControl;

// The registered name of the message, and the fixed number every sender
// and receiver uses.
constexpr const wchar_t* SkinMessageName = L"SM_ALPHACMD";
constexpr UINT SM_ALPHACMD = 0xA100;
// Registers the message name once (the number in use stays 0xA100).
void RegisterSkinMessage();

// Command numbers (high word of WParam).
constexpr WORD SkinCmdNewSkin = 0x01;            // a skin was loaded; LParam the manager
constexpr WORD SkinCmdSkinRemoved = 0x02;        // the skin was removed; LParam the manager
constexpr WORD SkinCmdRefresh = 0x03;            // repaint from the skin; LParam the manager
constexpr WORD SkinCmdGetProvider = 0x04;        // a form answers its skin provider
constexpr WORD SkinCmdPrepareRepaint = 0x05;     // a notice nothing answers
constexpr WORD SkinCmdEndUpdate = 0x06;          // the paint lock is over, repaint
constexpr WORD SkinCmdAreYouSkinned = 0x07;      // answered 1 by every skinned control
constexpr WORD SkinCmdSetPaintLock = 0x08;       // low word 1 locks, 0 unlocks
constexpr WORD SkinCmdSetPositionMark = 0x09;    // low word 1 sets, 0 clears
constexpr WORD SkinCmdIsLocked = 0x0A;           // 1 while painting is locked
constexpr WORD SkinCmdPartlyPainted = 0x0B;      // was the last paint partial?
constexpr WORD SkinCmdTransparentChanged = 0x0C; // low word 1: a transparent section repaints
constexpr WORD SkinCmdSectionChanged = 0x0D;     // the changed-section name is yours
constexpr WORD SkinCmdMenuBorderPainted = 0x0E;  // menu windows; drop-down state of combo boxes
constexpr WORD SkinCmdStopFading = 0x10;         // stop and free the fade timer
constexpr WORD SkinCmdInvalidateCache = 0x11;    // the cache must be rebuilt
constexpr WORD SkinCmdAfterAnimation = 0x12;     // repaint after an animation step
constexpr WORD SkinCmdPositionDependent = 0x13;  // does your background depend on your position?
constexpr WORD SkinCmdRepaintChildren = 0x14;    // low word 1: redraw with children
constexpr WORD SkinCmdBackColor = 0x15;          // the colour children paint over
constexpr WORD SkinCmdSetPartlyPainted = 0x16;   // the last paint was partial
constexpr WORD SkinCmdRebuildCache = 0x17;       // rebuild the cache now
constexpr WORD SkinCmdDropRegion = 0x18;         // buttons drop their cached region
constexpr WORD SkinCmdAdaptControl = 0x19;       // to a form: adapt the control in LParam (0: all)
constexpr WORD SkinCmdGetSectionIndex = 0x1A;    // LParam points to an int receiving the section index
constexpr WORD SkinCmdCaptionHeight = 0x1B;      // group box: caption height; tab control: its manager
constexpr WORD SkinCmdRescanChildren = 0x1C;     // dialog adapter: wrap new child windows
constexpr WORD SkinCmdMouseEnter = 0x1D;         // LParam the manager
constexpr WORD SkinCmdMouseLeave = 0x1E;         // LParam the manager
constexpr WORD SkinCmdPaintLockBegan = 0x1F;
constexpr WORD SkinCmdPaintLockEnded = 0x20;
constexpr WORD SkinCmdBackgroundQuery = 0x22;    // LParam points to a TsBackgroundQuery
constexpr WORD SkinCmdBeforeDisabled = 0x23;     // a notice nothing answers
constexpr WORD SkinCmdPlainLook = 0x24;          // LParam 1: recompute and pass on; else answer the flags
constexpr WORD SkinCmdBorderFullOpacity = 0x25;
constexpr WORD SkinCmdScrollBegins = 0x33;
constexpr WORD SkinCmdScrollEnded = 0x34;
constexpr WORD SkinCmdApplication = 0x3C;        // answered with the application object
constexpr WORD SkinCmdClientOffset = 0x3D;       // (Y shl 16) or (X and 0xFFFF)

// The WParam of a command with its small argument.
constexpr WPARAM SkinCommandWParam(WORD Command, WORD Argument = 0) {
  return static_cast<WPARAM>(MAKELONG(Argument, Command));
}
// The command number of a message, or 0 when it is not the skin command message.
inline WORD SkinCommandOf(const TMessage& Message) {
  return Message.Msg == SM_ALPHACMD ? HIWORD(Message.WParam) : 0;
}
// The small argument of a command.
inline WORD SkinArgumentOf(const TMessage& Message) { return LOWORD(Message.WParam); }

// SendMessage of the command to a window (0 for no window).
LRESULT SendSkinCommand(HWND Wnd, WORD Command, LPARAM LParam);
// Sends a command to a control: Perform for a non-windowed control;
// SendMessage for a windowed one, which without a window (or while it is
// being destroyed) gets nothing and the answer is 0.
LRESULT SendControlSkinCommand(TControl* Control, WORD Command, LPARAM LParam);
inline LRESULT QueryControlSkinCommand(TControl* Control, WORD Command) {
  return SendControlSkinCommand(Control, Command, 0);
}
// True when the window answers the command with 1.
bool WindowAnswersCommand(HWND Wnd, WORD Command);

// Passes a message to the children of Container: non-windowed children and
// windowed ones without a window through Perform, windowed children that
// answer SkinCmdAreYouSkinned through SendMessage; other windowed children
// are not sent the message but their own children are, so it reaches every
// skinned control below unskinned containers. The walk stops at the first
// child that is being destroyed.
void SendToChildControls(TWinControl* Container, TMessage& Message);
// Sends the message to every direct child window of Wnd; grandchildren are
// visited by the enumeration but not sent it.
void SendToChildWindows(HWND Wnd, TMessage& Message);
// SkinCmdEndUpdate to every child control that is not graphic: by
// SendSkinCommand to a showing one with a window, else through
// SendControlSkinCommand. Nothing while an animation paints.
void UnlockChildControls(TWinControl* Container);
// SkinCmdEndUpdate to every child window (WS_CHILD) of Wnd.
void UnlockChildWindows(HWND Wnd);
