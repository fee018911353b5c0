// fuzz-deps: dozuri_skin_base dozuri_png dozuri_classes dozuri_system
// A whole skin load from the bytes of a packed skin, as far as it runs
// without the platform: the archive, its options file, the skin-wide values,
// every section with its inheritance, and every image value fitted to the
// picture it names (PNG entries decoded, bitmap entries measured from their
// header, the master bitmap for the forms cut from it). Loads may fail only
// with the archive error or a conversion error; an image kept lies inside its
// picture with border widths within one cell.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "classlib/system/strutils.h"
#include "fuzz/skinfuzzing.h"
#include "support/png/pngreader.h"

namespace {

// The size of a picture entry, or (0, 0) when it does not decode.
struct PictureSize {
  int Width = 0, Height = 0;
};

PictureSize MeasureBitmapFile(TMemoryStream& Data) {
  const auto* bytes = static_cast<const std::uint8_t*>(Data.Memory());
  if (Data.Size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
    return {};
  std::int32_t width = 0, height = 0;
  std::memcpy(&width, bytes + 18, 4);
  std::memcpy(&height, bytes + 22, 4);
  if (width <= 0 || width > 65535 || height == 0 || height < -65535 || height > 65535)
    return {};
  return {width, height < 0 ? -height : height};
}

PictureSize DecodePicture(TacImageItem& Item) {
  if (Pos(".PNG", UpperCase(Item.Name)) == 0)
    return MeasureBitmapFile(Item.Data);
  acpng::TPngReader reader;
  acpng::TPngImage image;
  try {
    reader.LoadFromMemory(static_cast<const std::uint8_t*>(Item.Data.Memory()),
                          static_cast<std::size_t>(Item.Data.Size()), image);
  } catch (const Exception&) {
    return {};
  }
  return {image.Width, image.Height};
}

// The archive entry whose upper-cased name equals Name as it stands.
TacImageItem* EntryAsWritten(const TacSkinConvertor& Archive, const AnsiString& Name) {
  for (const auto& item : Archive.ImageItems)
    if (UpperCase(item->Name) == Name)
      return item.get();
  return nullptr;
}

void FitImageValue(const TacSkinConvertor& Archive, const PictureSize& Master, const AnsiString& Value) {
  TSkinImageValue v;
  try {
    if (!ParseImageValue(Value, v))
      return;
  } catch (const EConvertError&) {
    return;
  }
  PictureSize picture = Master;
  if (!v.InMasterBitmap()) {
    const AnsiString name = v.Form == TSkinImageForm::PlainFile ? UpperCase(v.FileName) : v.FileName;
    TacImageItem* entry = EntryAsWritten(Archive, name);
    if (entry == nullptr)
      return;
    picture = DecodePicture(*entry);
    v.Left = v.Top = 0;
    v.Right = picture.Width;
    v.Bottom = picture.Height;
  }
  if (picture.Width <= 0)
    return;
  ApplyDefaultWidths(v, v.Right - v.Left, v.Bottom - v.Top);
  if (!FitImageToBitmap(v, picture.Width, picture.Height))
    return;
  if (v.Left < 0 || v.Top < 0 || v.Right > picture.Width || v.Bottom > picture.Height || v.Left >= v.Right ||
      v.Top >= v.Bottom)
    __builtin_trap();
  const int cell = (v.Right - v.Left) / (v.ImageCount < 1 ? 1 : v.ImageCount);
  if (v.WL < 0 || v.WR < 0 || v.WL > cell || v.WR > cell)
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20))
    return 0;
  TMemoryStream source;
  source.WriteBuffer(data, static_cast<std::int32_t>(size));
  std::unique_ptr<TacSkinConvertor> archive = skin_fuzz::UnpackBorrowed(source);
  if (archive == nullptr)
    return 0;
  const TsSkinOptions options(skin_fuzz::OptionsTextOf(*archive));
  PictureSize master;
  const AnsiString masterName = options.ReadString("GLOBALINFO", "MASTERBITMAP", "");
  if (TacImageItem* entry = masterName.empty() ? nullptr : EntryAsWritten(*archive, UpperCase(masterName)))
    master = DecodePicture(*entry);
  for (const AnsiString& section : options.Sections())
    for (const AnsiString& key : options.Keys(section))
      if (!(section == "GLOBALINFO" && UpperCase(key) == "MASTERBITMAP"))
        FitImageValue(*archive, master, options.ReadString(section, key, ""));
  skin_fuzz::ReadGlobalsAndSections(options);
  return 0;
}
