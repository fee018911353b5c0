#include "support/workbook/zipdirectory.h"

#include <zlib.h>

#include <algorithm>

#include "support/workbook/workbookerror.h"

namespace workbook {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndRecordSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::uint16_t kEncryptedFlag = 0x0001;
constexpr std::uint16_t kStrongEncryptionFlag = 0x0040;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;

std::uint16_t ZipWordAt(std::string_view data, std::size_t pos) {
  return std::uint16_t(std::uint8_t(data[pos]) | std::uint8_t(data[pos + 1]) << 8);
}

std::uint32_t ZipLongAt(std::string_view data, std::size_t pos) {
  return std::uint32_t(ZipWordAt(data, pos)) | std::uint32_t(ZipWordAt(data, pos + 2)) << 16;
}

[[noreturn]] void RaiseDamagedZip() {
  throw EWorkbookError("dosya eksik ya da bozuk (zip arşivi okunamadı).");
}

[[noreturn]] void RaiseZip64() {
  throw EWorkbookError("dosya çok büyük bir (zip64) arşiv; bu biçim okunamıyor.");
}

char ZipFoldCase(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool ZipNamesEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ZipFoldCase(x) == ZipFoldCase(y); });
}

std::string InflateRaw(std::string_view packed, std::uint64_t expectedSize) {
  std::string out(static_cast<std::size_t>(expectedSize), '\0');
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
    throw EWorkbookError("sıkıştırılmış veri açılamadı.");
  // One byte more than the directory promises, so an entry that unpacks
  // longer than declared is caught rather than cut.
  char spare = 0;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = 0;
  std::size_t inLeft = packed.size();
  std::size_t outLeft = out.size();
  bool usedSpare = false;
  int status = Z_OK;
  while (status == Z_OK) {
    if (stream.avail_in == 0) {
      stream.avail_in = uInt(std::min<std::size_t>(inLeft, 1u << 30));
      inLeft -= stream.avail_in;
    }
    if (stream.avail_out == 0) {
      if (outLeft > 0) {
        stream.avail_out = uInt(std::min<std::size_t>(outLeft, 1u << 30));
        outLeft -= stream.avail_out;
      } else if (!usedSpare) {
        usedSpare = true;
        stream.next_out = reinterpret_cast<Bytef*>(&spare);
        stream.avail_out = 1;
      } else {
        break;
      }
    }
    status = inflate(&stream, Z_NO_FLUSH);
    if (status == Z_BUF_ERROR && stream.avail_in == 0 && inLeft == 0)
      break;
    if (status == Z_BUF_ERROR)
      status = Z_OK;
  }
  const bool complete = status == Z_STREAM_END && stream.total_out == expectedSize;
  inflateEnd(&stream);
  if (!complete)
    RaiseDamagedZip();
  return out;
}

}  // namespace

bool LooksLikeZip(std::string_view data) {
  return data.size() >= 4 && ZipLongAt(data, 0) == kLocalHeaderSignature;
}

TZipArchive::TZipArchive(std::string_view data, std::uint64_t entryLimit) : data_(data), entryLimit_(entryLimit) {
  ReadCentralDirectory(FindEndRecord());
}

std::size_t TZipArchive::FindEndRecord() const {
  if (data_.size() < kEndRecordSize) {
    if (LooksLikeZip(data_))
      RaiseDamagedZip();
    throw EWorkbookError("dosya bir Excel çalışma kitabı (.xlsx) değil.");
  }
  // The end record sits at the very end, followed by a comment of at most 64 KB.
  const std::size_t lowest = data_.size() > kEndRecordSize + 0xFFFF ? data_.size() - kEndRecordSize - 0xFFFF : 0;
  for (std::size_t pos = data_.size() - kEndRecordSize + 1; pos-- > lowest;) {
    if (ZipLongAt(data_, pos) == kEndRecordSignature && pos + kEndRecordSize + ZipWordAt(data_, pos + 20) <= data_.size())
      return pos;
  }
  if (LooksLikeZip(data_))
    RaiseDamagedZip();
  throw EWorkbookError("dosya bir Excel çalışma kitabı (.xlsx) değil.");
}

