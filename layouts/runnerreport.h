// What the report runner asks of the banded engine's pages and bands: the
// detail band of a page, the report a band or printable belongs to, the
// invoice settings of a page's hint, band heights, page breaks, printer
// settings and the prepared pages.
#pragma once
#include <functional>

#include "reportengine/report/quickrep.h"

class TDataSet;

// The first detail band of the page, or nil.
TQRCustomBand* DetailBandOf(TQuickRep& Page);
// The band the detail band links to, or nil.
TQRCustomBand* LinkedBand(TQRCustomBand& Band);
// The graphic page a band belongs to, or nil.
TQuickRep* ReportOfBand(TQRCustomBand& Band);
// The graphic page a control sits on (through its parents), or nil.
TQuickRep* PageOfControl(TControl* Control);
TDataSet* ReportDataSet(TQuickRep& Page);
int PageColumns(TQuickRep& Page);

// An invoice page's line items: HAREKETSAYISI lines per page (10 when
// missing, not a number or below 1) in an area of HAREKETALANIYUKSEKLIK
// millimetres (100 when missing, not a number or not above 0), so a line is
// area / count x 10 tenths of a millimetre high.
struct TInvoiceSettings {
  int LinesPerPage = 10;
  double LineHeight = 100;
};
TInvoiceSettings InvoiceSettingsOf(TComponent& Page);

// The band, and the band linked to it, become Height tenths of a
// millimetre high (the unit of band sizes during a run).
void SetInvoiceLineHeight(TQRCustomBand& Band, double Height);

void StartNewPage(TQuickRep& Page);
int CountReportRecords(TQuickRep& Page);
// The page number of the run that prints the printable (0 outside a run).
int CurrentPageNumberOf(TComponent* Printable);

void SetPagePrinter(TQuickRep& Page, int PrinterIndex, int Copies);
// A composite report's printer settings, when its class publishes them:
// printer, copies and the first page's orientation.
void SetCompositePrinter(TComponent& Composite, TQuickRep& FirstPage, int PrinterIndex, int Copies);
// Adds a member report to a composite report's list. The composite report
// class installs how (InstallCompositeMemberAdder); until it does, a
// composite run has no members and the runner says so.
using TCompositeMemberAdder = std::function<void(TComponent& Composite, TQuickRep& Page)>;
TCompositeMemberAdder InstallCompositeMemberAdder(TCompositeMemberAdder Adder);
void AddCompositeMember(TComponent& Composite, TQuickRep& Page);

// Runs the page into its page store, with the data set's controls disabled.
void PreparePage(TQuickRep& Page);
int PreparedPageCount(TQuickRep& Page);
