// What the grid paints, read back from a painted copy (PaintTo): the
// program's own cell drawing, fixed cells, the selection and row selection.
#include <gtest/gtest.h>

#include <cstdlib>

#include "grids_test_util.h"

using namespace grids_test;

namespace {

class GridPaint : public ::testing::Test {
protected:
  void SetUp() override {
    grid->SetColCount(8);
    grid->SetRowCount(30);
    grid->SetDefaultColWidth(40);
    grid->SetDefaultRowHeight(18);
    grid->SetFixedColor(clBtnFace);
    grid->SetColor(clWindow);
    host.Show();
  }
  TColor PixelAt(TBitmap& bitmap, POINT p) { return bitmap.Canvas().GetPixel(p.x, p.y); }
  TColor CellCentre(TBitmap& bitmap, int col, int row) {
    return PixelAt(bitmap, Center(grid->CellRect(col, row)));
  }

  GridOnForm<TDrawGrid> host;
  TDrawGrid* grid = host.grid;
};

TEST_F(GridPaint, OnDrawCellPaintsEachCellInItsOwnRectangle) {
  std::vector<TGridDrawState> states(8 * 30);
  grid->OnDrawCell = [&](TObject*, int col, int row, TRect rect, TGridDrawState state) {
    states[row * 8 + col] = state;
    if (col == 2 && row == 3) {
      TCanvas& canvas = *grid->Canvas();
      canvas.Brush().SetColor(clRed);
      canvas.FillRect(rect);
      canvas.Brush().SetColor(clBlue);
      canvas.FillRect(TRect{rect.left, rect.top, rect.left + 4, rect.top + 4});
    }
  };
  auto bitmap = host.Snapshot();
  TRect cell = grid->CellRect(2, 3);
  EXPECT_EQ(PixelAt(*bitmap, Center(cell)), clRed);
  EXPECT_EQ(PixelAt(*bitmap, POINT{cell.left + 1, cell.top + 1}), clBlue);
  EXPECT_EQ(PixelAt(*bitmap, POINT{cell.right - 1, cell.bottom - 1}), clRed);
  EXPECT_NE(PixelAt(*bitmap, POINT{cell.right + 2, cell.top + 5}), clRed) << "the next cell is its own";
  EXPECT_EQ(PixelAt(*bitmap, POINT{cell.right, cell.top + 5}), clSilver) << "the grid line after the cell";
  EXPECT_EQ(CellCentre(*bitmap, 3, 4), ColorToRGB(clWindow));

  EXPECT_TRUE(states[0].Contains(gdFixed));
  EXPECT_TRUE(states[3 * 8 + 0].Contains(gdFixed));
  EXPECT_FALSE(states[3 * 8 + 2].Contains(gdFixed));
  EXPECT_TRUE(states[1 * 8 + 1].Contains(gdSelected)) << "the current cell";
  EXPECT_TRUE(states[1 * 8 + 1].Contains(gdFocused));
  EXPECT_FALSE(states[3 * 8 + 2].Contains(gdSelected));
}

TEST_F(GridPaint, FixedCellsShowTheFixedColourAndStayWhenScrolled) {
  grid->SetFixedColor(clYellow);
  grid->OnDrawCell = [&](TObject*, int col, int row, TRect rect, TGridDrawState) {
    if (row == 12 && col == 3) {
      grid->Canvas()->Brush().SetColor(clLime);
      grid->Canvas()->FillRect(rect);
    }
  };
  auto before = host.Snapshot();
  POINT fixedRow = Center(grid->CellRect(3, 0));
  POINT fixedCol = Center(grid->CellRect(0, 5));
  EXPECT_EQ(PixelAt(*before, fixedRow), clYellow);
  EXPECT_EQ(PixelAt(*before, fixedCol), clYellow);

  grid->SetTopRow(12);
  auto after = host.Snapshot();
  EXPECT_EQ(PixelAt(*after, fixedRow), clYellow) << "the fixed row did not scroll";
  EXPECT_EQ(PixelAt(*after, fixedCol), clYellow);
  EXPECT_EQ(PixelAt(*after, Center(grid->CellRect(3, 12))), clLime);
  EXPECT_EQ(grid->CellRect(3, 12).top, 19) << "row 12 right under the fixed row";
}

TEST_F(GridPaint, TheSelectionIsHighlighted) {
  // The current cell is drawn selected too, though the grid has the focus.
  grid->SetOptions(grid->Options() + TGridOptions{goDrawFocusSelected});
  grid->SetSelection(TGridRect{2, 2, 4, 5});
  auto bitmap = host.Snapshot();
  EXPECT_EQ(CellCentre(*bitmap, 2, 2), ColorToRGB(clHighlight));
  EXPECT_EQ(CellCentre(*bitmap, 4, 5), ColorToRGB(clHighlight));
  EXPECT_EQ(CellCentre(*bitmap, 3, 4), ColorToRGB(clHighlight));
  EXPECT_EQ(CellCentre(*bitmap, 5, 5), ColorToRGB(clWindow));
  EXPECT_EQ(CellCentre(*bitmap, 1, 2), ColorToRGB(clWindow));
  EXPECT_EQ(CellCentre(*bitmap, 0, 2), ColorToRGB(clBtnFace)) << "fixed cells are never selected";
}

TEST_F(GridPaint, RowSelectHighlightsTheWholeRowFocusedOrNot) {
  grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
  grid->SetRow(4);
  auto bitmap = host.Snapshot();
  ASSERT_TRUE(grid->Focused());
  for (int col = 1; col < 8; ++col)
    EXPECT_EQ(CellCentre(*bitmap, col, 4), ColorToRGB(clHighlight)) << "column " << col;
  EXPECT_EQ(CellCentre(*bitmap, 1, 3), ColorToRGB(clWindow));
  EXPECT_EQ(CellCentre(*bitmap, 1, 5), ColorToRGB(clWindow));
}

TEST_F(GridPaint, OnlyTheLinesAskedForAreDrawn) {
  grid->SetGridLineWidth(2);
  grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine});
  auto bitmap = host.Snapshot();
  TRect cell = grid->CellRect(3, 4);
  EXPECT_EQ(PixelAt(*bitmap, POINT{cell.right + 1, cell.top + 3}), clSilver) << "vertical line";
  EXPECT_EQ(PixelAt(*bitmap, POINT{cell.left + 5, cell.bottom + 1}), ColorToRGB(clWindow)) << "no horizontal line";
  TRect fixed = grid->CellRect(3, 0);
  EXPECT_EQ(PixelAt(*bitmap, POINT{fixed.left + 5, fixed.bottom + 1}), clBlack) << "fixed horizontal line";
}

