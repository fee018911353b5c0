// The output system of the sheet report's library: it runs a report of a
// project. Its setup window asks for preview or printer, the printer and
// the copies; a status window shows the page being made ("%p" in the status
// texts stands for the page number); pages are drawn through the banded
// engine's printer object, then shown in its standard preview or printed.
//
// The printer device is the platform printer: its paper names, and the
// paper selected by name, decide the size of the report's pages.
#pragma once
#include <functional>

#include "classlib/printers/printerorientation.h"
#include "support/rave/raveproject.h"
#include "support/rave/win/rvsetupform.h"

class TQRPrinter;

class TRvSystem {
public:
  AnsiString TitleSetup = "Output Options";
  AnsiString TitleStatus = "Report Status";
  AnsiString TitlePreview = "Report Preview";
  AnsiString StatusFormat = "Generating page %p";
  AnsiString StatusPrinting = "Printing page %p";
  AnsiString JobTitle = "ReportPrinter Report";
  TPrinterOrientation Orientation = poPortrait;
  // The preview: maximised, at this zoom (percent).
  bool PreviewMaximised = true;
  int PreviewZoom = 100;
  TRvSetup DefaultSetup;

  // The paper the pages take: "" keeps the printer's own.
  void SelectPaper(const AnsiString& name) { paperName_ = name; }
  // The page's width and height in inches for the current printer, the
  // paper and the orientation.
  void PageSize(double& width, double& height);

  // Runs the report: the setup window (Cancel ends here), then the pages to
  // the preview or to the printer.
  void Execute(const TRaveProject& project, const AnsiString& reportName);

  // Seams for tests: the setup answer (false: cancelled) and the preview
  // (the printer object holds the finished pages). The defaults show the
  // windows.
  std::function<bool(TRvSetup& setup)> AskSetup;
  std::function<void(TQRPrinter& printer)> ShowPreview;

private:
  bool RunSetupWindow(TRvSetup& setup);
  void RunPreviewWindow(TQRPrinter& printer);
  void PreparePrinter(TQRPrinter& printer, int printerIndex, int copies);
  void MakePages(TQRPrinter& printer, const std::vector<TRavePage*>& pages, const AnsiString& status);

  AnsiString paperName_;
};

// "Generating page %p" with the page number in place of "%p".
AnsiString RaveStatusText(const AnsiString& format, int page);
