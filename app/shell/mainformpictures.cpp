#include "app/shell/mainformpictures.h"

#include <windows.h>

#include "app/shell/mainform.h"
#include "classlib/graphics/bitmap.h"

namespace {

// Magenta marks the see-through pixels of every picture.
constexpr TColor SeeThrough = clFuchsia;

}  // namespace

void LoadMainFormPictures(TAnaF& form) {
  const HINSTANCE module = GetModuleHandleW(nullptr);
  TBitmap strip;
  strip.LoadFromResourceName(module, "MAINIMAGES");
  form.ImageList1->AddMasked(strip, SeeThrough);
  form.MainMenu1->SetImages(form.ImageList1);

  form.VTFormHeader1->SetImageList(form.ImageList1);
  form.VTFormHeader1->SetImageIndex(HeaderImageIndex);
  form.ImageBaslik1->Picture()->Bitmap().LoadFromResourceName(module, "HEADERPICTURE");

  TBitmap glyph;
  glyph.LoadFromResourceName(module, "MODE3GLYPH");
  form.SpeedButton1->SetGlyph(&glyph);
}
