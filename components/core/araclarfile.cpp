#include "components/core/araclarfile.h"

#include <algorithm>
#include <cstring>

#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"

namespace {

// A length-prefixed text field: where it starts and how many text bytes it holds.
struct TAraclarTextField {
  std::size_t Offset;
  std::size_t Capacity;
};
constexpr TAraclarTextField AraclarCaptionField{0, 100};
constexpr TAraclarTextField AraclarHintField{101, 100};
constexpr std::size_t AraclarImageIndexOffset = 204;
constexpr TAraclarTextField AraclarShortCutField{208, 20};
constexpr TAraclarTextField AraclarFileNameField{229, 150};

void PutAraclarText(std::uint8_t* Record, TAraclarTextField Field, const AnsiString& Text) {
  const std::size_t length = std::min(Text.size(), Field.Capacity);
  Record[Field.Offset] = static_cast<std::uint8_t>(length);
  std::memcpy(Record + Field.Offset + 1, Text.data(), length);
}

// A length byte past the field's size reads the field only, never the next one.
AnsiString GetAraclarText(const std::uint8_t* Record, TAraclarTextField Field) {
  const std::size_t length = std::min<std::size_t>(Record[Field.Offset], Field.Capacity);
  return AnsiString(reinterpret_cast<const char*>(Record + Field.Offset + 1), length);
}

}  // namespace

std::vector<std::uint8_t> EncodeAraclarRecord(const TAraclarRecord& Record) {
  std::vector<std::uint8_t> bytes(AraclarRecordSize, 0);
  PutAraclarText(bytes.data(), AraclarCaptionField, Record.Caption);
  PutAraclarText(bytes.data(), AraclarHintField, Record.Hint);
  const auto index = static_cast<std::uint32_t>(Record.ImageIndex);
  for (std::size_t i = 0; i < 4; ++i)
    bytes[AraclarImageIndexOffset + i] = static_cast<std::uint8_t>(index >> (8 * i));
  PutAraclarText(bytes.data(), AraclarShortCutField, Record.ShortCut);
  PutAraclarText(bytes.data(), AraclarFileNameField, Record.FileName);
  return bytes;
}

TAraclarRecord DecodeAraclarRecord(const std::uint8_t* Bytes) {
  TAraclarRecord record;
  record.Caption = GetAraclarText(Bytes, AraclarCaptionField);
  record.Hint = GetAraclarText(Bytes, AraclarHintField);
  std::uint32_t index = 0;
  for (std::size_t i = 0; i < 4; ++i)
    index |= static_cast<std::uint32_t>(Bytes[AraclarImageIndexOffset + i]) << (8 * i);
  record.ImageIndex = static_cast<std::int32_t>(index);
  record.ShortCut = GetAraclarText(Bytes, AraclarShortCutField);
  record.FileName = GetAraclarText(Bytes, AraclarFileNameField);
  return record;
}

std::vector<TAraclarRecord> DecodeAraclarRecords(const std::uint8_t* Data, std::size_t Size) {
  std::vector<TAraclarRecord> records;
  records.reserve(Size / AraclarRecordSize);
  for (std::size_t offset = 0; offset + AraclarRecordSize <= Size; offset += AraclarRecordSize)
    records.push_back(DecodeAraclarRecord(Data + offset));
  return records;
}

std::vector<TAraclarRecord> ReadAraclarFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  const std::int64_t count = file.Size() / static_cast<std::int64_t>(AraclarRecordSize);
  if (count > AraclarMaxRecords)
    throw EInOutError("\"" + FileName + "\" bir araçlar dosyası olamayacak kadar büyük");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * AraclarRecordSize);
  if (!bytes.empty())
    file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return DecodeAraclarRecords(bytes.data(), bytes.size());
}

void WriteAraclarFile(const AnsiString& FileName, const std::vector<TAraclarRecord>& Records) {
  ReplaceFileSafely(FileName, "arc", [&Records](const AnsiString& temporary) {
    TFileStream file(temporary, fmCreate | fmShareExclusive);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(Records.size() * AraclarRecordSize);
    for (const TAraclarRecord& record : Records) {
      const std::vector<std::uint8_t> one = EncodeAraclarRecord(record);
      bytes.insert(bytes.end(), one.begin(), one.end());
    }
    if (!bytes.empty())
      file.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  });
}
