// The shape printable: its defaults and streaming, each shape type on the
// design surface and on the recorded page, the pen and brush it draws with,
// the corners of a rounded rectangle. (Export runs: shape_reportrun_test.cpp.)
#include <gtest/gtest.h>

#include <string>

#include "reportengine/printables/qrprintablesreg.h"
#include "classlib/controls/extctrls.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/vtqrlabel.h"
#include "shape_pagefixture.h"
#include "tests/support/componenttext.h"

using namespace printables_test;

namespace {

TEST(QRShape, StartsAsA65PixelRectangleWithItsOwnPenAndBrush) {
  test_support::Owned<TQRShape> shape(new TQRShape(nullptr));
  EXPECT_EQ(shape->Width(), 65);
  EXPECT_EQ(shape->Height(), 65);
  EXPECT_EQ(shape->Shape(), qrsRectangle);
  EXPECT_EQ(shape->RoundFactor(), 0.0f);
  EXPECT_EQ(shape->VertAdjust(), 0);
  ASSERT_NE(shape->Pen(), nullptr);
  ASSERT_NE(shape->Brush(), nullptr);
  EXPECT_EQ(shape->ClassName(), "TQRShape");
  for (const char* name : {"Brush", "Height", "Pen", "Shape", "Width", "RoundFactor", "VertAdjust", "Frame", "Size"})
    EXPECT_TRUE(IsPublishedProp(shape.get(), name)) << name;
  EXPECT_EQ(PropType(shape.get(), "RoundFactor"), tkFloat);
  std::string text = test_support::ComponentText(shape.get());
  EXPECT_EQ(text.find("Width = "), std::string::npos) << "65 is the default width\n" << text;
  EXPECT_EQ(text.find("Height = "), std::string::npos) << text;
  EXPECT_NE(text.find("Shape = qrsRectangle"), std::string::npos) << text;
}

TEST(QRShape, StreamsItsShapePenBrushAndFactors) {
  RegisterQRPrintableClasses();
  test_support::Owned<TQRShape> shape(new TQRShape(nullptr));
  shape->SetName("Cerceve");
  shape->SetBounds(0, 0, 80, 40);
  shape->SetShape(qrsRoundRect);
  shape->SetRoundFactor(0.25f);
  shape->SetVertAdjust(3);
  shape->Pen()->SetColor(clRed);
  shape->Pen()->SetWidth(2);
  shape->Brush()->SetColor(clBlue);
  std::string text = test_support::ComponentText(shape.get());
  EXPECT_NE(text.find("Width = 80"), std::string::npos) << text;
  EXPECT_NE(text.find("RoundFactor = 0.25"), std::string::npos) << text;

  test_support::Owned<TQRShape> read(new TQRShape(nullptr));
  test_support::ReadComponentText(text, read.get());
  EXPECT_EQ(read->Name(), "Cerceve");
  EXPECT_EQ(read->Shape(), qrsRoundRect);
  EXPECT_FLOAT_EQ(read->RoundFactor(), 0.25f);
  EXPECT_EQ(read->VertAdjust(), 3);
  EXPECT_EQ(read->Pen()->Color(), clRed);
  EXPECT_EQ(read->Pen()->Width(), 2);
  EXPECT_EQ(read->Brush()->Color(), clBlue);
  EXPECT_EQ(read->Width(), 80);
  EXPECT_EQ(read->Height(), 40);
}

TEST(QRShape, EveryShapeTypeIsRegisteredByName) {
  RegisterQRPrintableClasses();
  EXPECT_EQ(GetClass("TQRShape"), TQRShape::StaticClass());
  const char* names[] = {"qrsRectangle",    "qrsCircle",       "qrsVertLine", "qrsHorLine",
                         "qrsTopAndBottom", "qrsRightAndLeft", "qrsRoundRect"};
  test_support::Owned<TQRShape> shape(new TQRShape(nullptr));
  for (int i = 0; i < 7; ++i) {
    SetEnumProp(shape.get(), "Shape", names[i]);
    EXPECT_EQ(static_cast<int>(shape->Shape()), i) << names[i];
  }
}

class ShapePage : public ::testing::Test, public PageFixture {};

struct PageCase {
  TQRShapeType Shape;
  std::vector<EmfRecord> Expected;
};

EmfRecord Box(DWORD type, RECT r, SIZE corner = {}) {
  EmfRecord e;
  e.Type = type;
  e.Box = r;
  e.Corner = corner;
  return e;
}
EmfRecord At(DWORD type, int x, int y) {
  EmfRecord e;
  e.Type = type;
  e.Point = POINT{x, y};
  return e;
}

// 100, 200, 400 x 100 (0.1 mm) printed at the band offset (50, 100) on a
// 96 pixels per inch page: edges 150 -> 57, 300 -> 113, 550 -> 208,
// 400 -> 151; the middles 350 -> 132 both ways. A recorded box is
// inclusive: its right and bottom are one less than the edges drawn to.
TEST(QRShapePage, EachShapeTypeDrawsItsGeometryInDevicePixels) {
  const RECT box{57, 113, 207, 150};
  const PageCase cases[] = {
      {qrsRectangle, {Box(EMR_RECTANGLE, box)}},
      {qrsCircle, {Box(EMR_ELLIPSE, box)}},
      {qrsVertLine, {At(EMR_MOVETOEX, 132, 113), At(EMR_LINETO, 132, 151)}},
      {qrsHorLine, {At(EMR_MOVETOEX, 57, 132), At(EMR_LINETO, 208, 132)}},
      {qrsTopAndBottom,
       {At(EMR_MOVETOEX, 57, 113), At(EMR_LINETO, 208, 113), At(EMR_MOVETOEX, 57, 151), At(EMR_LINETO, 208, 151)}},
      {qrsRightAndLeft,
       {At(EMR_MOVETOEX, 57, 113), At(EMR_LINETO, 57, 151), At(EMR_MOVETOEX, 208, 113), At(EMR_LINETO, 208, 151)}},
      // The control is 151 pixels wide: corners of 151 x 0.1, truncated.
      {qrsRoundRect, {Box(EMR_ROUNDRECT, box, SIZE{15, 15})}},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Shape));
    PageFixture fixture;
    auto* shape = fixture.Add<TQRShape>(100, 200, 400, 100);
    shape->SetShape(c.Shape);
    shape->SetRoundFactor(0.1f);
    // A shape prints no frame, even one that has sides to draw.
    shape->Frame()->SetDrawTop(true);
    shape->Frame()->SetDrawLeft(true);
    auto page = fixture.PrintPage([&] { shape->Print(50, 100); });
    std::vector<EmfRecord> drawn = RecordsOfType(
        RecordsOf(*page), {EMR_RECTANGLE, EMR_ELLIPSE, EMR_ROUNDRECT, EMR_MOVETOEX, EMR_LINETO, EMR_POLYLINE16});
    ASSERT_EQ(drawn.size(), c.Expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_EQ(drawn[i].Type, c.Expected[i].Type) << i;
      EXPECT_TRUE(RectIs(drawn[i].Box, c.Expected[i].Box)) << i;
      EXPECT_EQ(drawn[i].Point.x, c.Expected[i].Point.x) << i;
      EXPECT_EQ(drawn[i].Point.y, c.Expected[i].Point.y) << i;
      EXPECT_EQ(drawn[i].Corner.cx, c.Expected[i].Corner.cx) << i;
      EXPECT_EQ(drawn[i].Corner.cy, c.Expected[i].Corner.cy) << i;
    }
  }
}

