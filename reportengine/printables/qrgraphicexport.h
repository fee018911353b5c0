// What an export filter takes from the graphic printables. While a report
// runs into an export filter its pages are not drawn; a shape or an image
// is handed to the filter instead, at the device position of its top-left
// corner, and the filter decides what to make of it.
//
// A report that exports offers the filter through IQRGraphicExportSource;
// a report that offers none (or answers nullptr) takes no hand-off.
#pragma once
#include "reportengine/report/qrbasepanel.h"
#include "reportengine/report/qrprintable.h"

class TGraphic;
class TQRShape;

class IQRGraphicExport {
public:
  virtual ~IQRGraphicExport() = default;
  virtual void AcceptShape(TQRShape& Shape, int X, int Y) = 0;
  // Picture is what the image prints (nullptr when it holds none).
  virtual void AcceptGraphic(TQRPrintable& Printable, TGraphic* Picture, int X, int Y) = 0;
};

class IQRGraphicExportSource {
public:
  virtual ~IQRGraphicExportSource() = default;
  // The filter of the export in progress, or nullptr.
  virtual IQRGraphicExport* GraphicExport() = 0;
};

// The filter the printable's report exports into now, or nullptr.
inline IQRGraphicExport* QRGraphicExportOf(TQRPrintable& Printable) {
  auto* source = dynamic_cast<IQRGraphicExportSource*>(Printable.ParentReport());
  return source != nullptr ? source->GraphicExport() : nullptr;
}
