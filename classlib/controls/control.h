// TControl: the visual component. A control has bounds in its parent's
// client area, a parent that is a windowed control, and a message path every
// message goes through, whether it came from Win32 or from Perform:
//
//   WindowProc (replaceable method pointer, initially WndProc)
//     -> virtual WndProc (mouse routing, enter/leave tracking)
//       -> virtual Dispatch (one switch per class; unhandled messages go to
//          the parent class's Dispatch)
//         -> virtual DefaultHandler (for windowed controls: the window
//            class's own procedure)
//
// Non-windowed controls (TGraphicControl) get their mouse messages and
// WM_PAINT from their parent. The CM_ notifications (text, font, colour,
// enabled, visible changed ...) are sent by the property setters.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/classes/alignment.h"
#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/messages.h"
#include "classlib/controls/shiftstate.h"
#include "classlib/controls/sizeconstraints.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/font.h"

class TWinControl;
class TPopupMenu;    // the menus unit
class TBasicAction;  // the action list unit

using TPoint = POINT;
using TRect = RECT;

inline TPoint Point(int X, int Y) { return TPoint{X, Y}; }
inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return TRect{Left, Top, Left + Width, Top + Height};
}

// ---- Enumerations and sets --------------------------------------------------
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
DOZURI_ENUM(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom");

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
DOZURI_ENUM(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom");
DOZURI_SET(TAnchors, TAnchorKind);

enum TControlStyleFlag {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
DOZURI_ENUM(TControlStyleFlag, "csAcceptsControls", "csCaptureMouse", "csDesignInteractive", "csClickEvents",
            "csFramed", "csSetCaption", "csOpaque", "csDoubleClicks", "csFixedWidth", "csFixedHeight",
            "csNoDesignVisible", "csReplicatable", "csNoStdEvents", "csDisplayDragImage", "csReflector",
            "csActionClient", "csMenuEvents");
DOZURI_SET(TControlStyle, TControlStyleFlag);

enum TControlStateFlag {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating,
  csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csAligning, csRecreating
};
DOZURI_ENUM(TControlStateFlag, "csLButtonDown", "csClicked", "csPalette", "csReadingState",
            "csAlignmentNeeded", "csFocusing", "csCreating", "csPaintCopy", "csCustomPaint",
            "csDestroyingHandle", "csDocking", "csAligning", "csRecreating");
DOZURI_SET(TControlState, TControlStateFlag);

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
DOZURI_ENUM(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly");

// Window borders: forms take all six, other controls the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
DOZURI_ENUM(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin");
using TBorderStyle = TFormBorderStyle;

// The answer of a modal form or message box (button ids of the platform).
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

// ---- Cursors ------------------------------------------------------------------
using TCursor = short;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeAll = -22;
// The names of the standard cursors ("crHandPoint"), as streams write them.
bool CursorToIdent(int Cursor, AnsiString& Ident);
bool IdentToCursor(const AnsiString& Ident, int& Cursor);

// The system cursor of a standard cursor number (nullptr for crDefault,
// crNone and numbers that are not standard).
HCURSOR StandardCursorHandle(TCursor Cursor);
// What WM_SETCURSOR shows for the Cursor of the control under the mouse
// (crDefault when it has none); nullptr leaves the window class's cursor.
// The screen object replaces it (custom cursors, a screen-wide busy cursor);
// the default gives the standard cursors.
extern HCURSOR (*CursorHandleHook)(TCursor Cursor);

// ---- Events --------------------------------------------------------------------
DOZURI_EVENT(TMouseEvent, void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y));
DOZURI_EVENT(TMouseMoveEvent, void(TObject* Sender, TShiftState Shift, int X, int Y));
DOZURI_EVENT(TMouseWheelEvent,
             void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled));
DOZURI_EVENT(TKeyEvent, void(TObject* Sender, WORD& Key, TShiftState Shift));
DOZURI_EVENT(TKeyPressEvent, void(TObject* Sender, char& Key));

// ---- Hooks for the application and action units --------------------------------
// Reports the exception being handled to the application (called inside a
// catch block by window procedures, which must not let exceptions reach the
// system). The application object installs its HandleException; until then
// the message is written to the debugger output.
extern void (*ApplicationHandleException)(TObject* Sender);

// The link between a control and its action. The action list unit makes it
// (ControlActionLinkFactory) when a control's Action is set; the control
// asks it to run the action on a click.
class TControl;
class TControlActionLink {
public:
  virtual ~TControlActionLink() = default;
  // Runs the action for a click of the control; false when the control's own
  // OnClick should run instead.
  virtual bool Execute(TControl* Control) = 0;
};
extern std::unique_ptr<TControlActionLink> (*ControlActionLinkFactory)(TControl* Control, TComponent* Action);

// Pops up a control's popup menu at a screen point (WM_CONTEXTMENU); the
// menus unit installs it. True when the menu was shown (its AutoPopup).
extern bool (*PopupMenuHook)(TComponent* PopupMenu, TControl* Control, TPoint ScreenPos);
// Sees every mouse move of every control first (the application's hints).
extern void (*HintMouseMessageHook)(TControl* Control, TMessage& Message);

// The control the mouse is over (the target of the last CM_MOUSEENTER), or
// nullptr.
TControl* MouseControl();
// The control that has the mouse captured (SetMouseCapture), or nullptr.
TControl* CaptureControl();

// ---- TControl ----------------------------------------------------------------------
class TControl : public TComponent {
  DECLARE_CLASS(TControl, TComponent)

public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  // ---- Position and size ----
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes in one call (Constraints apply); the one place bounds change.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  // The client area in the control's own coordinates.
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // Screen position of the client area's top left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);

  // ---- Parent, visibility, state ----
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // ---- Layout ----
  // Records the distances the anchors keep to the parent's edges (a move by
  // hand does it; a move by the parent's alignment, csAligning, does not).
  void UpdateAnchorRules();
  // Lays an alNone control out again from its anchors after the parent
  // took that client size.
  void ApplyAnchorRules(int ParentWidth, int ParentHeight);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

  // ---- Appearance ----
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  // DrawText flags with DT_RIGHT/DT_LEFT swapped and DT_RTLREADING added as
  // the BiDiMode asks.
  int DrawTextBiDiModeFlags(int Flags) const;
  int DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

  // ---- Text ----
  // Caption and Text are one value, the control's text (the window text of
  // a windowed control).
  AnsiString Caption() const { return GetText(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  AnsiString Text() const { return GetText(); }
  void SetText(const AnsiString& Value);
  int GetTextLen() const { return static_cast<int>(GetText().size()); }

  // ---- Hints, menu, action ----
  const AnsiString& Hint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  // A number a control carries for its owner: a help topic, or on a
  // multi-column label band the 0-based column the control prints in.
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // The menus and actions units come after this one, so the pointers are
  // kept as components here and typed where those classes are complete (the
  // templates are instantiated by the caller). The setters take only a
  // component of class TPopupMenu / TBasicAction or a descendant (EInvalidCast).
  template <class M = TPopupMenu>
  M* PopupMenu() const { return static_cast<M*>(FPopupMenu); }
  template <class M = TPopupMenu>
  void SetPopupMenu(M* Value) { SetPopupMenuComponent(Value); }
  TComponent* PopupMenuComponent() const { return FPopupMenu; }
  void SetPopupMenuComponent(TComponent* Value);
  template <class A = TBasicAction>
  A* Action() const { return static_cast<A*>(FAction); }
  template <class A = TBasicAction>
  void SetAction(A* Value) { SetActionComponent(Value); }
  TComponent* ActionComponent() const { return FAction; }
  void SetActionComponent(TComponent* Value);
  TControlActionLink* ActionLink() const { return FActionLink.get(); }

  // ---- Style and state ----
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // ---- Messages ----
  // Sends a message through WindowProc and gives its Result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // The replaceable message method; WndProc of this control until replaced.
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  // Routes a message to this class's handler (see the overrides).
  virtual void Dispatch(TMessage& Message);
  // What no handler answered.
  virtual void DefaultHandler(TMessage& Message);

  // ---- Painting and order ----
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }

  // ---- Clicks ----
  virtual void Click();
  virtual void DblClick();

  // ---- Streaming ----
  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  void SetName(const AnsiString& NewName) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // Reads with csReadingState set, then takes the parent's colour, font,
  // hint and BiDi settings where the control asks for them.
  void ReadState(TReader& Reader) override;

  // ---- Events ----
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnResize;

protected:
  friend class TWinControl;

  // The text through WM_GETTEXT (a windowed control's window holds it; a
  // non-windowed control keeps FText, see DefaultHandler).
  AnsiString GetText() const;
  virtual void SetZOrder(bool TopMost);
  virtual void VisibleChanging() {}
  virtual void Resize();
  // Applies Constraints to a proposed size.
  virtual void ConstrainedResize(int& NewWidth, int& NewHeight);
  virtual void FontChanged(TObject* Sender);

  // Mouse overridables; the On... events run from the default versions.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual void MouseEnter() { if (OnMouseEnter) OnMouseEnter(this); }
  virtual void MouseLeave() { if (OnMouseLeave) OnMouseLeave(this); }

  // Message handlers of TControl (Dispatch calls them).
  void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
  void WMMouseMove(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message) {}
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }
  virtual void CMMouseWheel(TMessage& Message);
  virtual void WMContextMenu(TMessage& Message);

  // Sends CM_MOUSEENTER/CM_MOUSELEAVE so that Control is the mouse control.
  static void SetMouseControl(TControl* Control);
  // The control a mouse move to (X, Y) of this control's client area is
  // over, for mouse enter and leave and for hints: this one, or for a window
  // that draws items of its own (a tool bar's buttons) the item there.
  virtual TControl* MouseTargetAt(int X, int Y) { return this; }

  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TWinControl* FParent = nullptr;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  AnsiString FText;

  // Stored predicates of the published tables: a value taken from the
  // parent is not written.
  bool IsColorStored() { return !FParentColor; }
  bool IsFontStored() { return !FParentFont; }
  bool IsShowHintStored() { return !FParentShowHint; }
  bool IsBiDiModeStored() { return !FParentBiDiMode; }

private:
  void FontObjectChanged(TObject* Sender);
  void ConstraintsChanged(TObject* Sender);
  void InvalidateControl(bool IsVisible, bool IsOpaque);

  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // What the anchors keep: the bounds and the parent's client size when the
  // control was last placed by hand.
  TRect FAnchorBounds{};
  SIZE FAnchorParentSize{0, 0};
  bool FAnchorRulesValid = false;
  std::unique_ptr<TSizeConstraints> FConstraints;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  TCursor FCursor = crDefault;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  AnsiString FHint;
  int FHelpContext = 0;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TComponent* FPopupMenu = nullptr;
  TComponent* FAction = nullptr;
  std::unique_ptr<TControlActionLink> FActionLink;
};

// True when AClass or one of its ancestors is named Name: the check for
// references to classes of later units (popup menus, actions).
bool ClassDescendsFrom(TClass AClass, const char* Name);
