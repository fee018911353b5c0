#include "layouts/output/outputreports.h"

#include "reportengine/composite/qrcomposite.h"
#include "reportengine/report/quickrep.h"

void TQuickRepOutput::Prepare() { report_.Prepare(); }

int TQuickRepOutput::PageCount() { return report_.QRPrinter() ? report_.QRPrinter()->PageCount() : 0; }

TQRPrinter* TQuickRepOutput::QRPrinter() { return report_.QRPrinter(); }

void TQuickRepOutput::Preview() { report_.PreviewModal(); }

void TQuickRepOutput::Print() { report_.Print(); }

void TCompositeOutput::Prepare() { composite_.Prepare(); }

int TCompositeOutput::PageCount() { return composite_.QRPrinter() ? composite_.QRPrinter()->PageCount() : 0; }

TQRPrinter* TCompositeOutput::QRPrinter() { return composite_.QRPrinter(); }

void TCompositeOutput::Preview() { composite_.Preview(); }

void TCompositeOutput::Print() { composite_.Print(); }
