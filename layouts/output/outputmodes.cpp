#include "layouts/output/outputmodes.h"

#include <memory>

#include "classlib/classes/streams.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"
#include "layouts/output/mailsender.h"
#include "layouts/output/pagepictures.h"
#include "layouts/output/pdfwriter.h"
#include "layouts/vtrapor.h"
#include "reportengine/printer/qrprinter.h"

namespace {

constexpr double PointsPerHundredthMillimetre = 72.0 / 2540.0;

// OutputFileName, else the save dialog's answer; "" when cancelled.
AnsiString OutputFile(TVtRapor& Rapor, const char* Filter, const char* Extension) {
  if (!Trim(Rapor.OutputFileName).empty())
    return Rapor.OutputFileName;
  TSaveDialog dialog(nullptr);
  dialog.SetFilter(Filter);
  dialog.SetDefaultExt(Extension);
  TOpenOptions options = dialog.Options();
  options << ofOverwritePrompt;
  dialog.SetOptions(options);
  return dialog.Execute() ? dialog.FileName() : AnsiString();
}

std::vector<std::uint8_t> FileContents(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  if (!bytes.empty())
    file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

// The page's size in hundredths of a millimetre, from its own metafile.
SIZE PageSize(TQRPrinter& Printer, int Page) {
  std::unique_ptr<TMetafile> metafile = Printer.GetPage(Page);
  if (!metafile)
    throw Exception("Rapor sayfası okunamadı.");
  return SIZE{metafile->MMWidth(), metafile->MMHeight()};
}

}  // namespace

TOutputMode OutputModeOf(const AnsiString& Mode) {
  if (Mode == "Preview")
    return TOutputMode::Preview;
  if (Mode == "Print")
    return TOutputMode::Print;
  if (Mode == "EMail")
    return TOutputMode::EMail;
  if (Mode == "PDF")
    return TOutputMode::PDF;
  if (Mode == "QRP")
    return TOutputMode::QRP;
  return TOutputMode::None;
}

AnsiString MainFormCaption() {
  TCustomForm* main = Application->MainForm();
  return main ? main->Caption() : Application->Title();
}

void RunOutputMode(const AnsiString& Mode, TOutputReport& Report, TVtRapor& Rapor) {
  const TOutputMode mode = OutputModeOf(Mode);
  switch (mode) {
    case TOutputMode::None:
      return;
    case TOutputMode::Preview:
      Report.Preview();
      return;
    case TOutputMode::Print:
      Report.Print();
      return;
    default:
      break;
  }
  if (Report.QRPrinter() == nullptr || Report.QRPrinter()->Status() != mpFinished)
    Report.Prepare();
  TQRPrinter* printer = Report.QRPrinter();
  if (printer == nullptr)
    return;  // the run was cancelled: nothing to write
  if (mode == TOutputMode::EMail)
    SendPagesByMail(*printer, Report.PageCount(), Rapor);
  else if (mode == TOutputMode::PDF)
    WritePagesToPdf(*printer, Report.PageCount(), Rapor);
  else
    SavePagesToPageStore(*printer, Rapor);
}

void SendPagesByMail(TQRPrinter& Printer, int PageCount, TVtRapor& Rapor) {
  TOutputRunFolder folder;
  AnsiString address;
  Rapor.DoGetMailAdress(address);
  if (!DialogService().InputQuery(MainFormCaption(), Rapor.Translate("Email Adresi"), address) || Trim(address).empty())
    return;
  TMailMessage message;
  message.Recipient = Trim(address);
  for (int page = 1; page <= PageCount; ++page) {
    const AnsiString metafile = folder.File(PagePictureName(page, ".wmf"));
    const AnsiString gif = folder.File(PagePictureName(page, ".Gif"));
    SavePageMetafile(Printer, page, metafile);
    MetafileFileToGif(metafile, gif);
    message.Attachments.push_back(gif);
  }
  MailSender().Send(message);
}

void WritePagesToPdf(TQRPrinter& Printer, int PageCount, TVtRapor& Rapor) {
  const AnsiString file = Trim(OutputFile(Rapor, "PDF Dosyalari (*.pdf)|*.pdf", "pdf"));
  if (file.empty())
    return;
  WritePdfFile(Printer, PageCount, file);
}

void WritePdfFile(TQRPrinter& Printer, int PageCount, const AnsiString& FileName) {
  TOutputRunFolder folder;
  ReplaceFileSafely(FileName, "pdf", [&](const AnsiString& temporary) {
    TFileStream stream(temporary, fmCreate);
    TPdfWriter pdf(stream);
    pdf.BeginDoc();
    for (int page = 1; page <= PageCount; ++page) {
      const AnsiString metafile = folder.File(PagePictureName(page, ".wmf"));
      const AnsiString jpeg = folder.File(PagePictureName(page, ".jpg"));
      SavePageMetafile(Printer, page, metafile);
      MetafileFileToJpeg(metafile, jpeg);
      const SIZE size = PageSize(Printer, page);
      const double width = size.cx * PointsPerHundredthMillimetre, height = size.cy * PointsPerHundredthMillimetre;
      pdf.NewPage(width, height);
      pdf.DrawJpeg(FileContents(jpeg), TPdfRect{0, 0, width, height});
      DeleteFile(metafile);
      DeleteFile(jpeg);
    }
    pdf.EndDoc();
  });
}

void SavePagesToPageStore(TQRPrinter& Printer, TVtRapor& Rapor) {
  const AnsiString file = Trim(OutputFile(Rapor, "QRP Dosyalari (*.qrp)|*.qrp", "qrp"));
  if (!file.empty())
    Printer.Save(file);
}
