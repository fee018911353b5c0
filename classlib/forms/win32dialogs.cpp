#include "classlib/forms/win32dialogs.h"

#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/msgform.h"
#include "classlib/forms/screen.h"
#include "classlib/printers/printers.h"
#include "classlib/system/win/widestring.h"

namespace {

// The window a system dialog is owned by: the active form, else the application window.
HWND DialogOwner() {
  TCustomForm* active = Screen->ActiveForm();
  if (active != nullptr && active->HandleAllocated() && IsWindowVisible(active->Handle()))
    return active->Handle();
  return Application->Handle();
}

// Runs a system dialog with the application's modal bookkeeping around it.
template <class F>
auto RunSystemDialog(F show) {
  Application->ModalStarted();
  struct Finish {
    ~Finish() { Application->ModalFinished(); }
  } finish;
  return show();
}

struct OpenFlag {
  TOpenOption option;
  DWORD flag;
};
constexpr OpenFlag kOpenFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
    {ofDontAddToRecent, OFN_DONTADDTORECENT},
    {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
};

}  // namespace

// Runs PrintDlgW on the program's printer; the choice becomes its printer.
bool RunPrintDlg(PRINTDLGW& pd) {
  AnsiString device, driver, port;
  HGLOBAL deviceMode = nullptr;
  try {
    Printer().GetPrinter(device, driver, port, deviceMode);
  } catch (const Exception&) {
    deviceMode = nullptr;  // no printer installed: the dialog says so itself
  }
  pd.hDevMode = CopyGlobal(deviceMode);
  pd.hDevNames = device.empty() ? nullptr : MakeDevNames(device, driver, port);
  const bool accepted = RunSystemDialog([&] { return PrintDlgW(&pd) != FALSE; });
  if (accepted && pd.hDevNames != nullptr) {
    auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    auto* base = reinterpret_cast<const wchar_t*>(names);
    const AnsiString newDevice = WideToAnsi(base + names->wDeviceOffset);
    const AnsiString newDriver = WideToAnsi(base + names->wDriverOffset);
    const AnsiString newPort = WideToAnsi(base + names->wOutputOffset);
    GlobalUnlock(pd.hDevNames);
    Printer().SetPrinter(newDevice, newDriver, newPort, pd.hDevMode);  // takes the device mode
    pd.hDevMode = nullptr;
  }
  if (pd.hDevMode != nullptr)
    GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr)
    GlobalFree(pd.hDevNames);
  return accepted;
}


void FillPrintDlg(PRINTDLGW& pd, const TPrintDialog& Dialog) {
  pd.Flags |= PrintDialogFlags(Dialog.Options(), Dialog.PrintRange(), Dialog.Collate(), Dialog.PrintToFile());
  pd.nCopies = static_cast<WORD>(std::max(Dialog.Copies(), 1));
  pd.nFromPage = static_cast<WORD>(Dialog.FromPage());
  pd.nToPage = static_cast<WORD>(Dialog.ToPage());
  pd.nMinPage = static_cast<WORD>(Dialog.MinPage());
  pd.nMaxPage = static_cast<WORD>(Dialog.MaxPage());
}

void ReadPrintDlg(const PRINTDLGW& pd, TPrintDialog& Dialog) {
  Dialog.SetCopies(pd.nCopies);
  Dialog.SetFromPage(pd.nFromPage);
  Dialog.SetToPage(pd.nToPage);
  Dialog.SetCollate((pd.Flags & PD_COLLATE) != 0);
  Dialog.SetPrintToFile((pd.Flags & PD_PRINTTOFILE) != 0);
  Dialog.SetPrintRange(PrintRangeFromFlags(pd.Flags));
}


// A copy of a global memory block (the printer keeps its own).
HGLOBAL CopyGlobal(HGLOBAL source) {
  if (source == nullptr)
    return nullptr;
  const SIZE_T size = GlobalSize(source);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr)
    return nullptr;
  void* to = GlobalLock(copy);
  void* from = GlobalLock(source);
  if (to != nullptr && from != nullptr)
    memcpy(to, from, size);
  GlobalUnlock(source);
  GlobalUnlock(copy);
  return copy;
}

