#include "classlib/printers/printers.h"

#include "classlib/printers/driveroutputbuffer.h"

#include "classlib/graphics/wintext.h"
#include "classlib/printers/devmode.h"
#include "classlib/printers/postscriptpage.h"
#include "classlib/printers/spooler.h"

IMPLEMENT_CLASS(TPrinter)

// The canvas of a printer: the printer's DC, borrowed; its font measures in
// the printer's resolution.
class TPrinter::PrinterCanvas : public TCanvas {
public:
  explicit PrinterCanvas(TPrinter* printer) : printer_(printer) {}
  // Selects pen, brush and font anew (a new page starts with a fresh DC state).
  void Renew() {
    Refresh();
    UpdateFont();
  }

protected:
  void CreateHandle() override {
    SetHandle(printer_->Handle());
    UpdateFont();
  }

private:
  void UpdateFont() {
    if (!HandleAllocated())
      return;
    int ppi = GetDeviceCaps(Handle(), LOGPIXELSY);
    if (ppi > 0 && ppi != Font().PixelsPerInch()) {
      int size = Font().Size();
      Font().SetPixelsPerInch(ppi);
      Font().SetSize(size);
    }
  }

  TPrinter* printer_;
};

TPrinter::TPrinter() : canvas_(std::make_unique<PrinterCanvas>(this)) {}

TPrinter::~TPrinter() {
  if (printing_)
    Abort();
  FreeDC();
  FreeDeviceMode();
}

TStrings& TPrinter::Printers() {
  if (!printers_) {
    printers_ = std::make_unique<TStringList>();
    for (const AnsiString& name : Spooler().PrinterNames())
      printers_->Add(name);
  }
  return *printers_;
}

void TPrinter::Refresh() {
  CheckPrinting(false);
  AnsiString current = index_ >= 0 && printers_ ? printers_->Strings(index_) : AnsiString();
  printers_.reset();
  fonts_.reset();
  int found = current.empty() ? -1 : Printers().IndexOf(current);
  if (found != index_) {
    FreeDC();
    FreeDeviceMode();
    index_ = -1;
    if (found >= 0)
      Select(found, nullptr);
  }
}

void TPrinter::CheckPrinting(bool printing) {
  if (printing_ != printing)
    throw EPrinter(printing ? "Printing not in progress" : "Printing in progress");
}

void TPrinter::FreeDC() {
  canvas_->SetHandle(nullptr);
  if (dc_ != nullptr)
    DeleteDC(dc_);
  dc_ = nullptr;
  fonts_.reset();
}

void TPrinter::FreeDeviceMode() {
  if (deviceMode_ != nullptr)
    GlobalFree(deviceMode_);
  deviceMode_ = nullptr;
}

void TPrinter::SetToDefaultPrinter() {
  TStrings& list = Printers();
  // The program's users read Turkish: the message says what to do.
  if (list.Count() == 0)
    throw EPrinter("Bu bilgisayarda tanımlı bir yazıcı yok. Etiketleri yazdırmak ya da önizlemek için önce bir "
                   "yazıcı kurun ve onu varsayılan yazıcı yapın.");
  int index = list.IndexOf(Spooler().DefaultPrinter());
  Select(index >= 0 ? index : 0, nullptr);
}

void TPrinter::Select(int index, HGLOBAL deviceMode) {
  FreeDC();
  const AnsiString name = Printers().Strings(index);
  TPrinterDetails details;
  bool known = Spooler().GetPrinter(name, details);
  driver_ = known ? details.Driver : AnsiString();
  port_ = known ? details.Port : AnsiString();
  if (deviceMode != nullptr) {
    if (deviceMode != deviceMode_)
      FreeDeviceMode();
    deviceMode_ = deviceMode;
  } else {
    std::vector<std::uint8_t> defaults = Spooler().DocumentProperties(name);
    if (defaults.size() < sizeof(DEVMODEW))
      defaults = known && details.DevMode.size() >= sizeof(DEVMODEW) ? details.DevMode : MakeDevMode(name);
    FreeDeviceMode();
    deviceMode_ = DevModeToGlobal(defaults);
  }
  index_ = index;
}

int TPrinter::PrinterIndex() {
  if (index_ < 0)
    SetToDefaultPrinter();
  return index_;
}

void TPrinter::SetPrinterIndex(int value) {
  CheckPrinting(false);
  if (value == -1) {
    SetToDefaultPrinter();
    return;
  }
  if (value < 0 || value >= Printers().Count())
    throw EPrinter("Printer index out of range");
  Select(value, nullptr);
}

DEVMODEW* TPrinter::LockDevMode() {
  PrinterIndex();
  if (deviceMode_ == nullptr || GlobalSize(deviceMode_) < sizeof(DEVMODEW))
    throw EPrinter("Device mode is not valid");
  return static_cast<DEVMODEW*>(GlobalLock(deviceMode_));
}

void TPrinter::UnlockDevMode() {
  GlobalUnlock(deviceMode_);
}

