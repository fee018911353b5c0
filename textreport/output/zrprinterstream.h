// TZRPrinterStream: a raw print job on a printer of the spooler. Bytes
// written to it go to the printer as they are (data type "RAW"); freeing it
// ends the job. A printer that cannot be opened, a job or page that cannot
// be started and a short write raise EZRError naming the printer and the
// system's reason, so nothing is reported as printed that was not. A job cut
// short by a failed write is deleted, so a second try prints it whole once.
#pragma once
#include "classlib/classes/streams.h"
#include "classlib/printers/spooler.h"

class TPrinter;

class TZRPrinterStream : public TStream {
public:
  TZRPrinterStream(TPrinter& Printer, const AnsiString& Title);
  ~TZRPrinterStream() override;

  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

  const AnsiString& PrinterName() const { return FPrinterName; }

private:
  // Closes the printer (deleting the job when AbortJob) and raises EZRError.
  [[noreturn]] void Fail(const char* What, bool AbortJob = false);
  void Close();

  AnsiString FPrinterName;
  TSpoolerHandle FHandle = 0;
  bool FPageStarted = false;
  bool FDocStarted = false;
  std::int64_t FWritten = 0;
};