void TZipArchive::ReadCentralDirectory(std::size_t endRecord) {
  if (endRecord >= kZip64LocatorSize && ZipLongAt(data_, endRecord - kZip64LocatorSize) == kZip64LocatorSignature)
    RaiseZip64();
  const std::uint16_t count = ZipWordAt(data_, endRecord + 10);
  const std::uint32_t size = ZipLongAt(data_, endRecord + 12);
  const std::uint32_t offset = ZipLongAt(data_, endRecord + 16);
  if (count == 0xFFFF || size == 0xFFFFFFFF || offset == 0xFFFFFFFF)
    RaiseZip64();
  if (ZipWordAt(data_, endRecord + 4) != 0 || ZipWordAt(data_, endRecord + 6) != 0)
    throw EWorkbookError("dosya birden çok parçaya bölünmüş bir arşiv; okunamıyor.");
  if (std::uint64_t(offset) + size > endRecord)
    RaiseDamagedZip();
  std::size_t pos = offset;
  const std::size_t end = std::size_t(offset) + size;
  entries_.reserve(count);
  for (unsigned i = 0; i < count; ++i) {
    if (pos + kCentralHeaderSize > end || ZipLongAt(data_, pos) != kCentralHeaderSignature)
      RaiseDamagedZip();
    TZipEntry entry;
    entry.Flags = ZipWordAt(data_, pos + 8);
    entry.Method = ZipWordAt(data_, pos + 10);
    entry.Crc = ZipLongAt(data_, pos + 16);
    entry.CompressedSize = ZipLongAt(data_, pos + 20);
    entry.Size = ZipLongAt(data_, pos + 24);
    entry.LocalHeaderOffset = ZipLongAt(data_, pos + 42);
    const std::size_t nameLength = ZipWordAt(data_, pos + 28);
    const std::size_t extraLength = ZipWordAt(data_, pos + 30);
    const std::size_t commentLength = ZipWordAt(data_, pos + 32);
    if (entry.CompressedSize == 0xFFFFFFFF || entry.Size == 0xFFFFFFFF || entry.LocalHeaderOffset == 0xFFFFFFFF)
      RaiseZip64();
    const std::size_t next = pos + kCentralHeaderSize + nameLength + extraLength + commentLength;
    if (next > end)
      RaiseDamagedZip();
    entry.Name.assign(data_.substr(pos + kCentralHeaderSize, nameLength));
    entries_.push_back(std::move(entry));
    pos = next;
  }
}

const TZipEntry* TZipArchive::Find(std::string_view name) const {
  for (const TZipEntry& entry : entries_)
    if (ZipNamesEqual(entry.Name, name))
      return &entry;
  return nullptr;
}

std::string_view TZipArchive::EntryData(const TZipEntry& entry) const {
  const std::uint64_t header = entry.LocalHeaderOffset;
  if (header + kLocalHeaderSize > data_.size() || ZipLongAt(data_, std::size_t(header)) != kLocalHeaderSignature)
    RaiseDamagedZip();
  const std::uint64_t start =
      header + kLocalHeaderSize + ZipWordAt(data_, std::size_t(header) + 26) + ZipWordAt(data_, std::size_t(header) + 28);
  if (start > data_.size() || entry.CompressedSize > data_.size() - start)
    RaiseDamagedZip();
  return data_.substr(std::size_t(start), std::size_t(entry.CompressedSize));
}

std::string TZipArchive::Extract(const TZipEntry& entry) const {
  if (entry.Flags & (kEncryptedFlag | kStrongEncryptionFlag))
    throw EWorkbookError("dosya şifreli; şifreli çalışma kitapları okunamıyor.");
  if (entry.Size > entryLimit_)
    throw EWorkbookError("dosyanın \"" + entry.Name + "\" bölümü okunamayacak kadar büyük.");
  const std::string_view packed = EntryData(entry);
  std::string bytes;
  if (entry.Method == kMethodStored) {
    if (packed.size() != entry.Size)
      RaiseDamagedZip();
    bytes.assign(packed);
  } else if (entry.Method == kMethodDeflated) {
    bytes = InflateRaw(packed, entry.Size);
  } else {
    throw EWorkbookError("dosya desteklenmeyen bir sıkıştırma yöntemi kullanıyor.");
  }
  const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(bytes.data()), uInt(bytes.size()));
  if (crc != entry.Crc)
    throw EWorkbookError("dosya bozuk (\"" + entry.Name + "\" bölümünün sağlama toplamı tutmuyor).");
  return bytes;
}

}  // namespace workbook
