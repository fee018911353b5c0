// TApplication: the program's message loop, its forms, its hidden owner
// window (class "TApplication") and its exception handling.
//
// Exceptions raised while a message is handled (in any window procedure of
// the library, a timer or a posted call) end up in HandleException, which
// gives them to OnException or shows the standard exception box; the loop
// goes on. TThread::Synchronize and Queue run their calls on the thread of
// this message loop, through messages posted to the application window.
#pragma once
#include <windows.h>

#include <exception>
#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/controls/messages.h"
#include "classlib/graphics/colors.h"

class TApplicationEvents;
class TControl;
class TCustomForm;
class THintWindow;
class TIcon;

DOZURI_EVENT(TExceptionEvent, void(TObject* Sender, Exception* E));
DOZURI_EVENT(TMessageEvent, void(MSG& Msg, bool& Handled));
DOZURI_EVENT(TIdleEvent, void(TObject* Sender, bool& Done));
// A hook on the application window's messages; true when it handled one.
DOZURI_EVENT(TWindowHook, bool(TMessage& Message));

class TApplication : public TComponent {
  DECLARE_CLASS(TApplication, TComponent)

public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize() {}
  // Makes a form owned by the application; the first one becomes MainForm.
  template <class F>
  void CreateForm(F*& Reference) {
    Reference = new F(this);
    AdoptForm(Reference);
  }
  TCustomForm* MainForm() const { return mainForm_; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool Value) { showMainForm_ = Value; }

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles every message waiting, then returns.
  void ProcessMessages();
  // Handles one message, waiting for one when none is there (after OnIdle).
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // For a catch block: the exception being handled goes to OnException, or
  // to ShowException; EAbort is dropped silently.
  void HandleException(TObject* Sender);
  // The standard exception box: the message (ending with a full stop) in a
  // message box with a stop icon, captioned with Title.
  void ShowException(Exception* E);
  // Through the dialog service; gives the button chosen (IDOK ...).
  int MessageBox(const AnsiString& Text, const AnsiString& Caption, UINT Flags = MB_OK);

  // The hidden window that owns the forms.
  HWND Handle();
  AnsiString ExeName() const;
  AnsiString Title() const;
  void SetTitle(const AnsiString& Value);
  TIcon* Icon() const { return icon_.get(); }

  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value) { showHint_ = Value; }
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor Value) { hintColor_ = Value; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int Value) { hintPause_ = Value; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int Value) { hintHidePause_ = Value; }

  // Hides the hint shown now, if any.
  void CancelHint();
  // Every mouse move of a control comes here: a hint is due HintPause after
  // the mouse came to a control with a hint.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  // The window hints are shown in (made on first use).
  THintWindow* HintWindow();

  void Minimize();
  void Restore();
  void BringToFront();

  void HookMainWindow(const TWindowHook& Hook);
  void UnhookMainWindow(const TWindowHook& Hook);

  // The forms' modal loops tell the application (ModalStarted/ModalFinished).
  void ModalStarted();
  void ModalFinished();
  int ModalLevel() const { return modalLevel_; }

  TExceptionEvent OnException;
  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TNotifyEvent OnModalBegin;
  TNotifyEvent OnModalEnd;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // Handles one waiting message; false when there was none.
  bool ProcessMessage(MSG& Msg);

  // The TApplicationEvents components that receive the events too.
  void AddEvents(TApplicationEvents* Events);
  void RemoveEvents(TApplicationEvents* Events);

private:
  friend class TCustomForm;
  void AdoptForm(TCustomForm* Form);
  // Frees the form from the application window once the messages queued
  // before are handled (never from inside the form's own window procedure).
  void ReleaseForm(TCustomForm* Form);
  void FormDestroyed(TCustomForm* Form);
  void Idle();
  // Each event goes to the application's handler and to every
  // TApplicationEvents that has one; false when nobody handled it.
  bool DoException(TObject* Sender, Exception* E);
  void DoIdle(bool& Done);
  void DoMessage(MSG& Msg, bool& Handled);
  void DoNotify(TNotifyEvent TApplication::*Own, TNotifyEvent TApplicationEvents::*Other);
  void RunPostedCall(LPARAM Call);
  // Runs the calls other threads posted, while the GUI thread waits for one.
  void RunPostedCalls();
  void ShowHintNow();
  void InstallSynchronizeHook();
  LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  static LRESULT CALLBACK AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  DWORD threadId_;
  TCustomForm* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  bool handlingException_ = false;
  AnsiString title_;
  std::unique_ptr<TIcon> icon_;
  bool showHint_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  int modalLevel_ = 0;
  std::vector<TWindowHook> hooks_;
  std::vector<TApplicationEvents*> events_;
  TControl* hintControl_ = nullptr;  // compared only, never used: it may be gone
  THintWindow* hintWindow_ = nullptr;
};

// The program's application object, made before main runs.
extern TApplication* Application;
