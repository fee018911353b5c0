#include "textreport/core/zrescapestream.h"

#include "textreport/core/zrescape.h"
#include "textreport/core/zrescapetext.h"

TZREscapeStream::TZREscapeStream(TStream* Target, const TZREscapes* Escapes) : TZStringStream(Target) {
  if (Escapes != nullptr)
    FStrings = Escapes->Strings();
}

AnsiString TZREscapeStream::Translate(const AnsiString& S) const {
  AnsiString bytes;
  AnsiString visible;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (!IsEscapeAt(S, static_cast<int>(i) + 1)) {
      visible += S[i];
      continue;
    }
    bytes += ToTarget(visible);
    visible.clear();
    bytes += FStrings[EscapeIndexOfLetter(S[i + 1])];
    ++i;
  }
  return bytes + ToTarget(visible);
}

void TZREscapeStream::WriteString(const AnsiString& S) {
  const AnsiString bytes = Translate(S);
  if (bytes.empty())
    return;
  const auto count = static_cast<std::int32_t>(bytes.size());
  if (WriteRaw(bytes.data(), count) != count && Target() != nullptr)
    throw EWriteError("Stream write error");
}

void TZREscapeStream::WriteLn(const AnsiString& S) { WriteString(S + "\r\n"); }

int TZREscapeStream::StringAt(const AnsiString& S, std::size_t I) const {
  for (int code = 0; code < ZREscapeCount; ++code) {
    const AnsiString& bytes = FStrings[code];
    if (!bytes.empty() && S.compare(I, bytes.size(), bytes) == 0)
      return code;
  }
  return -1;
}

bool TZREscapeStream::ReadLn(AnsiString& S) {
  AnsiString raw;
  if (!ReadRawLine(raw))
    return false;
  S.clear();
  AnsiString visible;
  for (std::size_t i = 0; i < raw.size();) {
    const int code = StringAt(raw, i);
    if (code < 0) {
      visible += raw[i++];
      continue;
    }
    S += FromTarget(visible);
    visible.clear();
    S += EscapeText(static_cast<TZREscapeCode>(code));
    i += FStrings[code].size();
  }
  S += FromTarget(visible);
  return true;
}
