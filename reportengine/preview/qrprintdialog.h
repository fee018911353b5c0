// The banded engine's print dialog: the platform's print dialog on the
// printer object's own device, placed centred and one third down the screen,
// reading back the device mode's fields (bin, paper, orientation, quality,
// colour, duplex, collation) as well as range and copies.
//
// TQRCommonDialog is the common part: a dialog window subclassed to the
// component while it is open (OnShow when it opens, OnClose when it goes),
// and task-modal running with the program's other windows disabled.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/controls/messages.h"
#include "classlib/forms/dialogs.h"

class TQRPrinter;

class TQRCommonDialog : public TComponent {
  DECLARE_CLASS(TQRCommonDialog, TComponent)

public:
  explicit TQRCommonDialog(TComponent* AOwner);
  ~TQRCommonDialog() override;

  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value) { ctl3D_ = Value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  TNotifyEvent OnClose;
  TNotifyEvent OnShow;

  // The dialog window while it is open; nullptr otherwise.
  HWND Handle() const { return handle_; }

  // The dialog window's messages: destroy fires OnClose, initialisation
  // OnShow, the final destroy forgets the window.
  virtual void WndProc(TMessage& Message);
  // The main window's messages while the dialog runs: the dialog's help
  // request is taken when a help context is set.
  virtual bool MessageHook(TMessage& Message);
  using TDialogFunc = bool (*)(void* Block);
  // Runs a dialog function with the other windows of the task disabled and
  // the active window restored afterwards, also when the function throws.
  virtual bool TaskModalDialog(TDialogFunc Func, void* Block);

  // Routes a dialog window's messages to this component (the dialog hook
  // does it when the dialog opens).
  void Subclass(HWND Dialog);

protected:
  void DefaultHandler(TMessage& Message);

private:
  bool ctl3D_ = true;
  int helpContext_ = 0;
  HWND handle_ = nullptr;
  WNDPROC oldProc_ = nullptr;
};

// The hook given to the platform for the print and the setup dialog. On the
// initialisation message (lParam the PRINTDLGW block whose lCustData is the
// component) it places the dialog, subclasses it to the component and lets
// the component see the message; the platform handles every message as well.
UINT_PTR CALLBACK QRDialogHook(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam);
// Centres a window horizontally and puts it one third down the remaining
// screen height; its size and z-order stay.
void PlaceQRDialog(HWND Window);

// The registered "commdlg_help" message.
UINT QRHelpMessage();

class TQRBasePrintDialog : public TQRCommonDialog {
  DECLARE_CLASS(TQRBasePrintDialog, TQRCommonDialog)

public:
  explicit TQRBasePrintDialog(TComponent* AOwner) : TQRCommonDialog(AOwner) {}
  TQRPrinter* QRPrinter() const { return printer_; }
  void SetQRPrinter(TQRPrinter* Value) { printer_ = Value; }

private:
  TQRPrinter* printer_ = nullptr;
};

class TQRPrintDialog : public TQRBasePrintDialog {
  DECLARE_CLASS(TQRPrintDialog, TQRBasePrintDialog)

public:
  explicit TQRPrintDialog(TComponent* AOwner) : TQRBasePrintDialog(AOwner) {}

  // True when the user confirmed; the printer object then has the device and
  // device mode chosen. Without a printer object, or when the platform
  // cannot show the dialog, false as for a cancel.
  bool Execute();

  bool Duplex = false;
  int DuplexCode = 0;
  int OutputBin = 0;
  int PaperSize = 0;
  long double Paperwidth = 0;
  long double Paperlength = 0;
  int Collate = 0;
  int FromPage = 0;
  int ToPage = 0;
  int MinPage = 0;
  int MaxPage = 0;
  int PrintQuality = 0;
  int ColorOption = 0;
  TPrintDialogOptions Options;
  bool PrintToFile = false;
  TPrintRange PrintRange = prAllPages;
  short Orientation = 1;

  int Copies() const { return copies_; }
  // Also the printer object's copies.
  void SetCopies(int Value);
  // The device mode's field mask as the dialog returned it.
  DWORD FieldMask() const { return fieldMask_; }

private:
  void ReadDeviceMode(HGLOBAL DeviceMode);

  int copies_ = 1;
  DWORD fieldMask_ = 0;
};
