// Pages as metafiles: recorded, stored (plain and coded), saved, loaded and
// played back with their text intact.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "classlib/graphics/metafile.h"
#include "classlib/system/fileutils.h"
#include "reportengine/qrpagelist.h"
#include "support/barcode/components/barcodepainter.h"

namespace {

// A label page as the engine records it: texts with Turkish letters and a frame.
std::unique_ptr<TMetafile> RecordLabelPage(const AnsiString& name) {
  auto page = std::make_unique<TMetafile>();
  {
    TMetafileCanvas canvas(page.get(), nullptr);
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(10);
    for (int label = 0; label < 6; ++label) {
      const int x = (label % 2) * 300, y = (label / 2) * 150;
      canvas.Rectangle(x, y, x + 280, y + 130);
      canvas.TextOut(x + 10, y + 10, name);
      canvas.TextOut(x + 10, y + 50, "8690000123456");
      canvas.TextOut(x + 10, y + 90, "12,50 TL");
    }
  }
  return page;
}

// A full A4 label sheet as a label run records it: 21 labels of 70 x 42 mm in
// three columns, each with its frame, product name, EAN-13 symbol with its
// digits and price, at 96 dpi.
std::unique_ptr<TMetafile> RecordA4LabelSheet() {
  auto page = std::make_unique<TMetafile>();
  {
    TMetafileCanvas canvas(page.get(), nullptr);
    TFont barcodeFont;
    barcodeFont.SetName("Arial");
    barcodeFont.SetSize(8);
    for (int label = 0; label < 21; ++label) {
      const int x = 8 + (label % 3) * 265, y = 20 + (label / 3) * 159;
      canvas.Brush().SetColor(clWhite);
      canvas.Rectangle(x, y, x + 258, y + 152);
      canvas.Font().SetName("Arial");
      canvas.Font().SetSize(9);
      canvas.TextOut(x + 8, y + 6, "Ürün " + std::to_string(label + 1) + " Çay bardağı 6'lı");
      TBarcodeLook look;
      look.BarCodeType = bcEAN_13;
      look.Code = "86900001234" + std::to_string(label % 10);
      look.TallGuardBars = true;
      look.GuardHeight = 5;
      PaintBarcode(canvas, RECT{x + 8, y + 30, x + 160, y + 120}, 96, look, barcodeFont);
      canvas.Font().SetSize(16);
      canvas.Font().SetStyle(TFontStyles{fsBold});
      canvas.TextOut(x + 170, y + 60, std::to_string(10 + label) + ",50 TL");
      canvas.Font().SetStyle(TFontStyles());
    }
  }
  return page;
}

// The texts of every EMR_EXTTEXTOUTW record, back in code page 1254.
std::vector<std::wstring> TextsOf(TMetafile& page) {
  std::vector<std::wstring> texts;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
        if (record->iType == EMR_EXTTEXTOUTW) {
          auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
          auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
          reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
        }
        return 1;
      },
      &texts, nullptr);
  return texts;
}

}  // namespace

TEST(QRPageListMetafile, PagesSurviveStoreSaveAndLoad) {
  auto first = RecordLabelPage("Ürün Adı");
  auto second = RecordLabelPage("Şeker");
  if (const char* sample = std::getenv("DOZURI_SAMPLE_EMF")) {
    // Refreshes the benchmark's sample page (bench/data/labelpage.emf).
    const auto bytes = first->EmfBytes();
    std::ofstream(sample, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const AnsiString file = GetTempDir() + "dozuri-metafile-pages.qrp";
  for (bool compressed : {false, true}) {
    {
      TQRPageList list;
      list.SetCompression(compressed);
      list.AddPage(*first);
      list.AddPage(*second);
      list.Finish();
      list.SaveToFile(file);
    }
    TQRPageList loaded;
    loaded.LoadFromFile(file);
    ASSERT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(loaded.Compression(), compressed);
    auto page2 = loaded.GetPage(2);
    auto page1 = loaded.GetPage(1);
    ASSERT_TRUE(page1 && page2);
    EXPECT_EQ(page1->EmfBytes(), first->EmfBytes());
    EXPECT_EQ(page2->EmfBytes(), second->EmfBytes());
    const auto texts = TextsOf(*page2);
    ASSERT_EQ(texts.size(), 18u);
    EXPECT_EQ(texts[0], L"\u015Eeker");
    EXPECT_EQ(loaded.GetPage(3), nullptr);
    EXPECT_EQ(loaded.GetPage(0), nullptr);
  }
  DeleteFile(file);
}

// A real sheet of labels, the page the page store codes most: stored coded,
// read back byte for byte.
TEST(QRPageListMetafile, AnA4LabelSheetRoundTripsCoded) {
  auto sheet = RecordA4LabelSheet();
  const auto bytes = sheet->EmfBytes();
  if (const char* sample = std::getenv("DOZURI_SAMPLE_A4_EMF")) {
    // Refreshes the benchmark's A4 page (bench/data/labelsheet-a4.emf).
    std::ofstream(sample, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const auto texts = TextsOf(*sheet);
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::wstring& t) { return t.ends_with(L" TL"); }), 21);
  TQRPageList list;
  list.SetCompression(true);
  list.AddPage(*sheet);
  auto back = list.GetPage(1);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->EmfBytes(), bytes);
}

TEST(QRPageListMetafile, APayloadThatIsNoMetafileIsRejected) {
  TQRPageList list;
  list.AddPageData(std::vector<std::uint8_t>(200, 0x5A));
  try {
    list.GetPage(1);
    FAIL() << "a page of junk loaded";
  } catch (const EQRPageFileError& e) {
    EXPECT_EQ(e.Message, "Not a valid report page file");
  }
}
