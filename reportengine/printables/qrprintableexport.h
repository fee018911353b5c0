// The export filter a graphic printable hands itself to: the filter of the
// report's export run in progress, or none. While a report exports, its
// pages are not drawn; shapes and pictures go to the filter instead, at
// their top-left corner on the page in 0.1 mm, as the engine's filters take
// every position.
#pragma once
#include "reportengine/report/qrexportfilter.h"
#include "reportengine/report/qrprintable.h"
#include "reportengine/report/quickrep.h"

inline IQRExportFilter* QRExportFilterOf(TQRPrintable& Printable) {
  auto* report = dynamic_cast<TCustomQuickRep*>(Printable.ParentReport());
  return report != nullptr && report->Exporting() ? report->ExportFilter() : nullptr;
}
