#include "classlib/data/recordlayout.h"

#include <algorithm>
#include <cstring>

#include "classlib/data/dbconsts.h"
#include "classlib/data/fielddefs.h"

int RecordDataSize(TFieldType type, int size) {
  switch (type) {
    case ftString:
    case ftFixedChar:
      return size + 1;
    case ftSmallint:
    case ftWord:
    case ftBoolean:
      return 2;
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime:
      return 4;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDateTime:
    case ftLargeint:
      return 8;
    default:
      return 0;
  }
}

TRecordLayout::TRecordLayout(const TFieldDefs& defs) {
  const int count = defs.Count();
  FSlotIndex.assign(count, -1);
  FBlobIndex.assign(count, -1);
  for (int i = 0; i < count; ++i) {
    TFieldDef* def = defs.Items(i);
    if (IsBlobType(def->DataType())) {
      FBlobIndex[i] = FBlobCount++;
      continue;
    }
    int dataSize = RecordDataSize(def->DataType(), def->Size());
    if (dataSize == 0)
      continue;
    FSlotIndex[i] = static_cast<int>(FSlots.size());
    FSlots.push_back(TRecordSlot{i + 1, def->DataType(), def->Size(), FRecordSize, dataSize});
    FRecordSize += 1 + dataSize;
  }
}

const TRecordSlot* TRecordLayout::SlotOf(int FieldNo) const {
  if (FieldNo < 1 || FieldNo > static_cast<int>(FSlotIndex.size()) || FSlotIndex[FieldNo - 1] < 0)
    return nullptr;
  return &FSlots[FSlotIndex[FieldNo - 1]];
}

int TRecordLayout::BlobIndexOf(int FieldNo) const {
  if (FieldNo < 1 || FieldNo > static_cast<int>(FBlobIndex.size()))
    return -1;
  return FBlobIndex[FieldNo - 1];
}

void TRecordLayout::Normalize(const void* Source, std::size_t SourceSize, std::uint8_t* Target) const {
  if (Source == nullptr || SourceSize != static_cast<std::size_t>(FRecordSize))
    DatabaseErrorFmt(dbconsts::SRecordSizeMismatch, {static_cast<std::int64_t>(SourceSize), FRecordSize});
  const auto* bytes = static_cast<const std::uint8_t*>(Source);
  for (const TRecordSlot& slot : FSlots) {
    const std::uint8_t* in = bytes + slot.Offset;
    std::uint8_t* out = Target + slot.Offset;
    if (slot.DataType == ftString || slot.DataType == ftFixedChar) {
      AnsiString text;
      bool set = ReadStringSlot(in, slot.Size, text);
      WriteStringSlot(out, slot.Size, text, set);
    } else if (in[0] != 0) {
      out[0] = 1;
      std::memcpy(out + 1, in + 1, slot.DataSize);
    } else {
      std::memset(out, 0, 1 + slot.DataSize);
    }
  }
}

void WriteStringSlot(std::uint8_t* Slot, int Size, std::string_view Text, bool NotNull) {
  std::memset(Slot, 0, 1 + Size + 1);
  if (!NotNull)
    return;
  Slot[0] = 1;
  std::memcpy(Slot + 1, Text.data(), std::min<std::size_t>(Text.size(), Size));
}

bool ReadStringSlot(const std::uint8_t* Slot, int Size, AnsiString& Text) {
  if (Slot[0] == 0) {
    Text.clear();
    return false;
  }
  const char* text = reinterpret_cast<const char*>(Slot + 1);
  Text.assign(text, strnlen(text, Size));
  return true;
}