HGLOBAL MakeDevNames(const AnsiString& device, const AnsiString& driver, const AnsiString& port) {
  const std::wstring d = AnsiToWide(device), r = AnsiToWide(driver), p = AnsiToWide(port);
  const SIZE_T chars = r.size() + 1 + d.size() + 1 + p.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + chars * sizeof(wchar_t));
  if (block == nullptr)
    return nullptr;
  auto* names = static_cast<DEVNAMES*>(GlobalLock(block));
  auto* text = reinterpret_cast<wchar_t*>(names + 1);
  const WORD base = sizeof(DEVNAMES) / sizeof(wchar_t);
  names->wDriverOffset = base;
  r.copy(text, r.size());
  names->wDeviceOffset = static_cast<WORD>(base + r.size() + 1);
  d.copy(text + r.size() + 1, d.size());
  names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + d.size() + 1);
  p.copy(text + r.size() + 1 + d.size() + 1, p.size());
  GlobalUnlock(block);
  return block;
}

TDialogService& Win32DialogService() {
  static TWin32DialogService service;
  return service;
}

std::wstring CommonDialogFilter(const AnsiString& Filter) {
  if (Filter.empty())
    return std::wstring();
  std::wstring filter = AnsiToWide(Filter);
  for (wchar_t& c : filter)
    if (c == L'|')
      c = L'\0';
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

std::vector<AnsiString> CommonDialogFiles(const wchar_t* Buffer, bool MultiSelect) {
  std::vector<std::wstring> parts;
  for (const wchar_t* p = Buffer; *p != L'\0'; p += wcslen(p) + 1) {
    parts.emplace_back(p);
    if (!MultiSelect)
      break;
  }
  std::vector<AnsiString> files;
  if (parts.size() == 1) {
    files.push_back(WideToAnsi(parts[0]));
    return files;
  }
  std::wstring folder = parts.empty() ? std::wstring() : parts[0];
  if (!folder.empty() && folder.back() != L'\\')
    folder.push_back(L'\\');
  for (std::size_t i = 1; i < parts.size(); ++i)
    files.push_back(WideToAnsi(folder + parts[i]));
  return files;
}

TModalResult TWin32DialogService::MessageDlg(const TMessageDlgRequest& Request) {
  std::unique_ptr<TForm, void (*)(TForm*)> form(CreateMessageDialog(Request.Text, Request.DlgType, Request.Buttons),
                                               [](TForm* f) { f->Free(); });
  form->SetCaption(Request.Caption);
  if (Request.X >= 0 || Request.Y >= 0) {
    form->SetPosition(poDesigned);
    form->SetBounds(Request.X >= 0 ? Request.X : form->Left(), Request.Y >= 0 ? Request.Y : form->Top(),
                    form->Width(), form->Height());
  }
  return ShowModal(*form);
}

int TWin32DialogService::MessageBox(const TMessageBoxRequest& Request) {
  const std::wstring text = AnsiToWide(Request.Text);
  const std::wstring caption = AnsiToWide(Request.Caption);
  return RunSystemDialog([&] { return ::MessageBoxW(DialogOwner(), text.c_str(), caption.c_str(), Request.Flags); });
}

bool TWin32DialogService::InputQuery(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value) {
  TEdit* edit = nullptr;
  std::unique_ptr<TForm, void (*)(TForm*)> form(CreateInputQueryForm(Caption, Prompt, Value, edit),
                                               [](TForm* f) { f->Free(); });
  edit->SelectAll();
  if (ShowModal(*form) != mrOk)
    return false;
  Value = edit->Text();
  return true;
}

bool TWin32DialogService::ExecuteFileDialog(TOpenDialog& Dialog, bool Save) {
  const bool multi = Dialog.Options().Contains(ofAllowMultiSelect);
  std::vector<wchar_t> buffer(multi ? 0x10000 : MAX_PATH * 4, L'\0');
  const std::wstring initialName = AnsiToWide(Dialog.FileName());
  initialName.copy(buffer.data(), std::min(initialName.size(), buffer.size() - 1));
  const std::wstring filter = CommonDialogFilter(Dialog.Filter());
  const std::wstring initialDir = AnsiToWide(Dialog.InitialDir());
  std::wstring defaultExt = AnsiToWide(Dialog.DefaultExt());
  if (!defaultExt.empty() && defaultExt[0] == L'.')
    defaultExt.erase(0, 1);
  const std::wstring title = AnsiToWide(Dialog.Title());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(Dialog.FilterIndex(), 0));
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  for (const OpenFlag& f : kOpenFlags)
    if (Dialog.Options().Contains(f.option))
      ofn.Flags |= f.flag;
  if (!Dialog.Options().Contains(ofOldStyleDialog))
    ofn.Flags |= OFN_EXPLORER;

  const bool accepted =
      RunSystemDialog([&] { return (Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) != FALSE; });
  if (!accepted)
    return false;
  std::vector<AnsiString> files = CommonDialogFiles(buffer.data(), multi);
  Dialog.Files()->Clear();
  for (const AnsiString& f : files)
    Dialog.Files()->Add(f);
  Dialog.SetFileName(files.empty() ? AnsiString() : files[0]);
  Dialog.SetFilterIndex(static_cast<int>(ofn.nFilterIndex));
  TOpenOptions options = Dialog.Options();
  if (ofn.Flags & OFN_READONLY)
    options.Include(ofReadOnly);
  else
    options.Exclude(ofReadOnly);
  Dialog.SetOptions(options);
  return true;
}

