// The mouse on the design surface: selecting and moving on the grid,
// creating from the palette's template, the rubber band, and the cursor
// held inside the container only while a drag runs. Mouse input is posted to
// the covered windows at points in their client areas.
#include <gtest/gtest.h>

#include "design/dsnshape.h"
#include "palettefixture.h"

// Screen rectangles compared and shown by the checks below (found through
// the rectangle's own namespace).
static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }
static void PrintTo(const RECT& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

class Mouse : public PaletteSurface {
protected:
  void SetUp() override {
    PaletteSurface::SetUp();
    controller->Dispatching = true;
    controller->OnMoveResize = TNotifyEvent([this](TObject*) { ++moveResizes; });
  }

  void Post(TWinControl* Control, UINT Msg, TPoint At, WPARAM Keys) {
    PostMessageW(Control->Handle(), Msg, Keys, MAKELPARAM(At.x, At.y));
    test_support::Pump();
  }
  // The pointer is put where the press is, as a user's would be: holding
  // the cursor inside the container then does not move it, which would send
  // a move without the button held and so end the drag.
  void Press(TWinControl* Control, TPoint At, WPARAM Keys = 0) {
    POINT onScreen{At.x, At.y};
    ClientToScreen(Control->Handle(), &onScreen);
    SetCursorPos(onScreen.x, onScreen.y);
    test_support::Pump();
    Post(Control, WM_LBUTTONDOWN, At, MK_LBUTTON | Keys);
  }
  void MoveTo(TWinControl* Control, TPoint At, WPARAM Keys = 0) { Post(Control, WM_MOUSEMOVE, At, MK_LBUTTON | Keys); }
  void Release(TWinControl* Control, TPoint At, WPARAM Keys = 0) { Post(Control, WM_LBUTTONUP, At, Keys); }
  // Press, move and release, all on Control's window.
  void Drag(TWinControl* Control, TPoint From, TPoint To, WPARAM Keys = 0) {
    Press(Control, From, Keys);
    MoveTo(Control, To, Keys);
    Release(Control, To, Keys);
  }
  void UseGrid(int Size) {
    stage->Rubberband()->SetMoveWidth(Size);
    stage->Rubberband()->SetMoveHeight(Size);
    controller->SetDsnStage(stage);
  }
  std::vector<TComponent*> Selected() const {
    std::vector<TComponent*> list;
    for (int i = 0; i < controller->SelectedCount(); ++i)
      list.push_back(controller->SelectedControl(i));
    return list;
  }
  TComponent* NewestComponent() const { return host->Components(host->ComponentCount() - 1); }

  int moveResizes = 0;
};

RECT ClipNow() {
  RECT clip{};
  GetClipCursor(&clip);
  return clip;
}

RECT WholeScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The screen rectangle a drag holds the cursor in: the container's client
// origin extended by its size.
RECT HeldIn(TWinControl* Container) {
  POINT origin{0, 0};
  ClientToScreen(Container->Handle(), &origin);
  return RECT{origin.x, origin.y, origin.x + Container->Width(), origin.y + Container->Height()};
}

// ---- Selecting and moving ----
TEST_F(Mouse, ADraggedControlMovesInGridStepsAndOnlyAMoveIsReported) {
  controller->SetActive(true);
  struct Case {
    int dragX;
    int moved;
    int reports;
  };
  // Pressed on a grid point of the label: 13 pixels snap to 8, 3 to none;
  // the grid truncates toward zero, so 13 to the left (to 3) snaps to 0.
  for (const Case c : {Case{13, 8, 1}, Case{3, 0, 0}, Case{-13, -16, 1}}) {
    SCOPED_TRACE(c.dragX);
    const int left = label1->Left();
    const int top = label1->Top();
    moveResizes = 0;
    Press(label1, Point(16, 8));
    EXPECT_EQ(Selected(), std::vector<TComponent*>{label1});
    ASSERT_NE(controller->DragShape(), nullptr);
    EXPECT_EQ(ClipNow(), HeldIn(band));
    MoveTo(label1, Point(16 + c.dragX, 8));
    Release(label1, Point(16 + c.dragX, 8));
    EXPECT_EQ(label1->Left(), left + c.moved);
    EXPECT_EQ(label1->Top(), top);
    EXPECT_EQ(moveResizes, c.reports);
    EXPECT_EQ(controller->DragShape(), nullptr);
    EXPECT_EQ(ClipNow(), WholeScreen());
  }
}

TEST_F(Mouse, TheWholeSelectionMovesExceptWhatTheHostHoldsBack) {
  controller->SetActive(true);
  select->SelectComponents({label1, label2});
  stage->OnMoveQuery = TMoveQuery([this](TObject*, TComponent* c, bool& canMove) { canMove = c != label1; });
  const int left1 = label1->Left();
  const int left2 = label2->Left();

  Drag(label2, Point(8, 8), Point(24, 16));
  EXPECT_EQ(label1->Left(), left1);
  EXPECT_EQ(label2->Left(), left2 + 16);
  EXPECT_EQ(label2->Top(), 5 + 8);
  EXPECT_EQ(Selected(), (std::vector<TComponent*>{label1, label2})) << "a press inside the selection keeps it";
  EXPECT_EQ(ClipNow(), WholeScreen());
}

TEST_F(Mouse, ShiftClickTogglesAControlAndStartsNoMove) {
  controller->SetActive(true);
  select->SelectComponents({label1, label2});
  const int left = label1->Left();

  Press(label1, Point(8, 8), MK_SHIFT);
  EXPECT_EQ(controller->DragShape(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
  MoveTo(label1, Point(40, 8), MK_SHIFT);
  Release(label1, Point(40, 8), MK_SHIFT);
  EXPECT_EQ(Selected(), std::vector<TComponent*>{label2});
  EXPECT_EQ(label1->Left(), left);

  Press(label1, Point(8, 8), MK_SHIFT);
  Release(label1, Point(8, 8), MK_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<TComponent*>{label2, label1}));

  // Without Shift a press outside the selection replaces it.
  Press(barcode->Parent(), Point(barcode->Left() + 8, barcode->Top() + 8));
  Release(barcode->Parent(), Point(barcode->Left() + 8, barcode->Top() + 8));
  EXPECT_EQ(Selected(), std::vector<TComponent*>{barcode});
}

TEST_F(Mouse, APressTheHostRefusesSelectsNothingAndCreatesNothing) {
  controller->SetActive(true);
  select->SelectComponent(label2);
  stage->OnSelectQuery = TSelectQuery([this](TObject*, TComponent* c, TSelectAccept& s) {
    if (c == label1)
      s = TSelectAccept();
  });
  const int left = label1->Left();
  Drag(label1, Point(8, 8), Point(24, 8));
  EXPECT_EQ(Selected(), std::vector<TComponent*>{label2}) << "no move allowed: the press changes nothing";
  EXPECT_EQ(label1->Left(), left);

  // No creation allowed there: nothing is made, the palette goes back to
  // selecting all the same.
  ClickButton(labelButton);
  const int before = host->ComponentCount();
  Press(label1, Point(8, 8));
  EXPECT_EQ(controller->DragShape(), nullptr);
  Release(label1, Point(8, 8));
  EXPECT_EQ(host->ComponentCount(), before);
  EXPECT_TRUE(arrow->Down());
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
}

// ---- Creating ----
TEST_F(Mouse, AClickWithATemplateCreatesANamedSelectedCoveredControlAndTheHostHearsLast) {
  struct Seen {
    AnsiString name;
    TRect bounds;
    bool selectedAlone;
  };
  std::vector<Seen> seen;
  stage->OnControlCreate = TControlCreate([&](TObject*, TComponent* c) {
    auto* control = dynamic_cast<TControl*>(c);
    ASSERT_NE(control, nullptr);
    seen.push_back({c->Name(), control->BoundsRect(),
                    controller->SelectedCount() == 1 && controller->SelectedControl(0) == control});
  });
  controller->SetActive(true);
  ClickButton(labelButton);
  ASSERT_EQ(palette->CurrentTemplate(), labelPrototype);

  Press(stage, Point(21, 21));
  EXPECT_EQ(ClipNow(), HeldIn(stage));
  Release(stage, Point(21, 21));
  auto* made = dynamic_cast<TQRLabel*>(NewestComponent());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Parent(), stage);
  EXPECT_EQ(made->Name(), "QRLabel1");
  EXPECT_EQ(made->Caption(), "Metin");
  EXPECT_EQ(made->BoundsRect().left, 16);
  EXPECT_EQ(made->BoundsRect().top, 16);
  EXPECT_EQ(made->Width(), 50);
  EXPECT_EQ(made->Height(), 17);
  EXPECT_EQ(AgentsOf(made), 1) << "a windowed new control is covered";
  EXPECT_EQ(Selected(), std::vector<TComponent*>{made});
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, "QRLabel1");
  EXPECT_EQ(seen[0].bounds.left, 16);
  EXPECT_EQ(seen[0].bounds.right, 66);
  EXPECT_TRUE(seen[0].selectedAlone);
  EXPECT_TRUE(arrow->Down()) << "the palette is back in select mode";
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
  EXPECT_EQ(labelPrototype->Name(), "Dpst_QRLabel");
  EXPECT_EQ(ClipNow(), WholeScreen());

  // A second one takes the next number; deleting the first frees its name.
  ClickButton(labelButton);
  Press(stage, Point(100, 100));
  Release(stage, Point(100, 100));
  EXPECT_EQ(NewestComponent()->Name(), "QRLabel2");
  made->Free();
  ClickButton(labelButton);
  Press(stage, Point(100, 200));
  Release(stage, Point(100, 200));
  EXPECT_EQ(NewestComponent()->Name(), "QRLabel1");
}

