// A grid written in the component format and read back: published
// properties and the column widths and row heights that differ.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/grids/gridregister.h"
#include "classlib/grids/stringgrid.h"

namespace {

struct FreeGrid {
  void operator()(TStringGrid* g) const { g->Free(); }
};
using GridPtr = std::unique_ptr<TStringGrid, FreeGrid>;

TEST(GridStreaming, SizesOptionsAndColoursSurviveARoundTrip) {
  RegisterGridControls();
  TMemoryStream binary;
  {
    GridPtr grid(new TStringGrid(nullptr));
    grid->SetName("Grid1");
    grid->SetColCount(3);
    grid->SetRowCount(12);
    grid->SetFixedRows(2);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidths(1, 77);
    grid->SetRowHeights(2, 33);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRowSizing});
    grid->SetFixedColor(clYellow);
    grid->SetScrollBars(ssVertical);
    TWriter writer(binary);
    writer.WriteRootComponent(grid.get());
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  std::string dump(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(dump.find("object Grid1: TStringGrid"), std::string::npos) << dump;
  EXPECT_NE(dump.find("FixedColor = clYellow"), std::string::npos) << dump;
  EXPECT_NE(dump.find("ScrollBars = ssVertical"), std::string::npos) << dump;
  EXPECT_NE(dump.find("goEditing"), std::string::npos) << dump;
  EXPECT_NE(dump.find("ColWidths = ("), std::string::npos) << dump;
  EXPECT_EQ(dump.find("DefaultColWidth"), std::string::npos) << "the default is not written\n" << dump;

  binary.SetPosition(0);
  GridPtr copy(new TStringGrid(nullptr));
  {
    TReader reader(binary);
    reader.ReadRootComponent(copy.get());
  }
  EXPECT_EQ(copy->ColCount(), 3);
  EXPECT_EQ(copy->RowCount(), 12);
  EXPECT_EQ(copy->FixedRows(), 2);
  EXPECT_EQ(copy->ColWidths(0), 64);
  EXPECT_EQ(copy->ColWidths(1), 77);
  EXPECT_EQ(copy->RowHeights(1), 18);
  EXPECT_EQ(copy->RowHeights(2), 33);
  EXPECT_TRUE(copy->Options().Contains(goRowSizing));
  EXPECT_TRUE(copy->Options().Contains(goRangeSelect));
  EXPECT_EQ(copy->FixedColor(), clYellow);
  EXPECT_EQ(copy->ScrollBars(), ssVertical);
}

TEST(GridStreaming, AStoredListLongerThanTheGridIsCutToIt) {
  RegisterGridControls();
  const char* source =
      "object Grid1: TDrawGrid\n"
      "  ColCount = 2\n"
      "  ColWidths = (\n"
      "    10\n"
      "    20\n"
      "    30\n"
      "    40)\n"
      "end\n";
  TStringStream text(source);
  TMemoryStream binary;
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  std::unique_ptr<TDrawGrid, void (*)(TDrawGrid*)> grid(new TDrawGrid(nullptr), [](TDrawGrid* g) { g->Free(); });
  TReader reader(binary);
  reader.ReadRootComponent(grid.get());
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->ColWidths(0), 10);
  EXPECT_EQ(grid->ColWidths(1), 20);
}

}  // namespace
