#include "textreport/core/zstreams.h"

#include "classlib/system/codepage.h"

// ---- TZStreamWrapper ---------------------------------------------------------

std::int32_t TZStreamWrapper::Read(void* Buffer, std::int32_t Count) { return ReadRaw(Buffer, Count); }

std::int32_t TZStreamWrapper::Write(const void* Buffer, std::int32_t Count) { return WriteRaw(Buffer, Count); }

std::int64_t TZStreamWrapper::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  return FTarget != nullptr ? FTarget->Seek(Offset, Origin) : 0;
}

std::int32_t TZStreamWrapper::ReadRaw(void* Buffer, std::int32_t Count) {
  return FTarget != nullptr ? FTarget->Read(Buffer, Count) : 0;
}

std::int32_t TZStreamWrapper::WriteRaw(const void* Buffer, std::int32_t Count) {
  return FTarget != nullptr ? FTarget->Write(Buffer, Count) : 0;
}

// ---- TZOEMStream -------------------------------------------------------------

AnsiString TZOEMStream::ToTarget(const AnsiString& Text) const { return OEMConvert ? AnsiToOem(Text) : Text; }

AnsiString TZOEMStream::FromTarget(const AnsiString& Text) const { return OEMConvert ? OemToAnsi(Text) : Text; }

std::int32_t TZOEMStream::Write(const void* Buffer, std::int32_t Count) {
  if (!OEMConvert || Count <= 0)
    return WriteRaw(Buffer, Count);
  // The superscripts two and three stand for the dotless capital I and the
  // dotted small i of old Turkish fonts: they print as those letters. The
  // mapping works on a copy; the caller's buffer stays as it was. Both code
  // pages are single-byte, so the converted copy has Count bytes.
  AnsiString text(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count));
  for (char& ch : text) {
    if (static_cast<unsigned char>(ch) == 0xB2)
      ch = 'I';
    else if (static_cast<unsigned char>(ch) == 0xB3)
      ch = 'i';
  }
  const AnsiString converted = AnsiToOem(text);
  return WriteRaw(converted.data(), static_cast<std::int32_t>(converted.size()));
}

std::int32_t TZOEMStream::Read(void* Buffer, std::int32_t Count) {
  if (!OEMConvert || Count <= 0)
    return ReadRaw(Buffer, Count);
  AnsiString raw(static_cast<std::size_t>(Count), '\0');
  const std::int32_t got = ReadRaw(raw.data(), Count);
  if (got <= 0)
    return got;
  raw.resize(static_cast<std::size_t>(got));
  const AnsiString converted = OemToAnsi(raw);
  converted.copy(static_cast<char*>(Buffer), converted.size());
  return static_cast<std::int32_t>(converted.size());
}

// ---- TZStringStream ----------------------------------------------------------

void TZStringStream::WriteString(const AnsiString& S) {
  if (S.empty())
    return;
  // A target that takes less than everything (a full disk) is an error, not
  // a silently shorter report.
  const auto count = static_cast<std::int32_t>(S.size());
  if (Write(S.data(), count) != count && Target() != nullptr)
    throw EWriteError("Stream write error");
}

void TZStringStream::WriteLn(const AnsiString& S) { WriteString(S + "\r\n"); }

bool TZStringStream::ReadLn(AnsiString& S) {
  if (!ReadRawLine(S))
    return false;
  S = FromTarget(S);
  return true;
}

bool TZStringStream::ReadRawLine(AnsiString& S) {
  S.clear();
  char c = 0;
  if (ReadRaw(&c, 1) != 1)
    return false;
  while (true) {
    if (c == '\n')
      return true;
    if (c == '\r') {
      char next = 0;
      if (ReadRaw(&next, 1) == 1 && next != '\n')
        Seek(-1, soCurrent);
      return true;
    }
    S += c;
    if (ReadRaw(&c, 1) != 1)
      return true;
  }
}
