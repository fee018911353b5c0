// Printer settings of the banded engine.
//
// TPrinterSettings is the printer object's view of one printer device: it
// reads the device's current settings from the platform printer and its
// device mode (ReadSettings), holds the report's wishes (paper, orientation,
// copies, bin, duplex, quality) and writes them back into the device mode
// before a print job (ApplySettings). The guarded setters store a value only
// when the device mode has the matching field and say whether they did.
//
// TQRPrinterSettings holds a report's persistent printer wishes; the
// report's published settings derive from it.
//
// Lengths are in tenths of a millimetre; resolutions in pixels per inch.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"
#include "classlib/printers/printerorientation.h"
#include "classlib/printers/printers.h"
#include "reportengine/printer/qrpapers.h"

// Fired with the locked device mode before the settings read it
// (OnGetPrinterSettings) and after they filled it (OnApplyPrinterSettings);
// Cancel keeps the settings or the printer as they are.
DOZURI_EVENT(TQRPrinterEvent, void(TObject* Sender, bool& Cancel, void* DevMode));

class TPrinterSettings : public TObject {
  DECLARE_CLASS(TPrinterSettings, TObject)

public:
  TPrinterSettings();
  ~TPrinterSettings() override;
  TPrinterSettings(const TPrinterSettings&) = delete;
  TPrinterSettings& operator=(const TPrinterSettings&) = delete;

  // The platform printer (not owned). Setting one that lists at least one
  // printer reads its settings.
  TPrinter* Printer() const { return FPrinter; }
  void SetPrinter(TPrinter* Value);

  // Reads the device's current settings. A device that answers no
  // resolution (0 pixels per inch, or no device context) leaves PixelsPerX
  // and PixelsPerY at 0, the offsets at 0 and the paper as its device mode
  // or the paper table tells; a failing driver query keeps the driver name
  // the printer gave.
  void ReadSettings();
  // Writes the settings into a copy of the printer's device mode and, unless
  // the handler cancels, hands it to the printer.
  void ApplySettings();

  // True when there is a device mode and its field mask has every bit of Flag.
  bool HasField(DWORD Flag);
  // Adds Flag to the device mode's field mask.
  void SetField(DWORD Flag);

  // ---- Guarded settings: stored only when the device mode has the field ----
  int Copies() const { return FCopies; }
  bool SetCopies(int Value);
  TPrinterOrientation Orientation() const { return FOrientation; }
  bool SetOrientation(TPrinterOrientation Value);
  bool Duplex() const { return FDuplex; }
  bool SetDuplex(bool Value);
  TQRBin OutputBin() const { return FOutputBin; }
  bool SetOutputBin(TQRBin Value);
  TQRPaperSize PaperSize() const { return FPaperSize; }
  // Stored when the device supports the size; Default is always stored.
  // Returns whether the device supports the size.
  bool SetPaperSize(TQRPaperSize Value);
  bool SupportsPaperSize(TQRPaperSize Value) const;
  bool SupportedPapersRead() const { return FSupportedPapersRead; }

  // For a standard paper size the table's size; for Default and Custom the
  // stored size (the device's physical paper, or the report's own). Always
  // in portrait terms: width across the paper, length along it.
  int PaperWidth() const;
  int PaperLength() const;
  void SetPaperWidth(int Value) { FPaperWidth = Value; }
  void SetPaperLength(int Value) { FPaperLength = Value; }

  // ---- What the device told ----
  const AnsiString& Device() const { return FDevice; }
  const AnsiString& Driver() const { return FDriver; }
  const AnsiString& Port() const { return FPort; }
  int PixelsPerX() const { return FPixelsPerX; }
  int PixelsPerY() const { return FPixelsPerY; }
  int TopOffset() const { return FTopOffset; }
  int LeftOffset() const { return FLeftOffset; }

  // ---- Plain stored values ----
  int ExtendedDuplex() const { return FExtendedDuplex; }
  void SetExtendedDuplex(int Value) { FExtendedDuplex = Value; }
  bool UseExtendedDuplex() const { return FUseExtendedDuplex; }
  void SetUseExtendedDuplex(bool Value) { FUseExtendedDuplex = Value; }
  int Collate() const { return FCollate; }
  void SetCollate(int Value) { FCollate = Value; }
  int ColorOption() const { return FColorOption; }
  void SetColorOption(int Value) { FColorOption = Value; }
  int PrintQuality() const { return FPrintQuality; }
  void SetPrintQuality(int Value) { FPrintQuality = Value; }
  bool UseStandardPrinter() const { return FUseStandardPrinter; }
  void SetUseStandardPrinter(bool Value) { FUseStandardPrinter = Value; }
  bool PrintMetaFile() const { return FPrintMetaFile; }
  void SetPrintMetaFile(bool Value) { FPrintMetaFile = Value; }
  bool UseCustomBinCode() const { return FUseCustomBinCode; }
  void SetUseCustomBinCode(bool Value) { FUseCustomBinCode = Value; }
  int CustomBinCode() const { return FCustomBinCode; }
  void SetCustomBinCode(int Value) { FCustomBinCode = Value; }
  bool UseCustomPaperCode() const { return FUseCustomPaperCode; }
  void SetUseCustomPaperCode(bool Value) { FUseCustomPaperCode = Value; }
  int CustomPaperCode() const { return FCustomPaperCode; }
  void SetCustomPaperCode(int Value) { FCustomPaperCode = Value; }
  std::int32_t MemoryLimit() const { return FMemoryLimit; }
  void SetMemoryLimit(std::int32_t Value) { FMemoryLimit = Value; }

