#include "reportengine/preview/qrprintdialog.h"

#include <cstdio>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/win32dialogs.h"
#include "classlib/system/win/widestring.h"
#include "reportengine/printer/qrprinter.h"

IMPLEMENT_CLASS(TQRCommonDialog)
IMPLEMENT_CLASS(TQRBasePrintDialog)
IMPLEMENT_CLASS(TQRPrintDialog)

namespace {

// The module's registered messages and the atom that names the window
// property leading from a dialog window to its component.
struct DialogModule {
  UINT helpMessage = RegisterWindowMessageW(L"commdlg_help");
  UINT findMessage = RegisterWindowMessageW(L"commdlg_FindReplace");
  ATOM propertyAtom = 0;
  DialogModule() {
    char name[40];
    std::snprintf(name, sizeof name, "WndProcPtr%.8lX%.8lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetModuleHandleW(nullptr))),
                  static_cast<unsigned long>(GetCurrentThreadId()));
    propertyAtom = GlobalAddAtomA(name);
  }
  ~DialogModule() {
    if (propertyAtom != 0)
      GlobalDeleteAtom(propertyAtom);
  }
};

DialogModule& Module() {
  static DialogModule module;
  return module;
}

LPCWSTR PropertyName() { return MAKEINTATOM(Module().propertyAtom); }

LRESULT CALLBACK DialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* dialog = static_cast<TQRCommonDialog*>(GetPropW(window, PropertyName()));
  if (dialog == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  TMessage m;
  m.Msg = message;
  m.WParam = wParam;
  m.LParam = lParam;
  dialog->WndProc(m);
  return m.Result;
}

}  // namespace

UINT QRHelpMessage() { return Module().helpMessage; }

// ---- TQRCommonDialog ------------------------------------------------------------

TQRCommonDialog::TQRCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

TQRCommonDialog::~TQRCommonDialog() {
  // A component freed while its window lives must not be reached from it.
  if (handle_ != nullptr && IsWindow(handle_)) {
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    RemovePropW(handle_, PropertyName());
  }
}

void TQRCommonDialog::Subclass(HWND Dialog) {
  handle_ = Dialog;
  SetPropW(Dialog, PropertyName(), this);
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(Dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogWindowProc)));
}

void TQRCommonDialog::DefaultHandler(TMessage& Message) {
  if (handle_ != nullptr && oldProc_ != nullptr)
    Message.Result = CallWindowProcW(oldProc_, handle_, Message.Msg, Message.WParam, Message.LParam);
  else
    Message.Result = 0;
}

void TQRCommonDialog::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
      DefaultHandler(Message);
      if (OnClose)
        OnClose(this);
      break;
    case WM_INITDIALOG:
      if (OnShow)
        OnShow(this);
      Message.Result = 0;
      break;
    case WM_NCDESTROY: {
      const HWND window = handle_;
      DefaultHandler(Message);
      if (window != nullptr && IsWindow(window))
        RemovePropW(window, PropertyName());
      handle_ = nullptr;
      oldProc_ = nullptr;
      break;
    }
    default:
      DefaultHandler(Message);
  }
}

// The program has no help file to open, so a help request with a context is
// taken here rather than passed to a main window that has no use for it.
bool TQRCommonDialog::MessageHook(TMessage& Message) {
  return Message.Msg == QRHelpMessage() && helpContext_ != 0;
}

namespace {

// The thread's visible, enabled top-level windows, disabled for the dialog.
BOOL CALLBACK DisableWindow(HWND window, LPARAM data) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

}  // namespace

bool TQRCommonDialog::TaskModalDialog(TDialogFunc Func, void* Block) {
  const HWND active = GetActiveWindow();
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
  const TWindowHook hook = Method<&TQRCommonDialog::MessageHook>(this);
  Application->HookMainWindow(hook);
  Application->ModalStarted();
  struct Restore {
    const TWindowHook& hook;
    std::vector<HWND>& disabled;
    HWND active;
    ~Restore() {
      Application->ModalFinished();
      Application->UnhookMainWindow(hook);
      for (HWND window : disabled)
        if (IsWindow(window))
          EnableWindow(window, TRUE);
      if (active != nullptr && IsWindow(active))
        SetActiveWindow(active);
    }
  } restore{hook, disabled, active};
  return Func(Block);
}

