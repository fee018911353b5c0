#include "classlib/forms/extdlgs.h"

#include "classlib/graphics/picture.h"

namespace {

struct PictureFormat {
  const char* extension;
  const char* description;
};

// The formats a picture file may have, in the order the filter lists them.
constexpr PictureFormat kFormats[] = {
    {"bmp", "Bitmaps"},           {"ico", "Icons"},         {"emf", "Enhanced Metafiles"},
    {"wmf", "Metafiles"},         {"jpg", "JPEG Image File"}, {"jpeg", "JPEG Image File"},
    {"png", "Portable Network Graphics"}, {"gif", "GIF Image"}};

}  // namespace

AnsiString GraphicFilter() {
  AnsiString all, each;
  for (const PictureFormat& f : kFormats) {
    if (TPicture::FileFormatClass(f.extension) == nullptr)
      continue;
    const AnsiString mask = AnsiString("*.") + f.extension;
    all += (all.empty() ? "" : ";") + mask;
    each += AnsiString("|") + f.description + " (" + mask + ")|" + mask;
  }
  return "All (" + all + ")|" + all + each;
}

IMPLEMENT_CLASS(TOpenPictureDialog)

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) { SetFilter(GraphicFilter()); }
