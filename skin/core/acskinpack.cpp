#include "skin/core/acskinpack.h"

#include <zlib.h>

#include <vector>

#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TacSkinConvertor)

const char* const SNotPackedSkin = "Loaded data is not a packed skin file";

namespace {

constexpr std::int32_t kReadAhead = 65536;

[[noreturn]] void NotPacked() { throw ESkinArchiveError(SNotPackedSkin); }

std::int32_t ReadInt32(TStream& Source) {
  unsigned char bytes[4];
  if (Source.Read(bytes, 4) != 4)
    NotPacked();
  return static_cast<std::int32_t>(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                   std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

bool IsOptionsName(const AnsiString& Name) { return AnsiUpperCase(Name) == AnsiUpperCase("Options.dat"); }

// Unpacks one zlib stream from Source's position into Out, which must be
// exactly Size bytes long. Source reads ahead in 64 KiB chunks and is moved
// back by what was read past the stream's end, so that it stands on the
// next entry.
class TEntryInflater {
public:
  TEntryInflater() {
    if (inflateInit(&z_) != Z_OK)
      NotPacked();
  }
  ~TEntryInflater() { inflateEnd(&z_); }
  TEntryInflater(const TEntryInflater&) = delete;
  TEntryInflater& operator=(const TEntryInflater&) = delete;

  void Unpack(TStream& Source, std::int64_t Size, TMemoryStream& Out) {
    std::vector<unsigned char> input(kReadAhead), output(kReadAhead);
    std::int64_t produced = 0;
    for (;;) {
      if (z_.avail_in == 0) {
        std::int32_t count = Source.Read(input.data(), kReadAhead);
        if (count <= 0)
          NotPacked();  // the data ends inside the stream
        z_.next_in = input.data();
        z_.avail_in = static_cast<uInt>(count);
      }
      z_.next_out = output.data();
      z_.avail_out = kReadAhead;
      const uInt available = z_.avail_in;
      int result = inflate(&z_, Z_NO_FLUSH);
      std::int64_t got = kReadAhead - z_.avail_out;
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        NotPacked();
      if (got == 0 && z_.avail_in == available && result != Z_STREAM_END)
        NotPacked();  // no progress: never loop on it
      if (produced + got > Size)
        NotPacked();  // more data than the entry states
      Out.WriteBuffer(output.data(), static_cast<std::int32_t>(got));
      produced += got;
      if (result == Z_STREAM_END)
        break;
    }
    if (produced != Size)
      NotPacked();  // the stream ended before the stated size
    Source.Seek(-static_cast<std::int64_t>(z_.avail_in), soCurrent);
  }

private:
  z_stream z_{};
};

void ReadEntries(TacSkinConvertor& Reader) {
  TStream& source = *Reader.SourceStream();
  source.Seek(0, soBeginning);
  char magic[4];
  if (source.Read(magic, 4) != 4 || std::string_view(magic, 4) != "ASzf")
    NotPacked();
  std::int32_t count = ReadInt32(source);
  if (count < 0)
    NotPacked();
  std::int64_t total = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t nameLength = ReadInt32(source);
    if (nameLength < 0 || nameLength > MaxSkinEntryNameLength ||
        nameLength > source.Size() - source.Position())
      NotPacked();
    AnsiString name(static_cast<size_t>(nameLength), '\0');
    if (source.Read(name.data(), nameLength) != nameLength)
      NotPacked();
    std::int32_t size = ReadInt32(source);
    total += size;
    if (size < 0 || size > MaxSkinEntrySize || total > MaxSkinArchiveSize)
      NotPacked();
    if (IsOptionsName(name)) {
      auto options = std::make_unique<TMemoryStream>();
      TEntryInflater().Unpack(source, size, *options);
      options->Seek(0, soBeginning);
      Reader.OptionsStream = std::move(options);  // a second one replaces the first
    } else {
      auto item = std::make_unique<TacImageItem>();
      item->Name = name;
      item->IsBitmap = AnsiUpperCase(ExtractFileExt(name)) == ".BMP";
      TEntryInflater().Unpack(source, size, item->Data);
      item->Data.Seek(0, soBeginning);
      Reader.ImageItems.push_back(std::move(item));
    }
  }
  if (Reader.OptionsStream == nullptr)
    NotPacked();
}

}  // namespace

TacSkinConvertor::~TacSkinConvertor() { Clear(); }

TacImageItem* TacSkinConvertor::FindImage(const AnsiString& Name) const {
  AnsiString wanted = AnsiUpperCase(Name);
  for (const auto& item : ImageItems)
    if (AnsiUpperCase(item->Name) == wanted)
      return item.get();
  return nullptr;
}

void TacSkinConvertor::SetSourceStream(TStream* Stream, bool Owned) {
  if (FOwnsSource && FSourceStream != Stream)
    delete FSourceStream;
  FSourceStream = Stream;
  FOwnsSource = Owned && Stream != nullptr;
}

void TacSkinConvertor::Clear() {
  while (!ImageItems.empty())
    ImageItems.pop_back();
  OptionsStream.reset();
  SetSourceStream(nullptr, false);
}

void ReadSkinArchive(TacSkinConvertor*& Reader) {
  if (Reader == nullptr)
    return;
  try {
    if (Reader->SourceStream() == nullptr)
      NotPacked();
    Reader->ImageItems.clear();
    Reader->OptionsStream.reset();
    ReadEntries(*Reader);
  } catch (const Exception&) {
    delete Reader;  // clears: frees what it owns, leaves a borrowed source
    Reader = nullptr;
    throw ESkinArchiveError(SNotPackedSkin);
  } catch (const std::bad_alloc&) {
    delete Reader;
    Reader = nullptr;
    throw ESkinArchiveError(SNotPackedSkin);
  }
}

void LoadSkinArchive(const AnsiString& FileName, TacSkinConvertor*& Reader, bool FreeSource) {
  if (!FileExists(FileName))
    return;
  if (Reader == nullptr)
    Reader = new TacSkinConvertor;
  else
    Reader->Clear();
  auto source = std::make_unique<TMemoryStream>();
  try {
    source->LoadFromFile(FileName);
  } catch (...) {
    delete Reader;
    Reader = nullptr;
    throw;
  }
  Reader->SetSourceStream(source.release(), true);
  ReadSkinArchive(Reader);
  if (FreeSource && Reader != nullptr)
    Reader->SetSourceStream(nullptr, false);
}