TEST_F(Mouse, ADragBelowFivePixelsInADirectionGivesTheDefaultSizeThere) {
  UseGrid(1);
  controller->SetActive(true);
  struct Case {
    TPoint to;
    int width;
    int height;
  };
  const Case cases[] = {
      {Point(19, 46), 50, 30},   // 3 by 30
      {Point(76, 26), 60, 10},   // 60 by 10
      {Point(10, 10), 50, 17},   // up and to the left
      {Point(21, 20), 5, 17},    // 5 by 4: 5 is enough
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to.x * 1000 + c.to.y);
    ClickButton(labelButton);
    Drag(stage, Point(16, 16), c.to);
    auto* made = dynamic_cast<TQRLabel*>(NewestComponent());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Left(), 16);
    EXPECT_EQ(made->Top(), 16);
    EXPECT_EQ(made->Width(), c.width);
    EXPECT_EQ(made->Height(), c.height);
    EXPECT_EQ(ClipNow(), WholeScreen());
  }
}

TEST_F(Mouse, AClickOnAControlWithoutChildrenCreatesInItsParentAtTheConvertedPoint) {
  controller->SetActive(true);
  ClickButton(labelButton);
  // (14, 3) of the label is (24, 8) of the band, a grid point.
  Press(label1, Point(14, 3));
  EXPECT_EQ(ClipNow(), HeldIn(band));
  Release(label1, Point(14, 3));
  auto* made = dynamic_cast<TQRLabel*>(NewestComponent());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->Parent(), band);
  EXPECT_EQ(made->Left(), label1->Left() + 14);
  EXPECT_EQ(made->Top(), label1->Top() + 3);
  EXPECT_EQ(made->Width(), 50);
}

