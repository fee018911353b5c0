// fuzz-deps: dozuri_skin_base dozuri_classes dozuri_system
// Feeds arbitrary bytes to the skin options reader: a packed skin archive's
// Options.dat when the bytes unpack as one, else the bytes as options text.
// Every section, every image value and the application's own sections must
// read or raise a conversion error; an image that fits its bitmap keeps its
// border widths within one cell.
#include <cstddef>
#include <cstdint>

#include "classlib/classes/streams.h"
#include "classlib/classes/strings.h"
#include "skin/core/acskinpack.h"
#include "skin/core/commonsections.h"
#include "skin/core/skinoptions.h"

namespace {

AnsiString OptionsText(const uint8_t* data, size_t size) {
  TMemoryStream source;
  source.WriteBuffer(data, static_cast<std::int32_t>(size));
  TacSkinConvertor* reader = new TacSkinConvertor;
  reader->SetSourceStream(&source, false);
  try {
    ReadSkinArchive(reader);
    TMemoryStream& options = *reader->OptionsStream;
    AnsiString text(static_cast<const char*>(options.Memory()), static_cast<std::size_t>(options.Size()));
    delete reader;
    return text;
  } catch (const ESkinArchiveError&) {
    return AnsiString(reinterpret_cast<const char*>(data), size);
  }
}

void ReadImageValue(const AnsiString& value) {
  TSkinImageValue image;
  try {
    if (!ParseImageValue(value, image))
      return;
  } catch (const EConvertError&) {
    return;
  }
  ApplyDefaultWidths(image, 64, 48);
  if (FitImageToBitmap(image, 64, 48)) {
    const int cellWidth = (image.Right - image.Left) / (image.ImageCount < 1 ? 1 : image.ImageCount);
    if (image.WL < 0 || image.WL > cellWidth || image.WR < 0 || image.WR > cellWidth)
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20))
    return 0;
  const AnsiString text = OptionsText(data, size);
  const TsSkinOptions options(text);
  TsGeneralDataArray sections;
  try {
    TsSkinData globals;
    ReadSkinGlobals(options, globals);
  } catch (const EConvertError&) {
  }
  for (const AnsiString& section : options.Sections()) {
    try {
      sections.push_back(ReadSkinSection(options, section));
    } catch (const EConvertError&) {
    }
    for (const AnsiString& key : options.Keys(section))
      ReadImageValue(options.ReadString(section, key, ""));
  }
  TStringList lines;
  lines.SetText(text);
  StripCommonSectionSpaces(&lines);
  const TsCommonSections common(&lines);
  for (const AnsiString& section : common.SectionNames()) {
    try {
      common.ReadSection(section, sections);
    } catch (const EConvertError&) {
    }
  }
  return 0;
}
