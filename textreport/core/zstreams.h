// The stream chain a text report's output passes through: a forwarding
// wrapper, the OEM conversion and line-oriented text (the escape translation
// builds on these, zrescapestream.h).
#pragma once
#include <cstdint>

#include "classlib/classes/streams.h"
#include "classlib/system/ansistring.h"

// Passes Read, Write and Seek straight to a target stream it does not own;
// without a target they answer 0.
class TZStreamWrapper : public TStream {
public:
  explicit TZStreamWrapper(TStream* Target) : FTarget(Target) {}

  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

  TStream* Target() const { return FTarget; }

protected:
  // Bytes to and from the target as they are, whatever a descendant converts.
  std::int32_t ReadRaw(void* Buffer, std::int32_t Count);
  std::int32_t WriteRaw(const void* Buffer, std::int32_t Count);

private:
  TStream* FTarget;
};

// Converts text between the system's code page and the machine's OEM code
// page on its way to and from the target, when OEMConvert is on. The caller's
// buffer is never changed: a copy is converted.
class TZOEMStream : public TZStreamWrapper {
public:
  using TZStreamWrapper::TZStreamWrapper;

  // Writes the OEM form of the bytes; answers what the target wrote.
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  // Reads OEM bytes and answers them in the system's code page.
  std::int32_t Read(void* Buffer, std::int32_t Count) override;

  bool OEMConvert = false;

protected:
  // The visible text as the target receives it, and back.
  AnsiString ToTarget(const AnsiString& Text) const;
  AnsiString FromTarget(const AnsiString& Text) const;
};

// Line-oriented text over the chain: lines end with CR LF when written, and
// with CR LF, CR or LF when read.
class TZStringStream : public TZOEMStream {
public:
  using TZOEMStream::TZOEMStream;

  // Answers False when the stream was already at its end; S is the line
  // without its ending, however long.
  virtual bool ReadLn(AnsiString& S);
  virtual void WriteLn(const AnsiString& S);
  virtual void WriteString(const AnsiString& S);

protected:
  // The next line's bytes as the target holds them (no conversion).
  bool ReadRawLine(AnsiString& S);
};
