// The rotated-text labels: defaults and streaming, the escapement each
// direction sets, the turned font, AutoSize swapping width and height, the
// start point of every direction and alignment on pages of 96 and 600
// pixels per inch with the text clipped to the control's area, the
// unclipped screen drawing, the report's zoom, and the data text's field.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/graphics/font.h"
#include "classlib/system/numconv.h"
#include "reportengine/printables/qrprintablesreg.h"
#include "reportengine/printables/vtqrlabel.h"
#include "shape_pagefixture.h"
#include "tests/support/componenttext.h"

using namespace printables_test;

namespace {

// The unturned extent of a text in an Arial font of that pixel height, plus
// one each way (TW, TH), measured here on a context of our own.
SIZE Box(int fontHeight, const std::wstring& text, bool bold = false) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontW(fontHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  return SIZE{extent.cx + 1, extent.cy + 1};
}

void UseArial(TVtQrLabel& label, int size) {
  label.Font()->SetName("Arial");
  label.Font()->SetSize(size);
}

const std::wstring kDikey = L"Dikey Yaz\u0131";
const AnsiString kDikeyAnsi = "Dikey Yazı";

// ---- Properties ------------------------------------------------------------

TEST(VtQrLabel, StartsReadingLeftToRightAutoSizedAndLeftAligned) {
  RegisterQRPrintableClasses();
  test_support::Owned<TVtQrLabel> label(new TVtQrLabel(nullptr));
  EXPECT_EQ(label->Direction(), fldLeftRight);
  EXPECT_EQ(label->Escapment(), 0);
  EXPECT_EQ(label->Alignment(), taLeftJustify);
  EXPECT_TRUE(label->AutoSize());
  EXPECT_EQ(GetClass("TVtQrLabel"), TVtQrLabel::StaticClass());
  EXPECT_EQ(GetClass("TVtQrDBText"), TVtQrDBText::StaticClass());
  for (const char* name : {"Direction", "Escapment", "Alignment", "Align", "AutoSize", "AlignToBand", "AutoStretch",
                           "Color", "Caption", "Font", "Transparent", "Visible", "Enabled"})
    EXPECT_TRUE(IsPublishedProp(label.get(), name)) << name;
  std::string text = test_support::ComponentText(label.get());
  EXPECT_EQ(text.find("Direction"), std::string::npos) << text;
  EXPECT_EQ(text.find("Escapment"), std::string::npos) << text;
}

TEST(VtQrLabel, StreamsItsDirectionEscapementAndAlignment) {
  RegisterQRPrintableClasses();
  test_support::Owned<TVtQrLabel> label(new TVtQrLabel(nullptr));
  label->SetName("Dikey1");
  label->SetCaption(kDikeyAnsi);
  label->SetDirection(fldDownUp);
  label->SetAlignment(taCenter);
  std::string text = test_support::ComponentText(label.get());
  EXPECT_NE(text.find("Direction = fldDownUp"), std::string::npos) << text;
  EXPECT_NE(text.find("Escapment = 900"), std::string::npos) << text;
  test_support::Owned<TVtQrLabel> read(new TVtQrLabel(nullptr));
  test_support::ReadComponentText(text, read.get());
  EXPECT_EQ(read->Direction(), fldDownUp);
  EXPECT_EQ(read->Escapment(), 900);
  EXPECT_EQ(read->Alignment(), taCenter);
  EXPECT_EQ(read->Caption(), kDikeyAnsi);
}

TEST(VtQrLabel, EachDirectionSetsItsEscapement) {
  struct Case {
    TVtLabelDir direction;
    int escapement;
  };
  test_support::Owned<TVtQrLabel> label(new TVtQrLabel(nullptr));
  for (Case c : {Case{fldRightLeft, -1800}, Case{fldUpDown, -900}, Case{fldDownUp, 900}, Case{fldLeftRight, 0}}) {
    label->SetDirection(c.direction);
    EXPECT_EQ(label->Escapment(), c.escapement) << static_cast<int>(c.direction);
  }
}

TEST(VtQrLabel, ADirectionOverwritesAHandSetEscapementButNotTheOtherWayRound) {
  test_support::Owned<TVtQrLabel> label(new TVtQrLabel(nullptr));
  label->SetEscapment(450);
  EXPECT_EQ(label->Direction(), fldLeftRight);
  label->SetDirection(fldUpDown);
  EXPECT_EQ(label->Escapment(), -900);
  label->SetEscapment(300);
  EXPECT_EQ(label->Direction(), fldUpDown);
  EXPECT_EQ(label->Escapment(), 300);
  label->SetDirection(fldUpDown);
  EXPECT_EQ(label->Escapment(), 300) << "the same direction again changes nothing";
}

TEST(VtQrLabel, TheTurnedFontIsTrueTypeWithTheStyleAndPitchOfTheFont) {
  struct Case {
    TFontStyles style;
    TFontPitch pitch;
    LONG weight;
    BYTE italic, underline, strikeOut, pitchBits;
  };
  const Case cases[] = {
      {TFontStyles{}, fpDefault, FW_NORMAL, 0, 0, 0, DEFAULT_PITCH},
      {TFontStyles{fsBold, fsItalic}, fpVariable, FW_BOLD, 1, 0, 0, VARIABLE_PITCH},
      {TFontStyles{fsUnderline, fsStrikeOut}, fpFixed, FW_NORMAL, 0, 1, 1, FIXED_PITCH},
  };
  for (const Case& c : cases) {
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-17);
    font.SetStyle(c.style);
    font.SetPitch(c.pitch);
    font.SetCharset(TURKISH_CHARSET);
    HFONT handle = CreateVtRotatedFont(font, -900);
    ASSERT_NE(handle, nullptr);
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(handle, sizeof lf, &lf), static_cast<int>(sizeof lf));
    DeleteObject(handle);
    EXPECT_EQ(lf.lfHeight, -17);
    EXPECT_EQ(lf.lfEscapement, -900);
    EXPECT_EQ(lf.lfOrientation, 0);
    EXPECT_EQ(lf.lfWeight, c.weight);
    EXPECT_EQ(lf.lfItalic, c.italic);
    EXPECT_EQ(lf.lfUnderline, c.underline);
    EXPECT_EQ(lf.lfStrikeOut, c.strikeOut);
    EXPECT_EQ(lf.lfCharSet, TURKISH_CHARSET);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_ONLY_PRECIS);
    EXPECT_EQ(lf.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(lf.lfPitchAndFamily & 3, c.pitchBits);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Courier New");
  }
}