  TQRPrinterEvent OnApplyPrinterSettings;
  TQRPrinterEvent OnGetPrinterSettings;

private:
  class DevModeLock;
  void LoadDeviceNames();
  void ReadDevice(DEVMODEW& DevMode);
  void ReadSupportedPapers();
  void WriteDevice(DEVMODEW& DevMode);

  AnsiString FDevice;
  AnsiString FDriver;
  AnsiString FPort;
  HGLOBAL FDeviceMode = nullptr;
  DEVMODEW* FDevMode = nullptr;  // while locked
  TPrinter* FPrinter = nullptr;
  TQRPaperSize FPaperSize = TQRPaperSize::A4;
  TPrinterOrientation FOrientation = poPortrait;
  TQRBin FOutputBin = TQRBin::First;
  int FCopies = 1;
  bool FDuplex = false;
  int FExtendedDuplex = 0;
  bool FUseExtendedDuplex = false;
  int FCollate = 0;
  int FColorOption = 0;
  int FPrintQuality = 0;
  int FPixelsPerX = 0;
  int FPixelsPerY = 0;
  int FTopOffset = 0;
  int FLeftOffset = 0;
  int FPaperWidth = 0;
  int FPaperLength = 0;
  std::array<bool, QRPaperSizeCount> FSupported{};
  bool FSupportedPapersRead = false;
  bool FUseStandardPrinter = false;
  bool FPrintMetaFile = false;
  bool FUseCustomBinCode = false;
  int FCustomBinCode = 0;
  bool FUseCustomPaperCode = false;
  int FCustomPaperCode = 0;
  std::int32_t FMemoryLimit = 250000;
};

// A report's persistent printer wishes. The report's and the composite
// report's published settings derive from it and publish its members.
class TQRPrinterSettings : public TPersistent {
  DECLARE_CLASS(TQRPrinterSettings, TPersistent)

public:
  TQRPrinterSettings();
  void Assign(TPersistent* Source) override;

  int Copies() const { return FCopies; }
  void SetCopies(int Value) { FCopies = Value; }
  TQRBin OutputBin() const { return FOutputBin; }
  void SetOutputBin(TQRBin Value) { FOutputBin = Value; }
  bool Duplex() const { return FDuplex; }
  void SetDuplex(bool Value) { FDuplex = Value; }
  int FirstPage() const { return FFirstPage; }
  void SetFirstPage(int Value) { FFirstPage = Value; }
  int LastPage() const { return FLastPage; }
  void SetLastPage(int Value) { FLastPage = Value; }
  int PrinterIndex() const { return FPrinterIndex; }
  void SetPrinterIndex(int Value) { FPrinterIndex = Value; }
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& Value) { FTitle = Value; }
  TQRPaperSize PaperSize() const { return FPaperSize; }
  void SetPaperSize(TQRPaperSize Value) { FPaperSize = Value; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
  bool UseStandardprinter() const { return FUseStandardprinter; }
  void SetUseStandardprinter(bool Value) { FUseStandardprinter = Value; }
  bool UseCustomBinCode() const { return FUseCustomBinCode; }
  void SetUseCustomBinCode(bool Value) { FUseCustomBinCode = Value; }
  int CustomBinCode() const { return FCustomBinCode; }
  void SetCustomBinCode(int Value) { FCustomBinCode = Value; }
  int ExtendedDuplex() const { return FExtendedDuplex; }
  void SetExtendedDuplex(int Value) { FExtendedDuplex = Value; }
  bool UseCustomPaperCode() const { return FUseCustomPaperCode; }
  void SetUseCustomPaperCode(bool Value) { FUseCustomPaperCode = Value; }
  int CustomPaperCode() const { return FCustomPaperCode; }
  void SetCustomPaperCode(int Value) { FCustomPaperCode = Value; }
  bool PrintMetaFile() const { return FPrintMetaFile; }
  void SetPrintMetaFile(bool Value) { FPrintMetaFile = Value; }
  std::int32_t MemoryLimit() const { return FMemoryLimit; }
  void SetMemoryLimit(std::int32_t Value) { FMemoryLimit = Value; }
  int PrintQuality() const { return FPrintQuality; }
  void SetPrintQuality(int Value) { FPrintQuality = Value; }
  int Collate() const { return FCollate; }
  void SetCollate(int Value) { FCollate = Value; }
  int ColorOption() const { return FColorOption; }
  void SetColorOption(int Value) { FColorOption = Value; }

protected:
  int FCopies = 1;
  TQRBin FOutputBin = TQRBin::Auto;
  bool FDuplex = false;
  int FFirstPage = 0;
  int FLastPage = 0;
  int FPrinterIndex = -1;
  AnsiString FTitle;
  TQRPaperSize FPaperSize = TQRPaperSize::Letter;
  TPrinterOrientation FOrientation = poPortrait;
  bool FUseStandardprinter = false;
  bool FUseCustomBinCode = false;
  int FCustomBinCode = 0;
  int FExtendedDuplex = 0;
  bool FUseCustomPaperCode = false;
  int FCustomPaperCode = 0;
  bool FPrintMetaFile = false;
  std::int32_t FMemoryLimit = 250000;
  int FPrintQuality = 0;
  int FCollate = 0;
  int FColorOption = 0;
};