TEST_F(Mouse, AFailingCloneCreatesNothingAndReturnsToSelecting) {
  RegisterClasses({TBrokenLabel::StaticClass()});
  auto* broken = new TBrokenLabel(host);
  broken->SetName("Broken");
  broken->SetParent(panelPrototype);
  controller->SetActive(true);
  ClickButton(panelButton);
  ASSERT_EQ(palette->CurrentTemplate(), panelPrototype);
  const int before = host->ComponentCount();
  const int onStage = stage->ControlCount();

  Press(stage, Point(16, 16));
  Release(stage, Point(16, 16));
  EXPECT_EQ(host->ComponentCount(), before);
  EXPECT_EQ(stage->ControlCount(), onStage);
  EXPECT_EQ(panelPrototype->Name(), "Dpst_Panel");
  EXPECT_TRUE(arrow->Down());
  EXPECT_EQ(palette->CurrentTemplate(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
  test_support::Pump();
  EXPECT_TRUE(created.empty());
}

// ---- The rubber band ----
TEST_F(Mouse, AfterPickingTheArrowAPressOnTheStageStartsARubberBandNotACreation) {
  controller->SetActive(true);
  ClickButton(labelButton);
  ClickButton(arrow);
  const int before = host->ComponentCount();
  Press(stage, Point(200, 200));
  EXPECT_NE(controller->MarqueeShape(), nullptr);
  EXPECT_EQ(controller->DragShape(), nullptr);
  EXPECT_EQ(ClipNow(), HeldIn(stage));
  Release(stage, Point(200, 200));
  EXPECT_EQ(controller->MarqueeShape(), nullptr);
  EXPECT_EQ(host->ComponentCount(), before);
  EXPECT_EQ(ClipNow(), WholeScreen());
}

TEST_F(Mouse, CtrlPressOverALabelSpansABandInsideItsBandAndSelectsOnlyTheBandsChildren) {
  controller->SetActive(true);
  std::vector<TComponent*> asked;
  stage->OnSelectQuery = TSelectQuery([&](TObject*, TComponent* c, TSelectAccept&) { asked.push_back(c); });
  // From (2, 2) of label1 to (75, 10) of it: (8, 0) to (85, 15) of the band,
  // touching both labels, short of the barcode, and past the band's edge.
  Press(label1, Point(2, 2), MK_CONTROL);
  EXPECT_NE(controller->MarqueeShape(), nullptr);
  EXPECT_EQ(ClipNow(), HeldIn(band));
  MoveTo(label1, Point(75, 10), MK_CONTROL);
  Release(label1, Point(75, 10), MK_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<TComponent*>{label1, label2}));
  EXPECT_EQ(asked.size(), static_cast<std::size_t>(band->ControlCount())) << "each child of the band is asked";
  EXPECT_EQ(ClipNow(), WholeScreen());

  // A child the host will not have moved is not selected.
  stage->OnSelectQuery = TSelectQuery([this](TObject*, TComponent* c, TSelectAccept& s) {
    if (c == label2)
      s.Exclude(saMove);
  });
  Press(label1, Point(2, 2), MK_CONTROL);
  Release(label1, Point(75, 10), MK_CONTROL);
  EXPECT_EQ(Selected(), std::vector<TComponent*>{label1});
}

TEST_F(Mouse, AClickOnTheEmptyStageSpansFromTheSnappedPressToTheReleasePoint) {
  auto* page = new TPanel(host);
  page->SetName("Page");
  page->SetParent(stage);
  page->SetBounds(0, 0, 10, 10);
  report->SetLeft(40);
  report->SetTop(40);
  controller->SetActive(true);
  select->SelectComponent(label1);

  Press(stage, Point(13, 13));
  Release(stage, Point(13, 13));
  EXPECT_EQ(Selected(), std::vector<TComponent*>{page}) << "the band spans (8, 8) to (13, 13)";

  UseGrid(1);
  Press(stage, Point(13, 13));
  Release(stage, Point(13, 13));
  EXPECT_TRUE(Selected().empty()) << "an empty band selects nothing";
}

// ---- The cursor is let go however a drag ends ----
TEST_F(Mouse, ADragCutShortLetsTheCursorGo) {
  controller->SetActive(true);
  Press(label1, Point(8, 8));
  EXPECT_EQ(ClipNow(), HeldIn(band));
  SetCapture(palette->Handle());  // another window takes the mouse
  EXPECT_EQ(controller->DragShape(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
  ReleaseCapture();

  Press(stage, Point(200, 200));
  EXPECT_EQ(ClipNow(), HeldIn(stage));
  controller->SetActive(false);
  EXPECT_EQ(controller->MarqueeShape(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
  Release(stage, Point(200, 200));

  // A move without the button held drops an outline left over.
  controller->SetActive(true);
  Press(label1, Point(8, 8));
  Post(label1, WM_MOUSEMOVE, Point(9, 9), 0);
  EXPECT_EQ(controller->DragShape(), nullptr);
  EXPECT_EQ(ClipNow(), WholeScreen());
  Release(label1, Point(9, 9));
}

// ---- Outlines ----
class Outline : public testing::Test {
protected:
  void SetUp() override {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, 40, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 40, 40, WHITENESS);
    canvas = std::make_unique<TCanvas>(dc, TCanvasOwnership::Borrows);
  }
  void TearDown() override {
    canvas.reset();
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  bool Marked(int X, int Y) const { return GetPixel(dc, X, Y) != RGB(255, 255, 255); }
  int MarkedCount() const {
    int count = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        count += Marked(x, y) ? 1 : 0;
    return count;
  }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  std::unique_ptr<TCanvas> canvas;
};

TEST_F(Outline, ARectangleMovesByErasingTheLastOneAndHidesForGood) {
  TFundamentalShape shape(*canvas);
  shape.PenWidth = 1;
  shape.Width = 10;
  shape.Height = 6;
  shape.Offset = Point(2, 1);
  EXPECT_EQ(shape.State(), TFundamentalShape::NotDrawn);

  shape.DrawAt(3, 3);  // from (5, 4) to (15, 10)
  EXPECT_EQ(shape.State(), TFundamentalShape::Drawn);
  EXPECT_TRUE(Marked(5, 4));
  EXPECT_TRUE(Marked(14, 4));
  EXPECT_TRUE(Marked(5, 9));
  EXPECT_FALSE(Marked(8, 7)) << "only the frame is drawn";

  shape.DrawAt(20, 20);
  EXPECT_FALSE(Marked(5, 4)) << "the last rectangle is erased";
  EXPECT_TRUE(Marked(22, 21));

  // A negative size goes to the left and above the start.
  shape.Width = -10;
  shape.Height = -6;
  shape.DrawAt(20, 20);
  EXPECT_FALSE(Marked(32, 27));
  EXPECT_TRUE(Marked(12, 21));
  EXPECT_TRUE(Marked(22, 15));

  shape.Hide();
  EXPECT_EQ(MarkedCount(), 0) << "hiding restores the picture";
  shape.DrawAt(3, 3);
  EXPECT_EQ(MarkedCount(), 0) << "a hidden outline stays hidden";
}

TEST_F(Outline, AShapeHoldsTheCursorOnlyWhileItIsShown) {
  test_support::FormFixture fixture;
  auto* panel = fixture.Add<TPanel>(20, 30, 100, 80);
  fixture.Show();
  {
    TMultiShape shape;
    shape.SetSingleRect();
    shape.Show(panel);
    EXPECT_TRUE(shape.Clipping());
    EXPECT_EQ(ClipNow(), HeldIn(panel));
    shape.Hide();
    EXPECT_EQ(ClipNow(), WholeScreen());
    shape.Show(panel);
  }
  EXPECT_EQ(ClipNow(), WholeScreen()) << "freeing a shown outline lets the cursor go";
}

}  // namespace