// A label reading up or down is as wide as its text is high plus one and as
// high as its text is long plus one; across, the other way round.
TEST(VtQrLabel, AutoSizeSwapsWidthAndHeightForUprightDirections) {
  struct Case {
    TVtLabelDir direction;
    bool upright;
  };
  PageFixture fixture;
  for (Case c : {Case{fldDownUp, true}, Case{fldUpDown, true}, Case{fldLeftRight, false},
                 Case{fldRightLeft, false}}) {
    SCOPED_TRACE(static_cast<int>(c.direction));
    auto* label = fixture.Add<TVtQrLabel>();
    UseArial(*label, 12);
    label->SetCaption(kDikeyAnsi);
    label->SetDirection(c.direction);
    SIZE box = Box(label->Font()->Height(), kDikey);
    EXPECT_EQ(label->Width(), c.upright ? box.cy : box.cx);
    EXPECT_EQ(label->Height(), c.upright ? box.cx : box.cy);
    label->Free();
  }
}

TEST(VtQrLabel, AnAlignedLabelKeepsTheSizeItsAlignmentGivesIt) {
  test_support::FormFixture form;
  auto* label = form.Add<TVtQrLabel>(0, 0, 30, 30);
  UseArial(*label, 12);
  label->SetAlign(alLeft);
  int width = label->Width(), height = label->Height();
  label->SetCaption(kDikeyAnsi);
  label->SetDirection(fldDownUp);
  EXPECT_EQ(label->Width(), width);
  EXPECT_EQ(label->Height(), height);
  label->SetAlign(alNone);
  label->SetCaption("Dikey Yazı!");
  SIZE box = Box(label->Font()->Height(), L"Dikey Yaz\u0131!");
  EXPECT_EQ(label->Width(), box.cy) << "without Align the text sizes it again";
  EXPECT_EQ(label->Height(), box.cx);
}

