#include "support/rave/win/rvsystem.h"

#include <memory>

#include "classlib/controls/controlmaking.h"
#include "classlib/forms/application.h"
#include "classlib/printers/printers.h"
#include "classlib/printers/spooler.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/printer/qrprinter.h"
#include "support/rave/win/raverender.h"

namespace {

// The status window: one line telling which page is being made.
class TRvStatusWindow {
public:
  explicit TRvStatusWindow(const AnsiString& caption) : form_(new TForm(nullptr)) {
    form_->SetCaption(caption);
    form_->SetBorderStyle(bsDialog);
    form_->SetClientWidth(260);
    form_->SetClientHeight(50);
    form_->SetPosition(poScreenCenter);
    label_ = MakeControlAt<TLabel>(form_.get(), form_.get(), "StatusLabel", 16, 16, 228, 16);
    form_->Show();
  }
  ~TRvStatusWindow() { form_->Hide(); }
  void Tell(const AnsiString& text) {
    label_->SetCaption(text);
    form_->Update();
  }

private:
  std::unique_ptr<TForm> form_;
  TLabel* label_ = nullptr;
};

// The paper code and size (0.1 mm) of the current printer's paper of that name.
bool FindRavePaper(const AnsiString& name, WORD& code, POINT& size) {
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  Printer().GetPrinter(device, driver, port, mode);
  const std::vector<AnsiString> names = Spooler().PaperNames(device, port);
  const std::vector<WORD> codes = Spooler().Papers(device, port);
  const std::vector<POINT> sizes = Spooler().PaperSizes(device, port);
  for (std::size_t i = 0; i < names.size() && i < codes.size(); ++i)
    if (names[i] == name) {
      code = codes[i];
      size = i < sizes.size() ? sizes[i] : POINT{0, 0};
      return true;
    }
  return false;
}

}  // namespace

AnsiString RaveStatusText(const AnsiString& format, int page) {
  AnsiString text = format;
  const auto at = text.find("%p");
  if (at != AnsiString::npos)
    text.replace(at, 2, std::to_string(page));
  return text;
}

void TRvSystem::PreparePrinter(TQRPrinter& printer, int printerIndex, int copies) {
  if (printerIndex >= 0)
    printer.SetPrinterIndex(printerIndex);
  TPrinterSettings& settings = printer.Settings();
  settings.SetOrientation(Orientation);
  settings.SetCopies(copies < 1 ? 1 : copies);
  WORD code = 0;
  POINT size{};
  if (paperName_.empty() || !printer.PrintersAvailable() || !FindRavePaper(paperName_, code, size))
    return;
  if (code >= 1 && code < static_cast<WORD>(TQRPaperSize::Custom)) {
    settings.SetPaperSize(static_cast<TQRPaperSize>(code));
  } else if (size.x > 0 && size.y > 0) {
    settings.SetPaperSize(TQRPaperSize::Custom);
    settings.SetPaperWidth(size.x);
    settings.SetPaperLength(size.y);
    settings.SetUseCustomPaperCode(true);
    settings.SetCustomPaperCode(code);
  }
}

void TRvSystem::PageSize(double& width, double& height) {
  TQRPrinter printer(nullptr);
  PreparePrinter(printer, -1, 1);
  width = printer.PaperWidth() / 254.0;
  height = printer.PaperLength() / 254.0;
  if (width <= 0 || height <= 0) {
    // No printer tells a size: A4.
    width = 210 / 25.4;
    height = 297 / 25.4;
    if (Orientation == poLandscape)
      std::swap(width, height);
  }
}

bool TRvSystem::RunSetupWindow(TRvSetup& setup) {
  if (AskSetup)
    return AskSetup(setup);
  TRvSetupForm form(nullptr, TitleSetup, setup);
  if (form.ShowModal() != mrOk)
    return false;
  setup = form.Setup();
  return true;
}

void TRvSystem::RunPreviewWindow(TQRPrinter& printer) {
  if (ShowPreview) {
    ShowPreview(printer);
    return;
  }
  auto* form = NewForm<TQRStandardPreview>(Application, &printer);
  form->SetCaption(TitlePreview);
  if (PreviewMaximised)
    form->SetWindowState(wsMaximized);
  form->QRPreview->SetZoom(PreviewZoom);
  form->UpdateStatus();
  form->ShowModal();
}

void TRvSystem::MakePages(TQRPrinter& printer, const std::vector<TRavePage*>& pages, const AnsiString& status) {
  TRvStatusWindow window(TitleStatus);
  printer.BeginDoc();
  try {
    for (std::size_t i = 0; i < pages.size(); ++i) {
      window.Tell(RaveStatusText(status, static_cast<int>(i + 1)));
      printer.NewPage();
      DrawRavePage(printer, *pages[i]);
    }
  } catch (...) {
    printer.AbortDoc();
    throw;
  }
  printer.EndDoc();
}

void TRvSystem::Execute(const TRaveProject& project, const AnsiString& reportName) {
  TRvSetup setup = DefaultSetup;
  if (!RunSetupWindow(setup))
    return;
  const std::vector<TRavePage*> pages = project.PageChain(reportName);
  auto printer = std::make_unique<TQRPrinter>(nullptr);
  printer->Title = JobTitle;
  PreparePrinter(*printer, setup.PrinterIndex, setup.Copies);
  if (setup.Destination == TRvDestination::Printer) {
    printer->ApplyDestination(qrdPrinter);
    MakePages(*printer, pages, StatusPrinting);
    return;
  }
  printer->ApplyDestination(qrdMetafile);
  MakePages(*printer, pages, StatusFormat);
  RunPreviewWindow(*printer);
}
