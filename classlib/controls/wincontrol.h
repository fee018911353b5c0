// TWinControl: a control with a window of its own, created on demand.
//
// The window is made the first time Handle() is asked for, or when the
// control (or a parent) becomes showing. Every window of the library has one
// window procedure that finds the control (a window property) and hands the
// message to its WindowProc inside an exception guard. Standard window
// classes (BUTTON, EDIT ...) are superclassed under the control's class name,
// so DefaultHandler reaches the standard class's own procedure.
//
// Children: Controls() lists the non-windowed children first, then the
// windowed ones, each group from bottom to top of the z-order. A parent
// aligns its children (alTop, alBottom, alLeft, alRight, alClient in that
// order, then the anchored ones), paints its non-windowed children, routes
// mouse messages to the one under the mouse, and reflects child
// notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM ...) to the
// child as CN_ messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/controls/control.h"

class TCanvas;

// What CreateWindowEx gets; a control's CreateParams fills it in.
struct TCreateParams {
  AnsiString Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  // The class to register; lpfnWndProc is the standard class's procedure
  // (DefWindowProcW for the library's own classes).
  WNDCLASSW WindowClass{};
  // The name the class is registered under (by default the control's ClassName).
  std::wstring WinClassName;
};

class TWinControl : public TControl {
  DECLARE_CLASS(TWinControl, TControl)

public:
  explicit TWinControl(TComponent* AOwner);
  // Builds a control whose window lives in a window that is not a control
  // of the library (an embedded control).
  static TWinControl* CreateParented(HWND ParentWindow);
  ~TWinControl() override;

  // ---- The window ----
  // The window, created (with those of the parents) when missing.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The foreign window a parentless control lives in (0: none).
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  // Destroys the window and makes it again with the current CreateParams
  // (through CM_RECREATEWND); the control's text and bounds survive.
  void RecreateWnd();
  // The standard class's own procedure (DefWindowProcW for own classes).
  WNDPROC DefWndProc() const { return FDefWndProc; }

  // ---- Children ----
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  // Raises EListError for a bad index.
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  // The topmost visible child at a client point: windowed children only when
  // AllowWinControls; disabled ones only when AllowDisabled.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  TControl* FindChildControl(const AnsiString& ControlName) const;
  // Sends the message to every child; stops at the first that answers non-zero.
  void Broadcast(TMessage& Message);