// ---- On the page ---------------------------------------------------------------

struct StartCase {
  TVtLabelDir direction;
  TAlignment alignment;
  // The start point for a control of W x H and a text of TW x TH.
  POINT (*start)(int W, int H, int TW, int TH);
};

const StartCase kStartCases[] = {
    {fldLeftRight, taLeftJustify, [](int, int, int, int) { return POINT{0, 0}; }},
    {fldLeftRight, taRightJustify, [](int W, int, int TW, int) { return POINT{W - TW, 0}; }},
    {fldLeftRight, taCenter, [](int W, int, int TW, int) { return POINT{(W - TW) / 2, 0}; }},
    {fldRightLeft, taLeftJustify, [](int W, int, int, int TH) { return POINT{W - 2, TH}; }},
    {fldRightLeft, taRightJustify, [](int, int, int TW, int TH) { return POINT{TW, TH}; }},
    {fldRightLeft, taCenter, [](int W, int, int TW, int TH) { return POINT{(W + TW) / 2, TH}; }},
    {fldUpDown, taLeftJustify, [](int, int, int, int TH) { return POINT{TH, 1}; }},
    {fldUpDown, taRightJustify, [](int, int H, int TW, int TH) { return POINT{TH, H - TW}; }},
    {fldUpDown, taCenter, [](int, int H, int TW, int TH) { return POINT{TH, (H - TW) / 2}; }},
    {fldDownUp, taLeftJustify, [](int, int H, int, int) { return POINT{0, H - 2}; }},
    {fldDownUp, taRightJustify, [](int, int, int TW, int) { return POINT{0, TW - 4}; }},
    {fldDownUp, taCenter, [](int, int H, int TW, int) { return POINT{0, (H + TW) / 2}; }},
};

struct Resolution {
  int ppi;
  // The label at 100, 200 of 300 x 250 (0.1 mm), printed at the band offset
  // (20, 40): its area from (120, 240) to (420, 490) on the page.
  RECT area;
};

// On a page of each resolution (the screen alike, so the control's pixels
// and the page's match), every direction and alignment starts the turned
// text where the table puts it, converted through the report units, and
// clips it to the control's area.
TEST(VtQrLabelPage, TheTextStartsWhereDirectionAndAlignmentPutItAndIsClippedToTheArea) {
  for (Resolution r : {Resolution{96, RECT{45, 91, 159, 185}}, Resolution{600, RECT{283, 567, 992, 1157}}}) {
    for (const StartCase& c : kStartCases) {
      SCOPED_TRACE(testing::Message() << r.ppi << " ppi, direction " << c.direction << ", alignment "
                                      << c.alignment);
      PageFixture fixture(r.ppi, r.ppi);
      auto* label = fixture.Add<TVtQrLabel>(100, 200, 300, 250);
      label->SetAutoSize(false);
      UseArial(*label, 10);
      label->SetTransparent(true);
      label->SetCaption(kDikeyAnsi);
      label->SetDirection(c.direction);
      label->SetAlignment(c.alignment);
      int W = label->Width(), H = label->Height();
      SIZE box = Box(label->Font()->Height(), kDikey);
      POINT start = c.start(W, H, box.cx, box.cy);
      auto page = fixture.PrintPage([&] { label->Print(20, 40); });
      std::vector<EmfRecord> records = RecordsOf(*page);
      std::vector<EmfRecord> texts = RecordsOfType(records, {EMR_EXTTEXTOUTW});
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].Text, kDikey);
      EXPECT_TRUE(texts[0].Options & ETO_CLIPPED);
      EXPECT_TRUE(RectIs(texts[0].Box, r.area));
      // Control pixels go to 0.1 mm and back to the page's pixels: one pixel
      // of rounding either way.
      EXPECT_LE(std::abs(texts[0].Point.x - (r.area.left + start.x)), 1) << texts[0].Point.x;
      EXPECT_LE(std::abs(texts[0].Point.y - (r.area.top + start.y)), 1) << texts[0].Point.y;
      std::vector<EmfRecord> fonts = RecordsOfType(records, {EMR_EXTCREATEFONTINDIRECTW});
      ASSERT_FALSE(fonts.empty());
      EXPECT_EQ(fonts.back().Font.lfEscapement, VtEscapementOf(c.direction));
      EXPECT_EQ(fonts.back().Font.lfOutPrecision, OUT_TT_ONLY_PRECIS);
    }
  }
}

