// TRxMemoryData: sorting, and taking structure and records from another
// data set.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <string_view>

#include "classlib/data/dbconsts.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/strutils.h"

namespace {

// The sort key of one field over all records: the texts themselves (views
// into the records, compared by the Turkish collation) or numbers; nulls
// sort first.
struct SortColumn {
  bool IsText = false;
  bool CaseSensitive = false;
  std::vector<std::string_view> Texts;
  std::vector<double> Numbers;
  std::vector<char> Nulls;

  int Compare(int a, int b) const {
    if (Nulls[a] || Nulls[b])
      return Nulls[b] - Nulls[a];
    if (IsText) {
      // Identical bytes are equal in any collation; a cheap test that spares
      // the full comparison of duplicates.
      if (Texts[a] == Texts[b])
        return 0;
      return CaseSensitive ? AnsiCompareStr(Texts[a], Texts[b]) : AnsiCompareText(Texts[a], Texts[b]);
    }
    return (Numbers[a] > Numbers[b]) - (Numbers[a] < Numbers[b]);
  }
};

bool IsTextType(TFieldType type) { return type == ftString || type == ftFixedChar; }

// The rank of every byte at the collation's first level (the letter, not
// its accent or case), read off AnsiCompareText: c and d are equal there
// when "c" + "a" sorts before "d" + "b" and "c" + "b" after "d" + "a".
const std::array<std::uint8_t, 256>& PrimaryRanks() {
  static const std::array<std::uint8_t, 256> ranks = [] {
    auto primaryLess = [](unsigned char c, unsigned char d) {
      const char x[2] = {static_cast<char>(c), 'b'}, y[2] = {static_cast<char>(d), 'a'};
      return AnsiCompareText(std::string_view(x, 2), std::string_view(y, 2)) < 0;
    };
    std::vector<unsigned char> bytes;
    for (int b = 1; b < 256; ++b)
      bytes.push_back(static_cast<unsigned char>(b));
    std::stable_sort(bytes.begin(), bytes.end(), primaryLess);
    std::array<std::uint8_t, 256> table{};
    std::uint8_t rank = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (i == 0 || primaryLess(bytes[i - 1], bytes[i]))
        ++rank;
      table[bytes[i]] = rank;
    }
    return table;
  }();
  return ranks;
}

// The first-level ranks of the first eight characters, packed so that a
// smaller number means an earlier text in the collation; equal numbers
// leave the order to the full comparison.
std::uint64_t PrimaryPrefix(std::string_view text) {
  const auto& ranks = PrimaryRanks();
  std::uint64_t prefix = 0;
  for (size_t i = 0; i < 8; ++i)
    prefix = (prefix << 8) | (i < text.size() ? ranks[static_cast<unsigned char>(text[i])] : 0);
  return prefix;
}

// One record in the sort: its first key's null flag and prefix travel with
// it, so most comparisons need not reach the records.
struct SortEntry {
  std::uint64_t Prefix = 0;
  int Index = 0;
  bool Null = false;
};

}  // namespace

