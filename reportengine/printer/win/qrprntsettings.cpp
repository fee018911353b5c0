#include "reportengine/printer/qrprntsettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "classlib/printers/devmode.h"
#include "classlib/printers/spooler.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinterdevice.h"

namespace {

// Driver names longer than this are cut, as the driver field holds them.
constexpr std::size_t kDriverNameLength = 63;

// round(pixels / pixels per inch x 254): tenths of a millimetre.
int TenthsOf(int pixels, int pixelsPerInch) {
  return static_cast<int>(Round(static_cast<double>(pixels) / pixelsPerInch * 254));
}

// The file name part of a path.
AnsiString FileNamePart(const AnsiString& path) {
  std::size_t slash = path.find_last_of("\\/:");
  AnsiString name = slash == AnsiString::npos ? path : path.substr(slash + 1);
  return name.substr(0, kDriverNameLength);
}

short ShortOf(int value, int low) {
  return static_cast<short>(std::clamp(value, low, 32767));
}

// True when the device gives the user paper code to a paper of its own of
// another size (a PostScript driver may number its printer description's
// papers from that code): sending the code would print on that paper, so a
// user size goes by length and width alone. Sizes in tenths of a millimetre;
// a millimetre either way counts as the same paper.
bool UserCodeIsAnotherPaper(const AnsiString& device, const AnsiString& port, int width, int length) {
  std::vector<WORD> codes = Spooler().Papers(device, port);
  auto it = std::find(codes.begin(), codes.end(), static_cast<WORD>(QRUserPaperCode));
  if (it == codes.end())
    return false;
  std::vector<POINT> sizes = Spooler().PaperSizes(device, port);
  auto index = static_cast<std::size_t>(it - codes.begin());
  if (index >= sizes.size())
    return false;
  return std::abs(sizes[index].x - width) > 10 || std::abs(sizes[index].y - length) > 10;
}

// True when the driver's own device mode has the paper code field: a device
// mode that went out with a user size alone lacks it, and the next paper must
// still get its code.
bool DriverTakesPaperCodes(const AnsiString& device) {
  std::vector<std::uint8_t> bytes = Spooler().DocumentProperties(device);
  return bytes.size() >= sizeof(DEVMODEW) && (DevModeOf(bytes).dmFields & DM_PAPERSIZE) != 0;
}

}  // namespace

// The device mode block, locked for the time of one read or write; the
// settings reach it through FDevMode meanwhile.
class TPrinterSettings::DevModeLock {
public:
  DevModeLock(TPrinterSettings& settings, HGLOBAL block) : settings_(settings), block_(block) {
    if (block_ != nullptr && GlobalSize(block_) >= sizeof(DEVMODEW))
      settings_.FDevMode = static_cast<DEVMODEW*>(GlobalLock(block_));
  }
  ~DevModeLock() {
    if (settings_.FDevMode != nullptr)
      GlobalUnlock(block_);
    settings_.FDevMode = nullptr;
  }
  DevModeLock(const DevModeLock&) = delete;
  DevModeLock& operator=(const DevModeLock&) = delete;
  bool Locked() const { return settings_.FDevMode != nullptr; }

private:
  TPrinterSettings& settings_;
  HGLOBAL block_;
};

IMPLEMENT_CLASS(TPrinterSettings)

TPrinterSettings::TPrinterSettings() = default;

TPrinterSettings::~TPrinterSettings() = default;

void TPrinterSettings::SetPrinter(TPrinter* Value) {
  FPrinter = Value;
  if (FPrinter != nullptr && FPrinter->Printers().Count() > 0)
    ReadSettings();
}

// Device, driver, port and device mode handle as the printer gives them.
void TPrinterSettings::LoadDeviceNames() {
  FDeviceMode = nullptr;
  if (FPrinter == nullptr || FPrinter->Printers().Count() == 0)
    return;
  FPrinter->GetPrinter(FDevice, FDriver, FPort, FDeviceMode);
  if (FDeviceMode == nullptr) {
    FPrinter->SetPrinterIndex(FPrinter->PrinterIndex());
    FPrinter->GetPrinter(FDevice, FDriver, FPort, FDeviceMode);
  }
}

