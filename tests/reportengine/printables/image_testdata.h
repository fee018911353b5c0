// Pictures and a table of pictures for the image tests. Header-only.
#pragma once
#include <memory>

#include "classlib/classes/streams.h"
#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/metafile.h"
#include "tests/support/formfixture.h"

namespace printables_test {

inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color = clRed) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(width, height);
  bitmap->Canvas().Brush().SetColor(color);
  bitmap->Canvas().FillRect(Rect(0, 0, width, height));
  return bitmap;
}

inline std::unique_ptr<TMetafile> FilledMetafile(int width, int height) {
  auto metafile = std::make_unique<TMetafile>();
  metafile->SetWidth(width);
  metafile->SetHeight(height);
  {
    TMetafileCanvas canvas(metafile.get(), nullptr);
    canvas.Brush().SetColor(clRed);
    canvas.Pen().SetColor(clRed);
    canvas.Rectangle(0, 0, width, height);
  }
  return metafile;
}

// A table with a picture field and a text field: row 1 a 20 x 10 red
// bitmap, row 2 empty, row 3 bytes that are no picture.
class PictureTable {
public:
  PictureTable() : owner_(new TComponent(nullptr)) {
    table = new TRxMemoryData(owner_.get());
    table->SetName("Resimler");
    table->FieldDefs()->Add("RESIM", ftGraphic);
    table->FieldDefs()->Add("AD", ftString, 20);
    table->Open();
    TStringStream bytes;
    FilledBitmap(20, 10)->SaveToStream(bytes);
    for (const AnsiString& value : {bytes.DataString(), AnsiString(), AnsiString("BM bozuk resim")}) {
      table->Append();
      if (!value.empty())
        table->FieldByName("RESIM")->SetAsString(value);
      table->FieldByName("AD")->SetAsString("Kalem");
      table->Post();
    }
  }
  TRxMemoryData* table;

private:
  test_support::Owned<TComponent> owner_;
};

enum Row { GoodPicture = 1, EmptyPicture = 2, DamagedPicture = 3 };

}  // namespace printables_test
