// Shared steps of the skin fuzz targets: unpacking a packed skin from a
// stream the targets keep, and reading an options file the way a load does.
#pragma once
#include <memory>

#include "classlib/classes/streams.h"
#include "skin/core/acskinpack.h"
#include "skin/core/skinoptions.h"

namespace skin_fuzz {

// The unpacked skin, or nullptr when the bytes are not one. Source is
// borrowed: it must come back whole either way.
inline std::unique_ptr<TacSkinConvertor> UnpackBorrowed(TMemoryStream& Source) {
  const std::int64_t size = Source.Size();
  TacSkinConvertor* reader = new TacSkinConvertor;
  reader->SetSourceStream(&Source, false);
  try {
    ReadSkinArchive(reader);
  } catch (const ESkinArchiveError&) {
    if (reader != nullptr || Source.Size() != size)
      __builtin_trap();  // the reader is gone and the borrowed bytes untouched
    return nullptr;
  }
  return std::unique_ptr<TacSkinConvertor>(reader);
}

inline AnsiString OptionsTextOf(TacSkinConvertor& Archive) {
  TMemoryStream& data = *Archive.OptionsStream;
  return AnsiString(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

// The skin-wide values and every section with its inheritance; a
// conversion error is the one failure allowed.
inline void ReadGlobalsAndSections(const TsSkinOptions& Options) {
  try {
    TsSkinData globals;
    ReadSkinGlobals(Options, globals);
    for (const AnsiString& section : Options.Sections())
      ReadSkinSection(Options, section);
  } catch (const EConvertError&) {
  }
}

}  // namespace skin_fuzz
