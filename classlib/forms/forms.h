// Forms: top-level windows that hold controls, with the platform's border
// styles, positions, window states, modal loop, closing protocol, key preview
// and shortcut dispatch.
//
// A form's window is owned by the application window and its class name is
// the form's class name. Closing asks OnCloseQuery, then OnClose decides what
// happens (caNone: stay, caHide, caFree: freed once the current message is
// done, caMinimize). ShowModal goes through the dialog service: the program's
// service runs the form's own modal loop with the other windows of the
// thread disabled; a test's service hands the form to the test.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/controls/customcontrol.h"
#include "classlib/forms/shortcuts.h"

class TIcon;
class TMainMenu;
class TMenu;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
DOZURI_ENUM(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop");

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
DOZURI_ENUM(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp");
DOZURI_SET(TBorderIcons, TBorderIcon);

enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
DOZURI_ENUM(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
            "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter");

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
DOZURI_ENUM(TWindowState, "wsNormal", "wsMinimized", "wsMaximized");

enum TCloseAction { caNone, caHide, caFree, caMinimize };
DOZURI_ENUM(TCloseAction, "caNone", "caHide", "caFree", "caMinimize");

enum TFormStateFlag { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
DOZURI_ENUM(TFormStateFlag, "fsCreating", "fsVisible", "fsShowing", "fsModal", "fsCreatedMDIChild",
            "fsActivated");
DOZURI_SET(TFormState, TFormStateFlag);

DOZURI_EVENT(TCloseEvent, void(TObject* Sender, TCloseAction& Action));
DOZURI_EVENT(TCloseQueryEvent, void(TObject* Sender, bool& CanClose));

// The window styles a form's border style and icons give (the platform's
// mapping, which frame geometry elsewhere relies on).
struct TFormWindowStyle {
  DWORD Style = 0;
  DWORD ExStyle = 0;
};
TFormWindowStyle FormWindowStyle(TFormBorderStyle BorderStyle, TBorderIcons BorderIcons, TFormStyle FormStyle,
                                 TWindowState WindowState);

class TCustomForm : public TCustomControl {
  DECLARE_CLASS(TCustomForm, TCustomControl)

public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // A form streams the components it owns that nothing else contains
  // (action lists, data sources, tables), then its controls.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void BeforeDestruction() override;
  // Runs OnCreate once; Application->CreateForm and NewForm call it after
  // the constructor of the form's own class is done.
  virtual void AfterConstruction();

  // ---- Showing and closing ----
  void Show();
  // Through the dialog service; gives the ModalResult that ended it.
  virtual TModalResult ShowModal();
  // The form's own modal loop (what the program's dialog service runs):
  // other windows of the thread are disabled until ModalResult is set.
  TModalResult ShowModalLoop();
  void Close();
  // Frees the form once the messages already queued for it are handled.
  void Release();
  virtual bool CloseQuery();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult Value) { modalResult_ = Value; }
  TFormState FormState() const { return formState_; }
  bool Active() const { return active_; }

  // ---- Appearance ----
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState Value);
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool Value);
  BYTE AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(BYTE Value);
  TIcon* Icon() const { return icon_.get(); }
  void SetIcon(TIcon* Value);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);
  // Forms are built in code at 96 dpi; Scaled and PixelsPerInch are kept for
  // the code that sets and reads them.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value) { scaled_ = Value; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value) { pixelsPerInch_ = Value; }

  // ---- Keys and focus ----
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }
  bool WantsKeyPreview() const override { return keyPreview_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  // Focuses the control when the form is active and enabled; otherwise it is
  // only recorded and gets the focus when the form is next activated.
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control) override;
  bool SetFocusedControl(TWinControl* Control) override;
  void SetFocus() override;
  // A key pressed on the form: the menu's shortcuts, then the
  // actions of the form's action lists. True when one of them took it.
  virtual bool IsShortCut(WORD Key, TShiftState Shift);
  // The key messages of the form's controls come here first.
  bool IsShortCut(TMessage& Message) override;
  void DefocusControl(TWinControl* Control, bool Removing) override;

  // ---- MDI ----
  // The MDICLIENT window of an fsMDIForm (nullptr otherwise); the program's
  // main form must be the fsMDIForm when fsMDIChild forms are made.
  HWND ClientHandle() const { return clientHandle_; }
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int Index) const;
  TCustomForm* ActiveMDIChild() const;
  void Cascade();
  void Tile();

  void Dispatch(TMessage& Message) override;
  // MDI frames and children answer through DefFrameProcW / DefMDIChildProcW.
  void DefaultHandler(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- Events ----
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Paint() override;
  virtual void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();

  void CMShowingChanged(TMessage& Message) override;

private:
  void WMClose(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMCommand(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  void WMGetMinMaxInfo(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void CloseModal();
  void PlaceOnShow();
  void ApplyAlphaBlend();
  void ApplyIcon();
  void RestoreFocus();
  void IconChanged(TObject* Sender);

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  TFormState formState_;
  TModalResult modalResult_ = mrNone;
  bool keyPreview_ = false;
  bool alphaBlend_ = false;
  BYTE alphaBlendValue_ = 255;
  bool scaled_ = true;
  int pixelsPerInch_ = 96;
  bool active_ = false;
  bool created_ = false;    // OnCreate has run
  bool destroyed_ = false;  // OnDestroy has run
  bool shownOnce_ = false;
  TWinControl* activeControl_ = nullptr;
  HWND clientHandle_ = nullptr;
  TMainMenu* menu_ = nullptr;
  std::unique_ptr<TIcon> icon_;
};

class TForm : public TCustomForm {
  DECLARE_CLASS(TForm, TCustomForm)

public:
  explicit TForm(TComponent* AOwner);
};

// The form a control is on (the outermost parent, when it is a form), or nullptr.
TCustomForm* GetParentForm(TControl* Control);

// Makes a form and runs its OnCreate: new F(args...) then AfterConstruction.
template <class F, class... A>
F* NewForm(A&&... args) {
  F* form = new F(std::forward<A>(args)...);
  form->AfterConstruction();
  return form;
}