  // ---- Alignment ----
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel > 0; }
  void Realign();
  void ReAlign() { Realign(); }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);

  // ---- Focus and tab order ----
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // The windowed children (and theirs, depth first) in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List);
  // The next (or previous) control after CurControl in tab order that can
  // take the focus, wrapping round; with CheckTabStop only those with TabStop.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual void SetFocus();
  bool Focused() const;
  virtual bool CanFocus() const;
  bool Showing() const { return FShowing; }

  // ---- Focus bookkeeping of a top-level control (forms override) ----
  // Called on the top-level control when Control received the focus: sends
  // CM_EXIT to the controls left, CM_ENTER to the controls entered (outer
  // first) and CM_FOCUSCHANGED to itself. False when the change was refused.
  virtual bool SetFocusedControl(TWinControl* Control);
  // Called on the top-level control by SetFocus: gives Control the focus.
  virtual void FocusControl(TWinControl* Control);
  // Called on the top-level control when Control loses its window or leaves
  // the top-level control: the focus record moves to its parent.
  virtual void DefocusControl(TWinControl* Control, bool Removing);
  // Called on the top-level control for a key before the focused control
  // sees it (menu and action shortcuts); true when the key was used.
  virtual bool IsShortCut(TMessage& Message) { return false; }
  // The control that had the focus last within this top-level control.
  TWinControl* FocusedChild() const { return FFocusedChild; }
  // The outermost windowed parent (this control for a parentless one).
  TWinControl* TopLevelControl();
  // True when key messages for this control's children come here first.
  virtual bool WantsKeyPreview() const { return false; }

  // ---- Painting ----
  // Paints the control and its children into DC with its top left at (X, Y).
  void PaintTo(HDC DC, int X, int Y);
  void PaintTo(TCanvas& Canvas, int X, int Y);
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  // Paints the non-windowed children from First (nullptr: all) upwards.
  void PaintControls(HDC DC, TControl* First);
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void DefaultHandler(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

  // ---- Streaming ----
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Loaded() override;
  void BeforeDestruction() override;

  // ---- Events ----
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  virtual void CreateParams(TCreateParams& Params);
  // Registers the class when needed, creates the window, then children.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Superclasses a standard window class (L"BUTTON", L"EDIT" ...).
  void CreateSubClass(TCreateParams& Params, const wchar_t* ControlClassName);
  // Makes the window shown or hidden as Visible and the parents' Showing
  // say, creating it (and the children's) when it comes into view.
  virtual void UpdateShowing();

  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The part of the client area children are aligned in (BorderWidth off).
  virtual void AdjustClientRect(TRect& Rect);
  void AlignControl(TControl* AControl);

  // Paints the window itself: the standard class paints into DC.
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);

  // Key overridables; the On... events run from the default versions.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  // The event path of a key message; true when the key was eaten.
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  virtual void DoEnter() { if (OnEnter) OnEnter(this); }
  virtual void DoExit() { if (OnExit) OnExit(this); }

  void SetZOrder(bool TopMost) override;

  // Message handlers of TWinControl.
  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void WMNotify(TMessage& Message);
  virtual void WMCtlColor(TMessage& Message);
  virtual void WMDrawItem(TMessage& Message);
  virtual void WMMeasureItem(TMessage& Message);
  virtual void WMReflectToChild(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMMove(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMMouseWheel(TMessage& Message);
  virtual void WMMouseLeave(TMessage& Message);
  void WMContextMenu(TMessage& Message) override;
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNKeyUp(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMEnter(TMessage& Message) { DoEnter(); }
  virtual void CMExit(TMessage& Message) { DoExit(); }
  virtual void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  virtual void CMInvalidate(TMessage& Message);
  virtual void CMRecreateWnd(TMessage& Message);
  virtual void CMControlListChange(TMessage& Message) {}
  virtual void CMCtl3DChanged(TMessage& Message);
  virtual void CMParentCtl3DChanged(TMessage& Message);
  virtual void CMBorderChanged(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message) { Broadcast(Message); }
  virtual void CNCtlColor(TMessage& Message);
  virtual void CNSysKeyDown(TMessage& Message);
  virtual void CNSysChar(TMessage& Message);

  // The brush WM_CTLCOLOR* answers with (the control's Color).
  HBRUSH ColorBrush();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;

private:
  friend class TControl;
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);

  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
  // Moves a child to Position in its z-order group (-1: the top).
  void ChildPosition(TControl* Child, int Position);
  // Puts the tab list in the order the children asked for while loading.
  void FixupTabList();
  void NotifyControls(UINT Msg);
  void RemoveFocus(bool Removing);
  // The window the child's window goes behind (HWND_TOP when none).
  HWND PrecedingWindow(TWinControl* Control) const;
  void UpdateControlState();
  void UpdateBounds();
  TControl* CapturedChild() const;
  void TrackMouseLeave();
  bool IsControlMouseMsg(TMessage& Message);
  // Hands the message to WindowProc, reporting exceptions to the application.
  LRESULT MainWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

  std::vector<TControl*> FControls;      // non-windowed children, bottom first
  std::vector<TControl*> FWinControls;   // windowed children, bottom first
  std::vector<TWinControl*> FTabList;    // windowed children in tab order
  HWND FParentWindow = nullptr;
  bool FShowing = false;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  int FBorderWidth = 0;
  int FAlignLevel = 0;
  int FTabOrderRequested = -1;
  bool FTrackingMouse = false;
  TWinControl* FFocusedChild = nullptr;
  HBRUSH FBrush = nullptr;
  TColor FBrushColor = clNone;
};

// The control of a window made by the library, or nullptr.
TWinControl* FindControl(HWND Handle);
// The control a window belongs to: its own, or that of the nearest parent
// window made by the library (for the inner windows of standard controls).
TWinControl* FindOwningControl(HWND Handle);
// For the application's message loop, before TranslateMessage: a key message
// for a control goes first to that control as CN_KEYDOWN/CN_KEYUP/CN_CHAR
// (CN_SYSKEYDOWN, CN_SYSCHAR), which handles Tab, arrows, Enter and Esc as
// dialog keys. True when the message was eaten and must not be dispatched.
bool IsControlKeyMsg(MSG& Msg);
