// The packed skin archive: a whole skin (its options file and images) in one
// file, or in the Data of a skin stored in a form. TacSkinConvertor unpacks
// every entry into memory; the skin loader then takes "Options.dat" as the
// options text and looks images up by name. Portable: no Win32.
//
// Format (integers 32-bit little-endian, signed): the magic "ASzf", the
// number of entries N, then N entries back to back, each the length of its
// name, the name (8-bit text), the size of its data once unpacked and that
// data as one zlib stream, whose end marks the start of the next entry.
//
// Damaged or hostile data raises ESkinArchiveError "Loaded data is not a
// packed skin file" at once, whatever is wrong: a bad magic, a name or size
// out of range, a zlib stream that fails or does not end exactly after the
// stated size, data that ends early, or no "Options.dat". The reader
// allocates no more than the caps below allow.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/classes/persistent.h"
#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"

DOZURI_EXCEPTION(ESkinArchiveError, Exception);

extern const char* const SNotPackedSkin;

// Limits on what one archive may unpack to.
constexpr std::int32_t MaxSkinEntryNameLength = 1024;
constexpr std::int64_t MaxSkinEntrySize = std::int64_t{64} << 20;
constexpr std::int64_t MaxSkinArchiveSize = std::int64_t{256} << 20;

// One entry other than the options file.
class TacImageItem {
public:
  AnsiString Name;     // as stored
  bool IsBitmap = false;  // the upper-cased extension is ".BMP"
  TMemoryStream Data;  // the unpacked bytes
};

class TacSkinConvertor : public TPersistent {
  DECLARE_CLASS(TacSkinConvertor, TPersistent)

public:
  TacSkinConvertor() = default;
  ~TacSkinConvertor() override;

  // The number of image entries.
  int ImageCount() const { return static_cast<int>(ImageItems.size()); }
  // The item whose upper-cased name equals the upper-cased Name, or nullptr.
  TacImageItem* FindImage(const AnsiString& Name) const;

  // The stream ReadSkinArchive parses. Owned: the reader frees it in Clear;
  // borrowed (a stored skin's Data): it is never freed by the reader.
  TStream* SourceStream() const { return FSourceStream; }
  void SetSourceStream(TStream* Stream, bool Owned);

  // Frees every item (last first), the options and an owned source.
  void Clear();

  std::vector<std::unique_ptr<TacImageItem>> ImageItems;
  std::unique_ptr<TMemoryStream> OptionsStream;

private:
  TStream* FSourceStream = nullptr;
  bool FOwnsSource = false;
};

// Reads the file into memory and unpacks it: nothing when the file does not
// exist. A nil Reader is created, an existing one cleared. With FreeSource
// the file's bytes are freed once unpacked. On damaged data the reader is
// freed, Reader set to nullptr and ESkinArchiveError raised.
void LoadSkinArchive(const AnsiString& FileName, TacSkinConvertor*& Reader, bool FreeSource);
// Unpacks the reader's SourceStream from its start. On damaged data the
// reader is cleared and freed (a borrowed source is left alone), Reader set
// to nullptr and ESkinArchiveError raised.
void ReadSkinArchive(TacSkinConvertor*& Reader);