void TRxMemoryData::SortOnFields(const AnsiString& FieldNames, bool CaseInsensitive, bool Descending) {
  CheckBrowseMode();
  std::vector<TField*> fields;
  GetFieldList(fields, FieldNames);
  for (TField* field : fields)
    if (field->FieldKind() != fkData)
      DatabaseErrorFmt(dbconsts::SFieldTypeNotSupported, {field->DisplayName()}, this);
  const int count = static_cast<int>(FRecords.size());
  if (fields.empty() || count < 2)
    return;

  // Texts are read in place from the records' bytes; other values once
  // each, with every record's bytes lent to a scratch buffer that the fields
  // read while the data set shows it.
  std::vector<SortColumn> columns(fields.size());
  bool needsScratch = false;
  for (size_t f = 0; f < fields.size(); ++f) {
    SortColumn& column = columns[f];
    column.IsText = IsTextType(fields[f]->DataType()) && !fields[f]->IsBlob();
    column.CaseSensitive = !CaseInsensitive;
    column.Nulls.resize(count);
    if (column.IsText) {
      column.Texts.resize(count);
      for (int i = 0; i < count; ++i) {
        const std::uint8_t* slot = FRecords[i]->Data.data() + fields[f]->Offset();
        const char* text = reinterpret_cast<const char*>(slot + 1);
        column.Nulls[i] = slot[0] == 0;
        column.Texts[i] = std::string_view(text, strnlen(text, fields[f]->Size()));
      }
    } else {
      column.Numbers.resize(count);
      needsScratch = true;
    }
  }
  TRecordBuffer scratch;
  for (int i = 0; needsScratch && i < count; ++i) {
    TMemRecord& record = *FRecords[i];
    std::swap(scratch.Data, record.Data);
    std::swap(scratch.Blobs, record.Blobs);
    try {
      WithFilterBuffer(scratch, [&] {
        for (size_t f = 0; f < fields.size(); ++f) {
          SortColumn& column = columns[f];
          if (column.IsText)
            continue;
          column.Nulls[i] = fields[f]->IsNull();
          if (!column.Nulls[i])
            column.Numbers[i] = fields[f]->DataType() == ftBoolean ? (fields[f]->AsBoolean() ? 1 : 0)
                                                                   : fields[f]->AsFloat();
        }
      });
    } catch (...) {
      std::swap(scratch.Data, record.Data);
      std::swap(scratch.Blobs, record.Blobs);
      throw;
    }
    std::swap(scratch.Data, record.Data);
    std::swap(scratch.Blobs, record.Blobs);
  }

  std::vector<SortEntry> order(count);
  const SortColumn& first = columns.front();
  for (int i = 0; i < count; ++i)
    order[i] = SortEntry{first.IsText && !first.Nulls[i] ? PrimaryPrefix(first.Texts[i]) : 0, i,
                         first.Nulls[i] != 0};
  auto compare = [&](const SortEntry& a, const SortEntry& b) {
    if (first.IsText) {
      if (a.Null != b.Null)
        return a.Null ? -1 : 1;
      if (a.Prefix != b.Prefix)
        return a.Prefix < b.Prefix ? -1 : 1;
    }
    for (const SortColumn& column : columns)
      if (int result = column.Compare(a.Index, b.Index))
        return result;
    return 0;
  };
  std::stable_sort(order.begin(), order.end(), [&](const SortEntry& a, const SortEntry& b) {
    int result = compare(a, b);
    return Descending ? result > 0 : result < 0;
  });

  TBookmarkStr current = Bookmark();
  std::vector<std::unique_ptr<TMemRecord>> sorted;
  sorted.reserve(count);
  for (const SortEntry& entry : order)
    sorted.push_back(std::move(FRecords[entry.Index]));
  FRecords = std::move(sorted);
  FShownValid = false;
  FRecordPos = -1;
  // The record that was current stays current, wherever it went.
  if (!current.empty())
    SetBookmark(current);
  Resync({});
}

void TRxMemoryData::CopyStructure(TDataSet* Source) {
  CheckInactive();
  // Persistent fields of this table would fight the new definitions.
  for (int i = FieldCount() - 1; i >= 0; --i)
    Fields()[i]->SetDataSet(nullptr);
  CopyFieldDefsOf(*Source, *FieldDefs());
}

void TRxMemoryData::AppendRecordsOf(TDataSet* Source) {
  std::vector<std::pair<TField*, TField*>> pairs;
  for (TField* target : Fields())
    if (target->FieldKind() == fkData)
      if (TField* source = Source->FindField(target->FieldName()))
        pairs.emplace_back(source, target);
  TRecordBuffer scratch;
  scratch.Data.assign(RecordSize(), 0);
  scratch.Blobs.assign(BlobFieldCount(), AnsiString());
  for (Source->First(); !Source->Eof(); Source->Next()) {
    InternalInitRecord(scratch);
    WithFilterBuffer(scratch, [&] {
      for (auto& [source, target] : pairs)
        target->SetAsVariant(source->AsVariant());
    });
    auto record = std::make_unique<TMemRecord>();
    record->Id = FNextId++;
    record->Data = scratch.Data;
    record->Blobs = scratch.Blobs;
    FRecords.push_back(std::move(record));
    FShownValid = false;
  }
}

int TRxMemoryData::LoadFromDataSet(TDataSet* Source, int RecordCount, TLoadMode Mode) {
  if (Source == nullptr || Source == this)
    return 0;
  if (Mode == lmCopy) {
    Close();
    CopyStructure(Source);
  }
  if (!Active())
    Open();
  else
    CheckBrowseMode();
  Source->CheckBrowseMode();
  // Field pairs of the same name.
  std::vector<std::pair<TField*, TField*>> pairs;
  for (TField* target : Fields())
    if (target->FieldKind() == fkData)
      if (TField* source = Source->FindField(target->FieldName()))
        pairs.emplace_back(source, target);
  int moved = 0;
  DisableControls();
  Source->DisableControls();
  try {
    int limit = RecordCount;
    if (limit <= 0)
      Source->First();
    while (!Source->Eof() && (limit <= 0 || moved < limit)) {
      Append();
      for (auto& [source, target] : pairs)
        target->SetAsVariant(source->AsVariant());
      Post();
      ++moved;
      Source->Next();
    }
  } catch (...) {
    if (State() == dsInsert)
      Cancel();
    Source->EnableControls();
    EnableControls();
    throw;
  }
  Source->EnableControls();
  EnableControls();
  return moved;
}
