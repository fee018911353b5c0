#include "app/filefailure.h"

#include "classlib/system/platformseam.h"

namespace {

// The system's error code behind a failure, 0 when it has none.
unsigned long ErrorCodeOf(const Exception& failure) {
  if (const auto* os = dynamic_cast<const EOSError*>(&failure))
    return os->ErrorCode;
  if (const auto* stream = dynamic_cast<const EStreamError*>(&failure))
    return stream->ErrorCode;
  if (const auto* io = dynamic_cast<const EInOutError*>(&failure))
    return io->ErrorCode;
  return 0;
}

// A read that found too few bytes or content it cannot take is a damaged
// file; a write that came up short has no such meaning.
bool IsDamagedContent(const Exception& failure) {
  return dynamic_cast<const EDamagedFileError*>(&failure) != nullptr ||
         dynamic_cast<const EReadError*>(&failure) != nullptr ||
         dynamic_cast<const EClassNotFound*>(&failure) != nullptr;
}

const char* ReasonOf(const Exception& failure) {
  const unsigned long code = ErrorCodeOf(failure);
  if (code != 0) {
    switch (platform::KindOfOsError(code)) {
    case platform::OsErrorKind::Missing:
      return "dosya ya da klasör bulunamadı";
    case platform::OsErrorKind::NoAccess:
      return "dosyaya erişim izni yok";
    case platform::OsErrorKind::DiskFull:
      return "diskte yer kalmadı";
    case platform::OsErrorKind::InUse:
      return "dosya başka bir program tarafından kullanılıyor";
    case platform::OsErrorKind::Other:
      break;
    }
  } else if (IsDamagedContent(failure)) {
    return "dosyanın içeriği bozuk";
  }
  return "beklenmeyen bir hata oluştu";
}

}  // namespace

AnsiString FileFailureText(const Exception& failure) {
  AnsiString text = ReasonOf(failure);
  if (!failure.Message.empty())
    text += " (" + failure.Message + ")";
  return text;
}