void TPrinterSettings::ReadSettings() {
  if (FPrinter == nullptr)
    return;
  LoadDeviceNames();
  AnsiString driverPath;
  if (!FDevice.empty() && QRPrinterDevice().DriverPath(FDevice, driverPath) && !driverPath.empty())
    FDriver = FileNamePart(driverPath);
  DevModeLock lock(*this, FDeviceMode);
  if (!lock.Locked())
    return;
  bool cancel = false;
  if (OnGetPrinterSettings)
    OnGetPrinterSettings(this, cancel, FDevMode);
  if (!cancel)
    ReadDevice(*FDevMode);
}

// A device that gives no DC or no resolution leaves the resolution at 0
// (unknown; the printer object then uses its fallback factors), no
// unprintable margins, and the paper the device mode or the paper table
// tells: nothing is divided by a resolution of 0.
void TPrinterSettings::ReadDevice(DEVMODEW& DevMode) {
  TQRDeviceFacts facts;
  bool measured = QRPrinterDevice().DeviceFacts(*FPrinter, facts) && facts.PixelsPerX > 0 && facts.PixelsPerY > 0;
  FPixelsPerX = measured ? facts.PixelsPerX : 0;
  FPixelsPerY = measured ? facts.PixelsPerY : 0;

  FCopies = HasField(DM_COPIES) ? DevMode.dmCopies : 1;
  FOutputBin = TQRBin::First;
  if (HasField(DM_DEFAULTSOURCE))
    BinOfCode(DevMode.dmDefaultSource, FOutputBin);
  if (HasField(DM_DUPLEX)) {
    FDuplex = DevMode.dmDuplex != DMDUP_SIMPLEX;
    FExtendedDuplex = DevMode.dmDuplex;
  }
  FLeftOffset = measured ? TenthsOf(facts.OffsetX, FPixelsPerX) : 0;
  FTopOffset = measured ? TenthsOf(facts.OffsetY, FPixelsPerY) : 0;
  FPaperSize = TQRPaperSize::Default;
  if (HasField(DM_PAPERSIZE))
    PaperSizeOfCode(DevMode.dmPaperSize, FPaperSize);

  // The paper is kept in portrait terms, as it is written back; a device set
  // to landscape measures it turned.
  if (measured) {
    FPaperWidth = TenthsOf(facts.PhysicalWidth, FPixelsPerX);
    FPaperLength = TenthsOf(facts.PhysicalHeight, FPixelsPerY);
    if (HasField(DM_ORIENTATION) && DevMode.dmOrientation == DMORIENT_LANDSCAPE)
      std::swap(FPaperWidth, FPaperLength);
  } else if (HasField(DM_PAPERWIDTH | DM_PAPERLENGTH) && DevMode.dmPaperWidth > 0 && DevMode.dmPaperLength > 0) {
    FPaperWidth = DevMode.dmPaperWidth;
    FPaperLength = DevMode.dmPaperLength;
  } else {
    FPaperWidth = PaperWidthOf(FPaperSize);
    FPaperLength = PaperLengthOf(FPaperSize);
  }

  ReadSupportedPapers();
  FPrintQuality = DevMode.dmPrintQuality;
  FCollate = DevMode.dmCollate;
  FColorOption = DevMode.dmColor;
}

// An empty answer is the device's failure (-1): the flags stay as they were.
void TPrinterSettings::ReadSupportedPapers() {
  std::vector<WORD> codes = Spooler().Papers(FDevice, FPort);
  if (!codes.empty()) {
    FSupported.fill(false);
    for (WORD code : codes) {
      TQRPaperSize size;
      if (PaperSizeOfCode(code, size))
        FSupported[static_cast<std::size_t>(size)] = true;
    }
  }
  FSupportedPapersRead = true;
}

