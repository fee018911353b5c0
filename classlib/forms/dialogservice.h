// The dialog service: every message box, input query, common dialog and
// modal form of the program goes through one replaceable object.
//
// The program uses the default service, which shows the real Win32 dialogs
// (the system's message box, the library's message form, GetOpenFileNameW,
// ChooseColorW, ChooseFontW, PrintDlgW) and runs modal forms in their own
// modal loop. Tests install another service (see scripteddialogs.h) that
// answers from a script, records what was asked and never blocks.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/control.h"

class TCustomForm;
class TOpenDialog;
class TColorDialog;
class TFontDialog;
class TPrintDialog;
class TPrinterSetupDialog;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
DOZURI_ENUM(TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom");

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
DOZURI_ENUM(TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore", "mbAll",
            "mbNoToAll", "mbYesToAll", "mbHelp");
DOZURI_SET(TMsgDlgButtons, TMsgDlgBtn);

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button of a message dialog gives.
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The caption a message dialog of a type has when none is given
// ("Warning", "Error", "Information", "Confirm"; the application's title for mtCustom).
AnsiString MessageDlgCaption(TMsgDlgType DlgType);

// What a message dialog shows.
struct TMessageDlgRequest {
  AnsiString Caption;
  AnsiString Text;
  TMsgDlgType DlgType = mtCustom;
  TMsgDlgButtons Buttons;
  int HelpCtx = 0;
  // Screen position of the dialog's top left corner; -1: centred.
  int X = -1;
  int Y = -1;
};

// What a system message box shows (MessageBoxW flags: MB_YESNO | MB_ICONQUESTION ...).
struct TMessageBoxRequest {
  AnsiString Caption;
  AnsiString Text;
  UINT Flags = MB_OK;
};

class TDialogService {
public:
  virtual ~TDialogService() = default;

  // The modal result of the button chosen.
  virtual TModalResult MessageDlg(const TMessageDlgRequest& Request) = 0;
  // The button chosen (IDOK, IDYES ...).
  virtual int MessageBox(const TMessageBoxRequest& Request) = 0;
  // True with Value changed when the user accepted; Value holds the initial text.
  virtual bool InputQuery(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value) = 0;
  // The common dialogs: true when the user accepted; the dialog object
  // receives the choice (file name, colour, font, printer settings).
  virtual bool ExecuteFileDialog(TOpenDialog& Dialog, bool Save) = 0;
  virtual bool ExecuteColorDialog(TColorDialog& Dialog) = 0;
  virtual bool ExecuteFontDialog(TFontDialog& Dialog) = 0;
  virtual bool ExecutePrintDialog(TPrintDialog& Dialog) = 0;
  virtual bool ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) = 0;
  // The platform's print dialog on a block its caller filled (device names,
  // device mode, flags, hooks): true when confirmed, the block then holding
  // the choice. For components that read back more than TPrintDialog keeps.
  virtual bool ExecutePrintBlock(PRINTDLGW& Block);
  // Runs a form modally; gives its ModalResult.
  virtual TModalResult ShowModal(TCustomForm& Form) = 0;
};

// The service in force.
TDialogService& DialogService();
// Installs a service (nullptr: the default one); gives the previous one.
TDialogService* SetDialogService(TDialogService* Service);

// Installs a service for the lifetime of the scope.
class TDialogServiceScope {
public:
  explicit TDialogServiceScope(TDialogService& Service) : previous_(SetDialogService(&Service)) {}
  ~TDialogServiceScope() { SetDialogService(previous_); }
  TDialogServiceScope(const TDialogServiceScope&) = delete;
  TDialogServiceScope& operator=(const TDialogServiceScope&) = delete;

private:
  TDialogService* previous_;
};