bool TWin32DialogService::ExecuteColorDialog(TColorDialog& Dialog) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = DialogOwner();
  cc.rgbResult = static_cast<COLORREF>(ColorToRGB(Dialog.Color()));
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  const TColorDialogOptions o = Dialog.Options();
  if (o.Contains(cdFullOpen))
    cc.Flags |= CC_FULLOPEN;
  if (o.Contains(cdPreventFullOpen))
    cc.Flags |= CC_PREVENTFULLOPEN;
  if (o.Contains(cdShowHelp))
    cc.Flags |= CC_SHOWHELP;
  if (o.Contains(cdSolidColor))
    cc.Flags |= CC_SOLIDCOLOR;
  if (o.Contains(cdAnyColor))
    cc.Flags |= CC_ANYCOLOR;
  if (!RunSystemDialog([&] { return ChooseColorW(&cc) != FALSE; }))
    return false;
  Dialog.SetColor(static_cast<TColor>(cc.rgbResult));
  return true;
}

bool TWin32DialogService::ExecuteFontDialog(TFontDialog& Dialog) {
  LOGFONTW lf{};
  GetObjectW(Dialog.Font()->Handle(), sizeof(lf), &lf);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = DialogOwner();
  cf.lpLogFont = &lf;
  cf.rgbColors = static_cast<COLORREF>(ColorToRGB(Dialog.Font()->Color()));
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
  struct FontFlag {
    TFontDialogOption option;
    DWORD flag;
  };
  static constexpr FontFlag flags[] = {
      {fdAnsiOnly, CF_SCRIPTSONLY},     {fdTrueTypeOnly, CF_TTONLY},       {fdEffects, CF_EFFECTS},
      {fdFixedPitchOnly, CF_FIXEDPITCHONLY}, {fdForceFontExist, CF_FORCEFONTEXIST},
      {fdNoFaceSel, CF_NOFACESEL},      {fdNoOEMFonts, CF_NOOEMFONTS},    {fdNoSimulations, CF_NOSIMULATIONS},
      {fdNoSizeSel, CF_NOSIZESEL},      {fdNoStyleSel, CF_NOSTYLESEL},    {fdNoVectorFonts, CF_NOVECTORFONTS},
      {fdShowHelp, CF_SHOWHELP},        {fdWysiwyg, CF_WYSIWYG},          {fdScalableOnly, CF_SCALABLEONLY},
      {fdApplyButton, CF_APPLY}};
  for (const FontFlag& f : flags)
    if (Dialog.Options().Contains(f.option))
      cf.Flags |= f.flag;
  if (Dialog.Options().Contains(fdLimitSize)) {
    cf.Flags |= CF_LIMITSIZE;
    cf.nSizeMin = Dialog.MinFontSize();
    cf.nSizeMax = Dialog.MaxFontSize();
  }
  if (!RunSystemDialog([&] { return ChooseFontW(&cf) != FALSE; }))
    return false;
  const TColor color = static_cast<TColor>(cf.rgbColors);
  Dialog.Font()->SetHandle(CreateFontIndirectW(&lf));
  Dialog.Font()->SetColor(color);
  return true;
}

bool TWin32DialogService::ExecutePrintDialog(TPrintDialog& Dialog) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = DialogOwner();
  FillPrintDlg(pd, Dialog);
  if (!RunPrintDlg(pd))
    return false;
  ReadPrintDlg(pd, Dialog);
  return true;
}

bool TWin32DialogService::ExecutePrinterSetupDialog(TPrinterSetupDialog& Dialog) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = DialogOwner();
  pd.Flags = PD_PRINTSETUP;
  return RunPrintDlg(pd);
}

TModalResult TWin32DialogService::ShowModal(TCustomForm& Form) { return Form.ShowModalLoop(); }
