// TZREscapeStream: the last link of a text report's output chain. Lines and
// strings written through it have their escape codes replaced by a printer
// model's byte strings; the visible text between them takes the OEM
// conversion when it is on, the printer's bytes never do.
#pragma once
#include "textreport/core/zrescapecodes.h"
#include "textreport/core/zstreams.h"

class TZREscapes;

class TZREscapeStream : public TZStringStream {
public:
  // Keeps a copy of the escape strings (none: every code writes nothing).
  TZREscapeStream(TStream* Target, const TZREscapes* Escapes);

  // Reads a line and turns the printer's byte strings back into codes.
  bool ReadLn(AnsiString& S) override;
  void WriteLn(const AnsiString& S) override;
  void WriteString(const AnsiString& S) override;

  // The bytes S becomes on the target: one scan from the left, each code
  // replaced by its string exactly once.
  AnsiString Translate(const AnsiString& S) const;

private:
  // The code whose string starts at S[I] (first in code order), or -1.
  int StringAt(const AnsiString& S, std::size_t I) const;

  TZREscapeStrings FStrings;
};