// Four auto-sized labels, one per direction, on one page: each text is
// drawn once with its direction's escapement, inside its own area. With
// DOZURI_VTQR_PAGE set the played page is saved there as a bitmap to look at.
TEST(VtQrLabelPage, FourDirectionsOnOnePage) {
  PageFixture fixture;
  const TVtLabelDir directions[] = {fldLeftRight, fldRightLeft, fldUpDown, fldDownUp};
  std::vector<TVtQrLabel*> labels;
  for (int i = 0; i < 4; ++i) {
    auto* label = fixture.Add<TVtQrLabel>(100 + 400 * i, 100, 300, 300);
    UseArial(*label, 14);
    label->Font()->SetColor(clBlack);
    label->SetTransparent(true);
    label->SetCaption("Yön " + IntToStr(i));
    label->SetDirection(directions[i]);
    labels.push_back(label);
  }
  auto page = fixture.PrintPage([&] {
    for (TVtQrLabel* label : labels)
      label->Print(0, 0);
  });
  std::vector<EmfRecord> records = RecordsOf(*page);
  std::vector<EmfRecord> texts = RecordsOfType(records, {EMR_EXTTEXTOUTW});
  std::vector<EmfRecord> fonts = RecordsOfType(records, {EMR_EXTCREATEFONTINDIRECTW});
  ASSERT_EQ(texts.size(), 4u);
  std::vector<LONG> escapements;
  for (const EmfRecord& font : fonts)
    if (font.Font.lfOutPrecision == OUT_TT_ONLY_PRECIS)
      escapements.push_back(font.Font.lfEscapement);
  EXPECT_EQ(escapements, (std::vector<LONG>{0, -1800, -900, 900}));
  auto played = PageFixture::Played(*page);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(texts[i].Text, L"Y\u00f6n " + std::to_wstring(i));
    const RECT& area = texts[i].Box;
    int inside = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        inside += (played->Canvas().GetPixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(inside, 30) << "the text shows inside its area";
    // Upright labels are taller than wide, the others wider than tall.
    bool upright = i >= 2;
    EXPECT_EQ(area.bottom - area.top > area.right - area.left, upright);
  }
  if (const char* path = std::getenv("DOZURI_VTQR_PAGE"))
    played->SaveToFile(path);
}