TEST_F(ShapePage, TheCanvasTakesThePenAndBrushOfTheShape) {
  auto* shape = Add<TQRShape>(100, 200, 400, 100);
  shape->Pen()->SetColor(clRed);
  shape->Brush()->SetColor(clBlue);
  auto page = PrintPage(*shape);
  auto played = Played(*page);
  // Edges 38, 76, 189, 113 at offset (0, 0).
  EXPECT_EQ(played->Canvas().GetPixel(38, 95), clRed);
  EXPECT_EQ(played->Canvas().GetPixel(110, 76), clRed);
  EXPECT_EQ(played->Canvas().GetPixel(110, 95), clBlue);
  EXPECT_EQ(played->Canvas().GetPixel(110, 70), clWhite);
  EXPECT_EQ(played->Canvas().GetPixel(30, 95), clWhite);
  EXPECT_EQ(CountColor(*played, Rect(40, 78, 186, 111), clBlue), (186 - 40) * (111 - 78));
}

// 200 x 50 pixels with RoundFactor 0.1: corners of 20 x 20 on the design
// surface and 20 x 20 device pixels on a page of any resolution.
TEST(QRShapeCorners, ARoundRectangleKeepsItsDesignCornersOnEveryPage) {
  for (int pagePpi : {96, 600}) {
    SCOPED_TRACE(pagePpi);
    PageFixture fixture(96, pagePpi);
    auto* shape = fixture.Add<TQRShape>();
    shape->SetBounds(0, 0, 200, 50);
    shape->SetShape(qrsRoundRect);
    shape->SetRoundFactor(0.1f);
    EXPECT_EQ(shape->CornerSize(), 20);
    auto page = fixture.PrintPage(*shape);
    std::vector<EmfRecord> drawn = RecordsOfType(RecordsOf(*page), {EMR_ROUNDRECT});
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].Corner.cx, 20);
    EXPECT_EQ(drawn[0].Corner.cy, 20);
    // The box itself follows the page's resolution: 200 pixels of a 96 ppi
    // screen are 200 / 96 inch.
    EXPECT_NEAR(drawn[0].Box.right - drawn[0].Box.left, 200.0 * pagePpi / 96, 1.0);
  }
}

