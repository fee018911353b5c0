// A form stream holding an alpha image list as the about form does: three
// ICO items of 32 x 32 pixels, drawn transparently, read once the skinned
// classes are registered; the list is filled from its items when loaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "classlib/controls/extctrls.h"
#include "skin/controls/skinctrlsreg.h"
#include "skin/core/alphaimagelist.h"
#include "tests/skin/testicons.h"
#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  char two[3];
  for (std::uint8_t b : bytes) {
    std::snprintf(two, sizeof two, "%02X", b);
    text += two;
  }
  return text;
}

TEST(SkinControlsRegistry, AFormStreamFillsAnAlphaImageListFromItsIcoItems) {
  RegisterSkinControls();
  const TColor colours[] = {clRed, clLime, clBlue};
  std::string items;
  for (TColor colour : colours)
    items += "      item\n        ImageFormat = ifICO\n        ImgData = {" + Hex(TestIcoFile(32, colour)) +
             "}\n      end";
  test_support::Owned<TPanel> root{new TPanel(nullptr)};
  test_support::ReadComponentText(
      "object Root: TPanel\n"
      "  object sAlphaImageList1: TsAlphaImageList\n"
      "    DrawingStyle = dsTransparent\n"
      "    Height = 32\n"
      "    Width = 32\n"
      "    Items = <\n" +
          items +
          ">\n"
          "  end\n"
          "end\n",
      root.get());
  auto* list = dynamic_cast<TsAlphaImageList*>(root->FindComponent("sAlphaImageList1"));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->SystemListBuilt());
  EXPECT_EQ(list->Items()->Count(), 3);
  ASSERT_EQ(list->Count(), 3);
  TBitmap canvas;
  canvas.SetPixelFormat(pf24bit);
  canvas.SetSize(32, 32);
  for (int i = 0; i < 3; ++i) {
    canvas.Canvas().Brush().SetColor(clWhite);
    canvas.Canvas().FillRect(RECT{0, 0, 32, 32});
    list->Draw(canvas.Canvas(), 0, 0, i);
    EXPECT_EQ(canvas.Canvas().GetPixel(16, 16), ColorToRGB(colours[i])) << i;
    EXPECT_EQ(canvas.Canvas().GetPixel(2, 2), ColorToRGB(clWhite)) << i;
  }
}

}  // namespace