void PlaceQRDialog(HWND Window) {
  RECT r{};
  GetWindowRect(Window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(Window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0,
               SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER);
}

UINT_PTR CALLBACK QRDialogHook(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message != WM_INITDIALOG || LParam == 0)
    return 0;
  PlaceQRDialog(Dialog);
  auto* block = reinterpret_cast<PRINTDLGW*>(LParam);
  auto* component = reinterpret_cast<TQRCommonDialog*>(block->lCustData);
  if (component != nullptr) {
    component->Subclass(Dialog);
    TMessage m;
    m.Msg = Message;
    m.WParam = WParam;
    m.LParam = LParam;
    component->WndProc(m);
  }
  return 0;
}

// ---- TQRPrintDialog -------------------------------------------------------------

void TQRPrintDialog::SetCopies(int Value) {
  copies_ = Value;
  if (QRPrinter() != nullptr && QRPrinter()->PrintersAvailable())
    QRPrinter()->DevicePrinter().SetCopies(Value);
}

namespace {

bool RunPrintBlock(void* block) { return DialogService().ExecutePrintBlock(*static_cast<PRINTDLGW*>(block)); }

AnsiString NameAt(const DEVNAMES* names, WORD offset) {
  return WideToAnsi(reinterpret_cast<const wchar_t*>(names) + offset);
}

}  // namespace

void TQRPrintDialog::ReadDeviceMode(HGLOBAL DeviceMode) {
  if (DeviceMode == nullptr)
    return;
  const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(DeviceMode));
  if (dm == nullptr)
    return;
  fieldMask_ = dm->dmFields;
  OutputBin = dm->dmDefaultSource;
  PaperSize = dm->dmPaperSize;
  Paperwidth = dm->dmPaperWidth;
  Paperlength = dm->dmPaperLength;
  Orientation = dm->dmOrientation;
  PrintQuality = dm->dmPrintQuality;
  ColorOption = dm->dmColor;
  DuplexCode = dm->dmDuplex;
  Duplex = dm->dmDuplex != DMDUP_SIMPLEX;
  Collate = dm->dmCollate;
  GlobalUnlock(DeviceMode);
}

bool TQRPrintDialog::Execute() {
  if (QRPrinter() == nullptr)
    return false;
  TPrinter& device = QRPrinter()->DevicePrinter();
  AnsiString deviceName, driver, port;
  HGLOBAL deviceMode = nullptr;
  try {
    device.GetPrinter(deviceName, driver, port, deviceMode);
  } catch (const Exception&) {
    deviceMode = nullptr;  // no printer installed: the dialog says so itself
  }

  PRINTDLGW pd{};
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = Application->Handle();
  pd.hDevMode = CopyGlobal(deviceMode);
  pd.hDevNames = deviceName.empty() ? nullptr : MakeDevNames(deviceName, driver, port);
  pd.Flags = PrintDialogFlags(Options, PrintRange, Collate != 0, PrintToFile) | PD_ENABLEPRINTHOOK |
             PD_ENABLESETUPHOOK;
  pd.lpfnPrintHook = QRDialogHook;
  pd.lpfnSetupHook = QRDialogHook;
  pd.lCustData = reinterpret_cast<LPARAM>(static_cast<TQRCommonDialog*>(this));
  pd.nCopies = static_cast<WORD>(copies_ < 1 ? 1 : copies_);
  pd.nFromPage = static_cast<WORD>(FromPage);
  pd.nToPage = static_cast<WORD>(ToPage);
  pd.nMinPage = static_cast<WORD>(MinPage);
  pd.nMaxPage = static_cast<WORD>(MaxPage);

  const bool confirmed = TaskModalDialog(&RunPrintBlock, &pd);
  if (confirmed) {
    ReadDeviceMode(pd.hDevMode);
    if (pd.hDevNames != nullptr && pd.hDevMode != nullptr) {
      const auto* names = static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames));
      const AnsiString newDevice = NameAt(names, names->wDeviceOffset);
      const AnsiString newDriver = NameAt(names, names->wDriverOffset);
      // The returned port can be a placeholder; the printer's own port is
      // the one that prints.
      const AnsiString newPort = port.empty() ? NameAt(names, names->wOutputOffset) : port;
      GlobalUnlock(pd.hDevNames);
      device.SetPrinter(newDevice, newDriver, newPort, pd.hDevMode);  // takes the device mode
      pd.hDevMode = nullptr;
    }
    PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
    PrintRange = PrintRangeFromFlags(pd.Flags);
    FromPage = pd.nFromPage;
    ToPage = pd.nToPage;
    // A driver that makes the copies itself returns 1 and keeps the count
    // in the device mode, which the printer object now holds.
    copies_ = pd.nCopies == 1 && QRPrinter()->PrintersAvailable() ? device.Copies() : pd.nCopies;
  }
  if (pd.hDevMode != nullptr)
    GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr)
    GlobalFree(pd.hDevNames);
  return confirmed;
}