TEST_F(ShapePage, ADisabledVisibleShapePrintsNothing) {
  auto* shape = Add<TQRShape>(100, 200, 400, 100);
  shape->SetEnabled(false);
  auto page = PrintPage(*shape);
  EXPECT_TRUE(RecordsOfType(RecordsOf(*page), {EMR_RECTANGLE}).empty());
}

// Design surface: each type with a red pen on a 60 x 40 control; what must
// be red and what must not.
TEST(QRShapeDesign, EachShapeTypePaintsItsGeometryInControlPixels) {
  struct Case {
    TQRShapeType Shape;
    std::vector<POINT> Red;
    std::vector<POINT> NotRed;
  };
  const Case cases[] = {
      {qrsRectangle, {{0, 20}, {59, 20}, {30, 0}, {30, 39}}, {{30, 20}}},
      {qrsCircle, {{30, 0}, {0, 20}, {30, 39}}, {{30, 20}, {1, 1}, {58, 38}}},
      {qrsVertLine, {{30, 5}, {30, 35}}, {{29, 20}, {31, 20}, {0, 20}}},
      {qrsHorLine, {{5, 20}, {55, 20}}, {{30, 19}, {30, 21}, {30, 0}}},
      {qrsTopAndBottom, {{30, 0}, {30, 39}}, {{0, 20}, {59, 20}, {30, 20}}},
      {qrsRightAndLeft, {{0, 20}, {59, 20}}, {{30, 0}, {30, 39}, {30, 20}}},
      {qrsRoundRect, {{0, 20}, {30, 0}}, {{1, 1}, {0, 2}, {30, 20}}},
  };
  test_support::FormFixture form;
  form.Host()->Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Shape));
    auto* shape = form.Add<TQRShape>(10, 10, 60, 40);
    shape->SetShape(c.Shape);
    shape->SetRoundFactor(0.5f);
    shape->Pen()->SetColor(clRed);
    qrreport_test::Picture picture(*shape, 60, 40);
    for (POINT p : c.Red)
      EXPECT_EQ(picture.At(p.x, p.y), clRed) << p.x << "," << p.y;
    for (POINT p : c.NotRed)
      EXPECT_NE(picture.At(p.x, p.y), clRed) << p.x << "," << p.y;
    shape->Free();
  }
}

