// The tools menu's record file: records of 380 bytes one after another, no
// header. Each record holds an entry of the tools menu:
//
//   offset  size  field
//        0   101  Caption: a length byte (0-100), then the text (code page 1254)
//      101   101  Hint: a length byte, up to 100 bytes
//      202     2  unused (written as zeros)
//      204     4  ImageIndex: signed 32-bit, little-endian
//      208    21  ShortCut in its text form ("Ctrl+F5"): a length byte, up to 20 bytes
//      229   151  FileName: a length byte, up to 150 bytes
//
// Bytes after a text's length mean nothing. A text longer than its field is
// cut when written; a length byte larger than its field reads only the
// field. A file holds size div 380 records; a shorter tail is ignored.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/system/ansistring.h"

inline constexpr std::size_t AraclarRecordSize = 380;
// More records than any tools menu holds: such a file is not a tools file.
inline constexpr std::int64_t AraclarMaxRecords = 1000;

struct TAraclarRecord {
  AnsiString Caption;
  AnsiString Hint;
  std::int32_t ImageIndex = -1;
  AnsiString ShortCut;
  AnsiString FileName;
  bool operator==(const TAraclarRecord&) const = default;
};

// The 380 bytes of one record.
std::vector<std::uint8_t> EncodeAraclarRecord(const TAraclarRecord& Record);
// One record from its 380 bytes.
TAraclarRecord DecodeAraclarRecord(const std::uint8_t* Bytes);
// The whole records of a file's bytes.
std::vector<TAraclarRecord> DecodeAraclarRecords(const std::uint8_t* Data, std::size_t Size);

// Reads a tools file. Raises EInOutError (or a stream error) when the file
// cannot be read, and EInOutError for a file too large to be a tools file.
std::vector<TAraclarRecord> ReadAraclarFile(const AnsiString& FileName);
// Writes the records as the whole file, through a temporary file that then
// replaces it, so a failed write leaves the old file. Raises on failure with
// the file's name and the reason.
void WriteAraclarFile(const AnsiString& FileName, const std::vector<TAraclarRecord>& Records);