HDC TPrinter::Handle() {
  if (dc_ == nullptr) {
    PrinterIndex();
    std::wstring device = WideOf(printers_->Strings(index_));
    DEVMODEW* dm = LockDevMode();
    dc_ = CreateDCW(L"WINSPOOL", device.c_str(), nullptr, dm);
    UnlockDevMode();
    if (dc_ == nullptr)
      throw EPrinter("Printer selected is not valid");
  }
  return dc_;
}

TCanvas& TPrinter::Canvas() {
  return *canvas_;
}

namespace {
TPrinter* gAbortingPrinter = nullptr;
BOOL CALLBACK PrinterAbortProc(HDC, int) {
  return gAbortingPrinter == nullptr || !gAbortingPrinter->Aborted();
}
}  // namespace

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  FreeDC();
  HDC dc = Handle();
  driveroutput::InstallDriverOutputBuffer(L"wineps.drv");
  printing_ = true;
  aborted_ = false;
  pageNumber_ = 1;
  gAbortingPrinter = this;
  SetAbortProc(dc, PrinterAbortProc);
  std::wstring title = WideOf(Title);
  DOCINFOW info{sizeof(DOCINFOW), title.c_str(), nullptr, nullptr, 0};
  bool started = StartDocW(dc, &info) > 0;
  if (started) {
    TellPostScriptPageSize(dc, *LockDevMode());
    UnlockDevMode();
  }
  if (!started || StartPage(dc) <= 0) {
    printing_ = false;
    pageNumber_ = 0;
    FreeDC();
    throw EPrinter("Printer selected is not valid");
  }
  canvas_->Renew();
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  EndPage(dc_);
  if (!aborted_)
    ::EndDoc(dc_);
  printing_ = false;
  aborted_ = false;
  pageNumber_ = 0;
  if (gAbortingPrinter == this)
    gAbortingPrinter = nullptr;
  FreeDC();
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  EndPage(dc_);
  StartPage(dc_);
  ++pageNumber_;
  canvas_->Renew();
}

void TPrinter::Abort() {
  CheckPrinting(true);
  AbortDoc(dc_);
  aborted_ = true;
  EndDoc();
}

int TPrinter::PageWidth() {
  return GetDeviceCaps(Handle(), HORZRES);
}

int TPrinter::PageHeight() {
  return GetDeviceCaps(Handle(), VERTRES);
}

TPrinterOrientation TPrinter::Orientation() {
  DEVMODEW* dm = LockDevMode();
  TPrinterOrientation result = dm->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
  UnlockDevMode();
  return result;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
  CheckPrinting(false);
  DEVMODEW* dm = LockDevMode();
  dm->dmOrientation = value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  dm->dmFields |= DM_ORIENTATION;
  UnlockDevMode();
  FreeDC();
}

int TPrinter::Copies() {
  DEVMODEW* dm = LockDevMode();
  int copies = dm->dmCopies;
  UnlockDevMode();
  return copies;
}

void TPrinter::SetCopies(int value) {
  CheckPrinting(false);
  DEVMODEW* dm = LockDevMode();
  dm->dmCopies = static_cast<short>(value);
  dm->dmFields |= DM_COPIES;
  UnlockDevMode();
  FreeDC();
}

TPrinterCapabilities TPrinter::Capabilities() {
  DEVMODEW* dm = LockDevMode();
  TPrinterCapabilities caps;
  caps.Copies = (dm->dmFields & DM_COPIES) != 0;
  caps.Orientation = (dm->dmFields & DM_ORIENTATION) != 0;
  caps.Collation = (dm->dmFields & DM_COLLATE) != 0;
  UnlockDevMode();
  return caps;
}

namespace {
int CALLBACK AddFontName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  auto* names = reinterpret_cast<TStringList*>(list);
  names->Add(AnsiOfField(font->lfFaceName));
  return 1;
}
}  // namespace

TStrings& TPrinter::Fonts() {
  if (!fonts_) {
    fonts_ = std::make_unique<TStringList>();
    fonts_->SetSorted(true);
    fonts_->SetDuplicates(dupIgnore);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(Handle(), &wanted, AddFontName, reinterpret_cast<LPARAM>(fonts_.get()), 0);
  }
  return *fonts_;
}

void TPrinter::GetPrinter(AnsiString& device, AnsiString& driver, AnsiString& port, HGLOBAL& deviceMode) {
  PrinterIndex();
  device = printers_->Strings(index_);
  driver = driver_;
  port = port_;
  deviceMode = deviceMode_;
}

void TPrinter::SetPrinter(const AnsiString& device, const AnsiString& driver, const AnsiString& port,
                          HGLOBAL deviceMode) {
  CheckPrinting(false);
  TStrings& list = Printers();
  int index = list.IndexOf(device);
  if (index < 0)
    index = list.Add(device);
  Select(index, deviceMode);
  if (driver_.empty())
    driver_ = driver;
  if (port_.empty())
    port_ = port;
}

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}
