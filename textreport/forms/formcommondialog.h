// A common dialog that carries a form of the program inside its window.
//
// TFormCommonDialog sits on the form it carries as an invisible control
// (at design time it paints a note where the platform's controls will be).
// While the dialog runs, the form loses its border and becomes a child of
// the dialog window, which grows to hold it: the dialog's own controls keep
// their place at the left and the form's controls show beside them, so the
// pair looks and tabs like one window. When the dialog closes, the form
// gets its border, parent and size back and is hidden again.
//
// TFormPrintCommonDialog is the print dialog of this kind: the printer,
// page range, copies, collate and print to file of the platform's print
// dialog, with the carrying form's controls beside them.
#pragma once
#include <windows.h>

#include <commdlg.h>

#include <functional>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/forms.h"

class TFormCommonDialog : public TGraphicControl {
  DECLARE_CLASS(TFormCommonDialog, TGraphicControl)

public:
  explicit TFormCommonDialog(TComponent* AOwner);
  ~TFormCommonDialog() override;

  const AnsiString& OkButtonCaption() const { return FOkButtonCaption; }
  void SetOkButtonCaption(const AnsiString& Value) { FOkButtonCaption = Value; }
  const AnsiString& CancelButtonCaption() const { return FCancelButtonCaption; }
  void SetCancelButtonCaption(const AnsiString& Value) { FCancelButtonCaption = Value; }
  const AnsiString& HelpButtonCaption() const { return FHelpButtonCaption; }
  void SetHelpButtonCaption(const AnsiString& Value) { FHelpButtonCaption = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& Value);
  TNotifyEvent OnClose;
  TNotifyEvent OnShow;
  // Called when the dialog's help button is pressed.
  std::function<void()> OnHelp;

  // The dialog window while it is open, else nullptr.
  HWND DialogHandle() const { return FDialog; }
  bool Showing() const { return FShowing; }

  // The hook procedure every dialog of this kind gets: it finds the control
  // through the dialog block's custom data.
  static UINT_PTR CALLBACK HookProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);

protected:
  void Paint() override;
  // Runs Dialog (the platform's dialog function on its block) with the task
  // windows disabled and the host form ready off screen; the host form is
  // hidden and the windows enabled again whatever happens.
  bool TaskModalDialog(const std::function<bool()>& Dialog);
  // The message the hook hands on; true when it was handled here.
  bool HookMessage(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);
  virtual void DoShow();
  virtual void DoClose();

private:
  void CentreDialog();
  void EmbedForm();
  void ReleaseForm();

  AnsiString FOkButtonCaption = "&Ok";
  AnsiString FCancelButtonCaption = "Cancel";
  AnsiString FHelpButtonCaption = "&Help";
  AnsiString FTitle;
  int FHelpContext = 0;
  bool FCtl3D = true;
  HWND FDialog = nullptr;
  TCustomForm* FHostForm = nullptr;
  LONG_PTR FSavedStyle = 0;
  LONG_PTR FSavedExStyle = 0;
  RECT FSavedBounds{};
  bool FShowing = false;
  bool FEmbedded = false;
  int FShift = 0;
};

class TFormPrintCommonDialog : public TFormCommonDialog {
  DECLARE_CLASS(TFormPrintCommonDialog, TFormCommonDialog)

public:
  explicit TFormPrintCommonDialog(TComponent* AOwner);

  // Runs the print dialog with the host form inside; true when confirmed.
  // A dialog that cannot show counts as cancelled.
  bool Execute();

  bool Collate() const { return FCollate; }
  void SetCollate(bool Value) { FCollate = Value; }
  int Copies() const { return FCopies; }
  // Sets the program printer's copies too.
  void SetCopies(int Value);
  int FromPage() const { return FFromPage; }
  void SetFromPage(int Value) { FFromPage = Value; }
  int MinPage() const { return FMinPage; }
  void SetMinPage(int Value) { FMinPage = Value; }
  int MaxPage() const { return FMaxPage; }
  void SetMaxPage(int Value) { FMaxPage = Value; }
  int ToPage() const { return FToPage; }
  void SetToPage(int Value) { FToPage = Value; }
  TPrintDialogOptions Options() const { return FOptions; }
  void SetOptions(TPrintDialogOptions Value) { FOptions = Value; }
  bool PrintToFile() const { return FPrintToFile; }
  void SetPrintToFile(bool Value) { FPrintToFile = Value; }
  TPrintRange PrintRange() const { return FPrintRange; }
  void SetPrintRange(TPrintRange Value) { FPrintRange = Value; }

  // Always 432 x 302 at the form's top left: the room the platform's
  // controls take.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Runs the platform's print dialog on a filled block: PrintDlgW on the
  // program's printer unless replaced (tests put a dialog of their own here).
  static std::function<bool(PRINTDLGW& Block)> RunDialog;

private:
  bool FCollate = false;
  int FCopies = 0;
  int FFromPage = 0;
  int FMinPage = 0;
  int FMaxPage = 0;
  int FToPage = 0;
  TPrintDialogOptions FOptions;
  bool FPrintToFile = false;
  TPrintRange FPrintRange = prAllPages;
};