// Whether a rectangle of the bitmap holds a dark (text) pixel.
bool HasDarkPixel(TBitmap& bitmap, const TRect& r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      TColor c = bitmap.Canvas().GetPixel(x, y);
      if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60)
        return true;
    }
  return false;
}

TEST(StringGridPaint, CellsShowTheirTextInsideTheCell) {
  GridOnForm<TStringGrid> host;
  TStringGrid* grid = host.grid;
  grid->SetColCount(4);
  grid->SetRowCount(6);
  grid->SetDefaultColWidth(90);
  grid->Rows(0)->SetCommaText("No,Barkod,Fiyat,Adet");
  grid->Rows(1)->SetCommaText("1,8690000000001,\"12,50\",3");
  grid->Rows(2)->SetCommaText("2,8690000000002,\"7,25\",10");
  host.Show();
  grid->SetRow(2);
  auto bitmap = host.Snapshot();
  // Look at it: DOZURI_GRIDS_SNAPSHOT=Z:\tmp\grid.bmp
  if (const char* path = std::getenv("DOZURI_GRIDS_SNAPSHOT"))
    bitmap->SaveToFile(path);
  auto inner = [&](int col, int row) {
    TRect r = grid->CellRect(col, row);
    return TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  };
  EXPECT_TRUE(HasDarkPixel(*bitmap, inner(1, 1)));
  EXPECT_TRUE(HasDarkPixel(*bitmap, inner(1, 0))) << "fixed cells show text too";
  EXPECT_FALSE(HasDarkPixel(*bitmap, inner(1, 3))) << "an empty cell";

  // Without DefaultDrawing the program draws the cells, text and all.
  grid->OnDrawCell = [&](TObject*, int, int, TRect rect, TGridDrawState) {
    grid->Canvas()->Brush().SetColor(clWhite);
    grid->Canvas()->FillRect(rect);
  };
  grid->SetDefaultDrawing(false);
  grid->SetCells(1, 3, "metin");
  auto bare = host.Snapshot();
  EXPECT_FALSE(HasDarkPixel(*bare, inner(1, 3)));
  EXPECT_FALSE(HasDarkPixel(*bare, inner(1, 1)));
}

}  // namespace
