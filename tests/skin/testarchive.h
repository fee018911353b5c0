// Builds packed skin archives in memory for tests: entries are compressed
// with zlib as the format wants; a test may state a size other than the
// real one, or a name length of its own, to make a damaged archive.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace skin_test {

struct ArchiveEntry {
  ArchiveEntry(std::string name, std::string data, std::optional<std::int32_t> statedSize = std::nullopt,
               std::optional<std::int32_t> statedNameLength = std::nullopt)
      : Name(std::move(name)), Data(std::move(data)), StatedSize(statedSize), StatedNameLength(statedNameLength) {}

  std::string Name;
  std::string Data;
  std::optional<std::int32_t> StatedSize;        // the real size when unset
  std::optional<std::int32_t> StatedNameLength;  // the real length when unset
};

inline void AppendInt32(std::string& out, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    out += static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

inline std::string Deflate(const std::string& data) {
  uLongf length = compressBound(static_cast<uLong>(data.size()));
  std::string packed(length, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(data.data()),
            static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
  packed.resize(length);
  return packed;
}

// The archive bytes; Count overrides the number of entries written in the
// header.
inline std::string BuildArchive(const std::vector<ArchiveEntry>& entries,
                                std::optional<std::int32_t> Count = std::nullopt,
                                const std::string& magic = "ASzf") {
  std::string out = magic;
  AppendInt32(out, Count.value_or(static_cast<std::int32_t>(entries.size())));
  for (const ArchiveEntry& entry : entries) {
    AppendInt32(out, entry.StatedNameLength.value_or(static_cast<std::int32_t>(entry.Name.size())));
    out += entry.Name;
    AppendInt32(out, entry.StatedSize.value_or(static_cast<std::int32_t>(entry.Data.size())));
    out += Deflate(entry.Data);
  }
  return out;
}

}  // namespace skin_test
