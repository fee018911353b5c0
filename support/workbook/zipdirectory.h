// Reads the entries of a zip archive held in memory, as workbook files are:
// the central directory, stored and deflated entries (through zlib), every
// entry's CRC checked. Encrypted entries, zip64 archives and entries that
// would unpack past a size limit are refused with an EWorkbookError; nothing
// is trusted before it is checked against the archive's bounds.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace workbook {

struct TZipEntry {
  std::string Name;
  std::uint16_t Flags = 0;
  std::uint16_t Method = 0;
  std::uint32_t Crc = 0;
  std::uint64_t CompressedSize = 0;
  std::uint64_t Size = 0;
  std::uint64_t LocalHeaderOffset = 0;
};

class TZipArchive {
public:
  // The largest entry Extract unpacks unless told otherwise.
  static constexpr std::uint64_t DefaultEntryLimit = 256ull << 20;

  // Reads the central directory of `data`, which must outlive the archive.
  explicit TZipArchive(std::string_view data, std::uint64_t entryLimit = DefaultEntryLimit);

  const std::vector<TZipEntry>& Entries() const { return entries_; }
  // The entry of that name (ASCII letters compared without case, as package
  // part names are), or nullptr.
  const TZipEntry* Find(std::string_view name) const;
  // The unpacked bytes of an entry, CRC checked.
  std::string Extract(const TZipEntry& entry) const;

private:
  std::size_t FindEndRecord() const;
  void ReadCentralDirectory(std::size_t endRecord);
  std::string_view EntryData(const TZipEntry& entry) const;

  std::string_view data_;
  std::uint64_t entryLimit_;
  std::vector<TZipEntry> entries_;
};

// True when the bytes start as a zip archive's first local header does.
bool LooksLikeZip(std::string_view data);

}  // namespace workbook
