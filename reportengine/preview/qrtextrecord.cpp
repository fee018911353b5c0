#include "reportengine/preview/qrtextrecord.h"

#include <cstring>
#include <string>

#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

namespace {

constexpr std::size_t kTypeOffset = 0;
constexpr std::size_t kCountOffset = 44;
constexpr std::size_t kStringOffsetOffset = 48;
constexpr std::size_t kFixedPart = kStringOffsetOffset + 4;

std::uint32_t ReadU32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// True when `count` units of `unit` bytes from `offset` lie inside `size`
// bytes (computed without overflow).
bool Fits(std::uint64_t offset, std::uint64_t count, std::uint64_t unit, std::size_t size) {
  return offset <= size && count <= (size - offset) / unit;
}

// Upper case with the four i letters made one.
AnsiString Folded(std::string_view text) {
  AnsiString folded = AnsiUpperCase(text);
  for (char& c : folded)
    if (c == '\xDD' || c == '\xFD')  // İ, ı
      c = 'I';
  return folded;
}

}  // namespace

AnsiString EmfRecordText(const std::uint8_t* record, std::size_t size) {
  if (record == nullptr || size < kFixedPart)
    return AnsiString();
  const std::uint32_t type = ReadU32(record + kTypeOffset);
  if (type != kEmrExtTextOutA && type != kEmrExtTextOutW)
    return AnsiString();
  const std::uint32_t count = ReadU32(record + kCountOffset);
  const std::uint32_t offset = ReadU32(record + kStringOffsetOffset);
  const std::uint64_t unit = type == kEmrExtTextOutW ? 2 : 1;
  if (!Fits(offset, count, unit, size))
    return AnsiString();
  const std::uint8_t* text = record + offset;
  if (type == kEmrExtTextOutA)
    return AnsiString(reinterpret_cast<const char*>(text), count);
  std::u16string wide(count, u'\0');
  for (std::uint32_t i = 0; i < count; ++i)
    wide[i] = static_cast<char16_t>(text[2 * i] | text[2 * i + 1] << 8);
  return Utf16ToAnsi(wide);
}

TMetafileTextMatcher::TMetafileTextMatcher(std::string_view text, bool matchCase)
    : text_(matchCase ? AnsiString(text) : Folded(text)), matchCase_(matchCase) {}

bool TMetafileTextMatcher::RecordMatches(const std::uint8_t* record, std::size_t size) const {
  if (text_.empty())
    return false;
  const AnsiString text = EmfRecordText(record, size);
  if (text.empty())
    return false;
  return AnsiPos(text_, matchCase_ ? text : Folded(text)) > 0;
}