// The device mode is filled in a copy of the printer's block, which the
// printer takes only when no handler cancels: a cancelled apply leaves the
// printer's device mode as it was.
void TPrinterSettings::ApplySettings() {
  if (FPrinter == nullptr)
    return;
  LoadDeviceNames();
  if (FDeviceMode == nullptr || GlobalSize(FDeviceMode) < sizeof(DEVMODEW))
    return;
  HGLOBAL copy = DevModeToGlobal(DevModeFromGlobal(FDeviceMode));
  bool cancel = false;
  {
    DevModeLock lock(*this, copy);
    if (!lock.Locked()) {
      GlobalFree(copy);
      return;
    }
    WriteDevice(*FDevMode);
    if (OnApplyPrinterSettings)
      OnApplyPrinterSettings(this, cancel, FDevMode);
  }
  if (cancel) {
    GlobalFree(copy);
    return;
  }
  FPrinter->SetPrinter(FDevice, FDriver, FPort, copy);
  FDeviceMode = copy;
}

void TPrinterSettings::WriteDevice(DEVMODEW& DevMode) {
  // Paper: the code of the size, or the report's own code; length and width
  // only for the user-defined code, where the device reads them, in portrait
  // terms. A standard code drops length and width left from an earlier job.
  // A device whose user code names a paper of its own gets no code at all.
  int code = FUseCustomPaperCode ? FCustomPaperCode : PaperSizeCode(FPaperSize);
  bool sizeAlone = code == QRUserPaperCode && !FUseCustomPaperCode && FPaperSize != TQRPaperSize::Default &&
                   UserCodeIsAnotherPaper(FDevice, FPort, PaperWidth(), PaperLength());
  if (sizeAlone) {
    DevMode.dmFields &= ~static_cast<DWORD>(DM_PAPERSIZE);
    DevMode.dmPaperSize = 0;
  } else if (FPaperSize != TQRPaperSize::Default && (HasField(DM_PAPERSIZE) || DriverTakesPaperCodes(FDevice))) {
    SetField(DM_PAPERSIZE);
    DevMode.dmPaperSize = ShortOf(code, 0);
  }
  if (code == QRUserPaperCode && FPaperSize != TQRPaperSize::Default) {
    SetField(DM_PAPERLENGTH);
    DevMode.dmPaperLength = ShortOf(PaperLength(), 0);
    SetField(DM_PAPERWIDTH);
    DevMode.dmPaperWidth = ShortOf(PaperWidth(), 0);
  } else if (FPaperSize != TQRPaperSize::Default) {
    DevMode.dmFields &= ~static_cast<DWORD>(DM_PAPERLENGTH | DM_PAPERWIDTH);
  }

  SetField(DM_COPIES);
  DevMode.dmCopies = ShortOf(FCopies, 1);
  SetField(DM_DUPLEX);
  DevMode.dmDuplex = ShortOf(FExtendedDuplex != 0 ? FExtendedDuplex : FDuplex ? DMDUP_HORIZONTAL : DMDUP_SIMPLEX, 0);
  SetField(DM_DEFAULTSOURCE);
  DevMode.dmDefaultSource = ShortOf(FUseCustomBinCode ? FCustomBinCode : BinCode(FOutputBin), 0);
  SetField(DM_ORIENTATION);
  DevMode.dmOrientation = FOrientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;

  // Quality, colour and collation reach the device when it has the field
  // and the value is one the device mode can hold.
  if (HasField(DM_PRINTQUALITY) && FPrintQuality != 0)
    DevMode.dmPrintQuality = static_cast<short>(std::clamp(FPrintQuality, -32768, 32767));
  if (HasField(DM_COLOR) && (FColorOption == DMCOLOR_MONOCHROME || FColorOption == DMCOLOR_COLOR))
    DevMode.dmColor = static_cast<short>(FColorOption);
  if (HasField(DM_COLLATE))
    DevMode.dmCollate = FCollate != 0 ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
}

