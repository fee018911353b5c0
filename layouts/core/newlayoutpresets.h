// The presets of the designer's invoice layouts: the margins, band heights
// and page-hint values a new invoice page starts with. Graphic invoice pages
// measure in millimetres, text invoice pages in characters and lines.
#pragma once
#include "classlib/system/ansistring.h"

struct TInvoicePreset {
  int Margin;        // every side
  int PageHeader;    // 0: no page header band
  int ColumnHeader;  // 0: no column header band
  int Detail;
  int PageFooter;    // 0: no page footer band
  // The page-hint values: where the line items start, their area's height
  // and how many fit on a page.
  int HareketBaslangic;
  int HareketAlaniYukseklik;
  int HareketSayisi;
};

inline constexpr TInvoicePreset GraphicInvoicePreset{5, 70, 0, 200, 0, 75, 200, 40};
inline constexpr TInvoicePreset TextInvoicePreset{1, 0, 15, 35, 10, 16, 35, 35};

// The page hint of an invoice page made from Preset: its three lines in a
// fixed order, meant to replace whatever the hint held.
AnsiString InvoicePageHint(const TInvoicePreset& Preset);