TEST(VtQrLabelPage, TextLongerThanTheControlIsCutAtItsEdgesOnPaper) {
  PageFixture fixture;
  auto* label = fixture.Add<TVtQrLabel>(100, 200, 150, 60);
  label->SetAutoSize(false);
  UseArial(*label, 12);
  label->Font()->SetColor(clBlack);
  label->SetTransparent(true);
  label->SetCaption("Çok uzun bir yazı satırı burada biter");
  auto page = fixture.PrintPage(*label);
  auto played = PageFixture::Played(*page);
  // Area (38, 76, 95, 99) on a 96 ppi page.
  auto dark = [&](RECT r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        count += (played->Canvas().GetPixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return count;
  };
  EXPECT_GT(dark(RECT{38, 76, 95, 99}), 20) << "inside";
  EXPECT_EQ(dark(RECT{95, 60, 400, 120}), 0) << "right of the control";
}

TEST(VtQrLabelPage, TheReportsZoomScalesTheFontRoundingHalvesToEven) {
  struct Case {
    int size, zoom, printedSize;
  };
  // 11 x 1.5 = 16.5 -> 16; 9 x 1.5 = 13.5 -> 14; 10 x 2 = 20.
  for (Case c : {Case{11, 150, 16}, Case{9, 150, 14}, Case{10, 200, 20}}) {
    SCOPED_TRACE(c.size);
    PageFixture fixture;
    fixture.report->SetZoom(c.zoom);
    auto* label = fixture.Add<TVtQrLabel>(100, 200, 300, 250);
    UseArial(*label, c.size);
    label->SetCaption(kDikeyAnsi);
    label->SetDirection(fldUpDown);
    auto page = fixture.PrintPage(*label);
    std::vector<EmfRecord> fonts = RecordsOfType(RecordsOf(*page), {EMR_EXTCREATEFONTINDIRECTW});
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts.back().Font.lfHeight, -MulDiv(c.printedSize, 96, 72));
    EXPECT_EQ(fonts.back().Font.lfEscapement, -900);
  }
}

TEST(VtQrLabelPage, NothingPrintsOutsideARun) {
  PageFixture fixture;
  auto* label = fixture.Add<TVtQrLabel>(100, 200, 300, 250);
  label->SetCaption(kDikeyAnsi);
  fixture.printer.BeginDoc();
  fixture.printer.NewPage();
  label->Print(0, 0);  // not prepared: the report is not printing
  fixture.printer.EndDoc();
  auto page = fixture.printer.GetPage(1);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(RecordsOfType(RecordsOf(*page), {EMR_EXTTEXTOUTW}).empty());
}

// On the screen the text is drawn at the offset plus the start point, and
// not clipped.
TEST(VtQrLabelScreen, TheTextIsDrawnAtTheOffsetPlusTheStartPointUnclipped) {
  test_support::FormFixture form;
  auto* label = form.Add<TVtQrLabel>(0, 0, 40, 120);
  label->SetAutoSize(false);
  UseArial(*label, 10);
  label->SetCaption(kDikeyAnsi);
  label->SetDirection(fldUpDown);
  label->SetAlignment(taCenter);
  label->SetBounds(0, 0, 40, 120);
  TMetafile metafile;
  metafile.SetWidth(300);
  metafile.SetHeight(300);
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    label->DrawText(canvas, 10, 20, kDikeyAnsi, false);
  }
  std::vector<EmfRecord> texts = RecordsOfType(RecordsOf(metafile), {EMR_EXTTEXTOUTW});
  ASSERT_EQ(texts.size(), 1u);
  SIZE box = Box(label->Font()->Height(), kDikey);
  EXPECT_FALSE(texts[0].Options & ETO_CLIPPED);
  EXPECT_EQ(texts[0].Point.x, 10 + box.cy);
  EXPECT_EQ(texts[0].Point.y, 20 + (120 - box.cx) / 2);
}

TEST(VtQrLabelScreen, TheDesignViewShowsTheCaptionTurned) {
  test_support::FormFixture form;
  auto* label = form.Add<TVtQrLabel>(10, 10, 60, 200);
  UseArial(*label, 14);
  label->Font()->SetColor(clBlack);
  label->SetCaption("Dikey Yazı Burada");
  label->SetDirection(fldDownUp);
  ASSERT_GT(label->Height(), label->Width());
  qrreport_test::Picture picture(*label, label->Width(), label->Height());
  int top = label->Height(), bottom = -1, left = label->Width(), right = -1;
  for (int y = 0; y < label->Height(); ++y)
    for (int x = 0; x < label->Width(); ++x)
      if (picture.DarkIn(Rect(x, y, x + 1, y + 1)) > 0) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  ASSERT_GE(bottom, 0) << "the caption shows";
  EXPECT_GT(bottom - top, 3 * (right - left)) << "the text runs upward";
}