bool TPrinterSettings::HasField(DWORD Flag) {
  if (FDevMode != nullptr)
    return (FDevMode->dmFields & Flag) == Flag;
  // Outside a read or write: the printer's current device mode.
  if (FPrinter == nullptr || FPrinter->Printers().Count() == 0)
    return false;
  AnsiString device, driver, port;
  HGLOBAL block = nullptr;
  FPrinter->GetPrinter(device, driver, port, block);
  if (block == nullptr || GlobalSize(block) < sizeof(DEVMODEW))
    return false;
  auto* devMode = static_cast<DEVMODEW*>(GlobalLock(block));
  if (devMode == nullptr)
    return false;
  bool has = (devMode->dmFields & Flag) == Flag;
  GlobalUnlock(block);
  return has;
}

void TPrinterSettings::SetField(DWORD Flag) {
  if (FDevMode != nullptr)
    FDevMode->dmFields |= Flag;
}

bool TPrinterSettings::SetCopies(int Value) {
  if (!HasField(DM_COPIES))
    return false;
  FCopies = Value;
  return true;
}

bool TPrinterSettings::SetOrientation(TPrinterOrientation Value) {
  if (!HasField(DM_ORIENTATION))
    return false;
  FOrientation = Value;
  return true;
}

bool TPrinterSettings::SetDuplex(bool Value) {
  if (!HasField(DM_DUPLEX))
    return false;
  FDuplex = Value;
  return true;
}

bool TPrinterSettings::SetOutputBin(TQRBin Value) {
  if (!HasField(DM_DEFAULTSOURCE))
    return false;
  FOutputBin = Value;
  return true;
}

bool TPrinterSettings::SetPaperSize(TQRPaperSize Value) {
  bool supported = SupportsPaperSize(Value);
  if (supported || Value == TQRPaperSize::Default)
    FPaperSize = Value;
  return supported;
}

bool TPrinterSettings::SupportsPaperSize(TQRPaperSize Value) const {
  auto index = static_cast<std::size_t>(Value);
  return index < FSupported.size() && FSupported[index];
}

int TPrinterSettings::PaperWidth() const {
  return IsStandardPaperSize(FPaperSize) ? PaperWidthOf(FPaperSize) : FPaperWidth;
}

int TPrinterSettings::PaperLength() const {
  return IsStandardPaperSize(FPaperSize) ? PaperLengthOf(FPaperSize) : FPaperLength;
}

// ---- TQRPrinterSettings ------------------------------------------------------

IMPLEMENT_CLASS(TQRPrinterSettings)

TQRPrinterSettings::TQRPrinterSettings() = default;

void TQRPrinterSettings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TQRPrinterSettings*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FCopies = source->FCopies;
  FOutputBin = source->FOutputBin;
  FDuplex = source->FDuplex;
  FFirstPage = source->FFirstPage;
  FLastPage = source->FLastPage;
  FPrinterIndex = source->FPrinterIndex;
  FTitle = source->FTitle;
  FPaperSize = source->FPaperSize;
  FOrientation = source->FOrientation;
  FUseStandardprinter = source->FUseStandardprinter;
  FUseCustomBinCode = source->FUseCustomBinCode;
  FCustomBinCode = source->FCustomBinCode;
  FExtendedDuplex = source->FExtendedDuplex;
  FUseCustomPaperCode = source->FUseCustomPaperCode;
  FCustomPaperCode = source->FCustomPaperCode;
  FPrintMetaFile = source->FPrintMetaFile;
  FMemoryLimit = source->FMemoryLimit;
  FPrintQuality = source->FPrintQuality;
  FCollate = source->FCollate;
  FColorOption = source->FColorOption;
}
