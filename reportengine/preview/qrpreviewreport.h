// What the standard preview asks of the report whose pages it shows.
//
// The preview finds the report through its printer object: the object's
// parent report (TQRPrinter::ParentReport) implements this interface when it
// is a report that can be previewed. A printer object without one (pages
// loaded from a page store, a printer object made on its own) gets the
// preview's defaults: maximised, thumbnails and search shown, zoom 100.
#pragma once
#include "classlib/forms/forms.h"
#include "classlib/printers/printerorientation.h"
#include "reportengine/preview/qrpreview.h"

class TQRPrinterSettings;

// The report's wishes for its preview window.
struct TQRPreviewOptions {
  TFormStyle FormStyle = fsNormal;     // PrevFormStyle
  int Width = 500;                     // PreviewWidth
  int Height = 500;                    // PreviewHeight
  TWindowState InitialState = wsNormal;  // PreviewInitialState
  bool ShowThumbs = true;              // PrevShowThumbs
  bool ShowSearch = true;              // PrevShowSearch
  TQRZoomState InitialZoom = qrZoomToFit;  // PrevInitialZoom
  int Zoom = 100;                      // the report's Zoom, used with qrZoomOther
  AnsiString Title;                    // ReportTitle
  TPrinterOrientation Orientation = poPortrait;  // the page setup's orientation
};

class IQRPreviewReport {
public:
  virtual ~IQRPreviewReport() = default;

  virtual TQRPreviewOptions PreviewOptions() const = 0;
  // The report runs again straight onto the printer (the preview's print
  // command while its pages came from this report's own run).
  virtual void PrintAgain() = 0;
  // Runs the report's printer set-up dialog. True when it was confirmed
  // (the report's Tag 0); false when cancelled (Tag 1). A confirmed dialog
  // leaves its choice in PrintSetupSettings.
  virtual bool ExecutePrintSetup() = 0;
  // The last confirmed set-up choice: printer index, output bin, bin code
  // (CustomBinCode), duplex and duplex code (ExtendedDuplex), collate,
  // colour option, print quality, copies, first and last page.
  virtual const TQRPrinterSettings& PrintSetupSettings() const = 0;
  // The report's own switch for printing to the custom bin code.
  virtual bool UseCustomBinCode() const = 0;
  // The report keeps the confirmed choice for its later runs: a member of a
  // composite report gives it to the composite's printer settings; any
  // other report to its own PrinterSettings, unless the pages shown came
  // from a page store (PagesFromStore).
  virtual void KeepPrintSetup(bool PagesFromStore) = 0;
};