// ---- The data text ---------------------------------------------------------------

class ProductTable {
public:
  ProductTable() : owner_(new TComponent(nullptr)) {
    table = new TRxMemoryData(owner_.get());
    table->FieldDefs()->Add("URUN", ftString, 20);
    table->Open();
    table->Append();
    table->FieldByName("URUN")->SetAsString("Kalem 5");
    table->Post();
  }
  TRxMemoryData* table;

private:
  test_support::Owned<TComponent> owner_;
};

TEST(VtQrDBText, TheFieldNameShowsAsTheCaption) {
  test_support::Owned<TVtQrDBText> text(new TVtQrDBText(nullptr));
  text->SetDataField("URUN");
  EXPECT_EQ(text->Caption(), "URUN");
  EXPECT_TRUE(IsPublishedProp(text.get(), "DataSet"));
  EXPECT_TRUE(IsPublishedProp(text.get(), "DataField"));
  EXPECT_TRUE(IsPublishedProp(text.get(), "Direction"));
}

TEST(VtQrDBTextPage, PrintsTheFieldsValueOrItsCaptionWhenTheFieldIsMissing) {
  struct Case {
    const char* what;
    const char* field;
    bool dataSet;
    std::wstring printed;
  };
  for (const Case& c : {Case{"a field", "URUN", true, L"Kalem 5"}, Case{"a missing field", "YOK", true, L"YOK"},
                        Case{"no data set", "URUN", false, L"URUN"}}) {
    SCOPED_TRACE(c.what);
    ProductTable data;
    PageFixture fixture;
    auto* text = fixture.Add<TVtQrDBText>(100, 200, 300, 250);
    text->SetDataSet(c.dataSet ? data.table : nullptr);
    text->SetDataField(c.field);
    text->SetDirection(fldDownUp);
    auto page = fixture.PrintPage(*text);
    std::vector<EmfRecord> texts = RecordsOfType(RecordsOf(*page), {EMR_EXTTEXTOUTW});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, c.printed);
  }
}

// The record's value is the caption only while the run prints: afterwards
// the field name shows again, and a later run whose data set is gone
// prints that name, not the last record of the earlier run.
TEST(VtQrDBTextPage, TheFieldNameComesBackAfterTheRun) {
  ProductTable data;
  PageFixture fixture;
  auto* text = fixture.Add<TVtQrDBText>(100, 200, 300, 250);
  text->SetDataSet(data.table);
  text->SetDataField("URUN");
  auto first = fixture.PrintPage([&] {
    text->Print(0, 0);
    EXPECT_EQ(text->Caption(), "Kalem 5");
    // The run ends; the next one has no data set.
    text->Unprepare();
    EXPECT_EQ(text->Caption(), "URUN");
    text->SetDataSet(nullptr);
    text->Prepare();
    text->Print(0, 1000);
  });
  std::vector<EmfRecord> texts = RecordsOfType(RecordsOf(*first), {EMR_EXTTEXTOUTW});
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, L"Kalem 5");
  EXPECT_EQ(texts[1].Text, L"URUN");
  EXPECT_EQ(text->Caption(), "URUN");
}

TEST(VtQrDBText, AFreedDataSetIsLetGo) {
  auto data = std::make_unique<ProductTable>();
  test_support::Owned<TVtQrDBText> text(new TVtQrDBText(nullptr));
  text->SetDataSet(data->table);
  data.reset();
  EXPECT_EQ(text->DataSet(), nullptr);
}

}  // namespace
