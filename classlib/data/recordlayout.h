// The raw layout of a record: the data fields of the field definitions, in
// their order, each a one-byte null flag (1 = a value, 0 = null) followed by
// its value bytes:
//
//   string (Size n)        n + 1 bytes: the text (code page 1254), a zero
//                          byte after it, zeros to the end
//   Smallint, Word, Boolean  2 bytes    Integer, AutoInc, Date, Time  4 bytes
//   Float, Currency, BCD, DateTime, Largeint  8 bytes (little-endian)
//
// Blob and memo values live outside the record and take no bytes here. The
// record file of the barcode records is this layout written raw: twenty
// 200-character strings make a 4040-byte record.
//
// Reading raw bytes that came from outside is defensive: a flag other than 0
// counts as set, a text stops at its first zero byte or after Size bytes,
// and a buffer of the wrong length is refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "classlib/data/dbtypes.h"

class TFieldDefs;

// Bytes a value of the type takes after its flag; 0 for blobs and for types
// a record cannot hold.
int RecordDataSize(TFieldType type, int size);

struct TRecordSlot {
  int FieldNo = 0;      // 1-based number of the field definition
  TFieldType DataType = ftUnknown;
  int Size = 0;         // the definition's size
  int Offset = 0;       // of the flag byte
  int DataSize = 0;     // bytes after the flag
};

class TRecordLayout {
public:
  TRecordLayout() = default;
  explicit TRecordLayout(const TFieldDefs& defs);

  int RecordSize() const { return FRecordSize; }
  const std::vector<TRecordSlot>& Slots() const { return FSlots; }
  // The slot of a field definition (1-based), or nullptr for blobs.
  const TRecordSlot* SlotOf(int FieldNo) const;
  // Blob slots in definition order: the index of a definition's blob, or -1.
  int BlobIndexOf(int FieldNo) const;
  int BlobCount() const { return FBlobCount; }

  // Copies a raw record into Target (RecordSize() bytes) in the sound form:
  // flags 0 or 1, texts cut at their first zero or at Size bytes with the
  // rest zero. Raises EDatabaseError when Source is not RecordSize() bytes.
  void Normalize(const void* Source, std::size_t SourceSize, std::uint8_t* Target) const;

private:
  std::vector<TRecordSlot> FSlots;
  std::vector<int> FSlotIndex;  // by field number - 1; -1 for blobs
  std::vector<int> FBlobIndex;  // by field number - 1; -1 for non-blobs
  int FRecordSize = 0;
  int FBlobCount = 0;
};

// One string slot: the flag byte, then Size + 1 bytes of zero-terminated,
// zero-filled text cut to Size bytes.
void WriteStringSlot(std::uint8_t* Slot, int Size, std::string_view Text, bool NotNull);
// The text of a string slot; false when its flag is 0. Any other flag value
// counts as set; the text ends at the first zero or after Size bytes.
bool ReadStringSlot(const std::uint8_t* Slot, int Size, AnsiString& Text);
