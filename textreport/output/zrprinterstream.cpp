#include "textreport/output/zrprinterstream.h"

#include "classlib/printers/printers.h"
#include "textreport/core/zrconst.h"
#include "textreport/output/zrprntr.h"

TZRPrinterStream::TZRPrinterStream(TPrinter& Printer, const AnsiString& Title) {
  AnsiString driver, port;
  HGLOBAL mode = nullptr;
  Printer.GetPrinter(FPrinterName, driver, port, mode);
  FHandle = Spooler().OpenPrinter(FPrinterName);
  if (FHandle == 0)
    Fail("Yazıcı açılamadı");
  if (Spooler().StartDocPrinter(FHandle, Title, "RAW") == 0)
    Fail("Yazdırma işi başlatılamadı");
  FDocStarted = true;
  if (!Spooler().StartPagePrinter(FHandle))
    Fail("Sayfa başlatılamadı");
  FPageStarted = true;
}

TZRPrinterStream::~TZRPrinterStream() { Close(); }

void TZRPrinterStream::Close() {
  if (FHandle == 0)
    return;
  if (FPageStarted)
    Spooler().EndPagePrinter(FHandle);
  if (FDocStarted)
    Spooler().EndDocPrinter(FHandle);
  Spooler().ClosePrinter(FHandle);
  FHandle = 0;
  FPageStarted = FDocStarted = false;
}

void TZRPrinterStream::Fail(const char* What, bool AbortJob) {
  const DWORD error = ::GetLastError();
  // A job cut short is deleted rather than printed in part; where the
  // spooler cannot delete it, it is ended like any other.
  if (AbortJob && FDocStarted && Spooler().AbortPrinter(FHandle))
    FPageStarted = FDocStarted = false;
  Close();
  AnsiString reason = error != 0 ? SysErrorMessage(error) : AnsiString();
  throw EZRError(AnsiString(What) + ": \"" + FPrinterName + "\"" + (reason.empty() ? "" : " (" + reason + ")"));
}

std::int32_t TZRPrinterStream::Read(void*, std::int32_t) { return 0; }

std::int64_t TZRPrinterStream::Seek(std::int64_t, TSeekOrigin) { return FWritten; }

std::int32_t TZRPrinterStream::Write(const void* Buffer, std::int32_t Count) {
  if (Count <= 0)
    return 0;
  DWORD written = 0;
  if (!Spooler().WritePrinter(FHandle, Buffer, static_cast<DWORD>(Count), written) ||
      written != static_cast<DWORD>(Count))
    Fail("Yazıcıya gönderilemedi", true);
  FWritten += written;
  return static_cast<std::int32_t>(written);
}

// ---- The document's ways out that need the spooler ----------------------------------------
void TZRPrinter::PrintToPrinter(TPrinter& Printer) {
  CheckState(TZRDocumentState::Done);
  TZRPrinterStream stream(Printer, FReport->FetchTitle());
  FReport->DoPrintStart();
  WriteToStream(stream);
  FReport->DoPrintFinish();
}

void TZRPrinter::Output() {
  if (Options().Destination() == zrdFile)
    SaveToFile(Options().FileName());
  else
    PrintToPrinter(::Printer());
}