TEST(QRShapeDesign, TheDesignCornersOfA200By50RoundRectangleAre20Pixels) {
  test_support::FormFixture form;
  auto* shape = form.Add<TQRShape>(0, 0, 200, 50);
  shape->SetShape(qrsRoundRect);
  shape->SetRoundFactor(0.1f);
  shape->Pen()->SetColor(clRed);
  qrreport_test::Picture picture(*shape, 200, 50);
  // The left edge is straight from y = 10 (the corner's radius) on, and
  // curved away above it.
  EXPECT_EQ(picture.At(0, 25), clRed);
  EXPECT_EQ(picture.At(0, 12), clRed);
  EXPECT_NE(picture.At(0, 5), clRed);
  EXPECT_NE(picture.At(2, 2), clRed);
  EXPECT_EQ(picture.At(100, 0), clRed);
  EXPECT_NE(picture.At(5, 0), clRed);
}

TEST(QRShapeDesign, ThePenAndBrushSettersCopyTheirValues) {
  test_support::Owned<TQRShape> shape(new TQRShape(nullptr));
  TPen pen;
  pen.SetColor(clGreen);
  shape->SetPen(&pen);
  EXPECT_NE(shape->Pen(), &pen);
  EXPECT_EQ(shape->Pen()->Color(), clGreen);
  TBrush brush;
  brush.SetColor(clYellow);
  shape->SetBrush(&brush);
  EXPECT_EQ(shape->Brush()->Color(), clYellow);
}

}  // namespace

namespace {

// A layout holding the graphic printables and the rotated labels reads
// back once the printables' classes are registered: each child comes back
// as its own class with its settings.
TEST(QRPrintableClasses, ALayoutWithEveryGraphicPrintableReadsBack) {
  RegisterQRPrintableClasses();
  test_support::Owned<TPanel> root(new TPanel(nullptr));
  root->SetName("Sayfa");
  auto add = [&](TControl* control, const char* name) {
    control->SetName(name);
    control->SetParent(root.get());
  };
  auto* shape = new TQRShape(root.get());
  add(shape, "Cizgi");
  shape->SetShape(qrsHorLine);
  auto* image = new TQRImage(root.get());
  add(image, "Logo");
  image->SetStretch(true);
  auto* dbImage = new TQRDBImage(root.get());
  add(dbImage, "Resim");
  dbImage->SetDataField("RESIM");
  auto* label = new TVtQrLabel(root.get());
  add(label, "Dikey");
  label->SetDirection(fldUpDown);
  auto* dbText = new TVtQrDBText(root.get());
  add(dbText, "DikeyAlan");
  dbText->SetDataField("URUN");
  std::string text = test_support::ComponentText(root.get());

  test_support::Owned<TPanel> read(new TPanel(nullptr));
  test_support::ReadComponentText(text, read.get());
  ASSERT_EQ(read->ControlCount(), 5) << text;
  auto* readShape = dynamic_cast<TQRShape*>(read->FindComponent("Cizgi"));
  ASSERT_NE(readShape, nullptr);
  EXPECT_EQ(readShape->Shape(), qrsHorLine);
  auto* readImage = dynamic_cast<TQRImage*>(read->FindComponent("Logo"));
  ASSERT_NE(readImage, nullptr);
  EXPECT_TRUE(readImage->Stretch());
  auto* readDBImage = dynamic_cast<TQRDBImage*>(read->FindComponent("Resim"));
  ASSERT_NE(readDBImage, nullptr);
  EXPECT_EQ(readDBImage->DataField(), "RESIM");
  EXPECT_TRUE(readDBImage->Center());
  auto* readLabel = dynamic_cast<TVtQrLabel*>(read->FindComponent("Dikey"));
  ASSERT_NE(readLabel, nullptr);
  EXPECT_EQ(readLabel->Direction(), fldUpDown);
  EXPECT_EQ(readLabel->Escapment(), -900);
  auto* readText = dynamic_cast<TVtQrDBText*>(read->FindComponent("DikeyAlan"));
  ASSERT_NE(readText, nullptr);
  EXPECT_EQ(readText->DataField(), "URUN");
  EXPECT_EQ(readText->Caption(), "URUN");
}

}  // namespace
