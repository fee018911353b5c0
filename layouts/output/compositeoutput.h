// The output of a layout with several graphic report pages: one composite
// report runs them in component order as one document. The host hears
// BeforeReportPrint with the composite; the first page gives the preview
// its settings.
#pragma once
#include <functional>
#include <vector>

#include "classlib/system/ansistring.h"

class TQuickRep;
class TQRCompositeReport;
class TVtRapor;

// Pages: the layout's graphic pages, palette prototypes (tag -100) among
// them left out here. Member is called for each page added to a run (the
// runner sets its detail band's handler there); it may be empty.
void OutputCompositeGraphicReport(TQRCompositeReport& Composite, const std::vector<TQuickRep*>& Pages, TVtRapor& Rapor,
                                  const AnsiString& Mode, const std::function<void(TQuickRep&)>& Member = {});

// Which path a layout takes, by its graphic and text pages (prototypes not
// counted): one graphic page, several, one text page (graphic pages then
// ignored), several text pages; None without pages.
enum class TOutputPath { None, SingleGraphic, CompositeGraphic, SingleText, CompositeText };
TOutputPath ChooseOutputPath(int GraphicPages, int TextPages);
