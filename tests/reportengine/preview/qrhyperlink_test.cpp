// Links on a previewed page: which area a mouse position hits at a zoom,
// where an unhandled link goes, and the events the page image fires as the
// mouse enters, leaves and clicks a link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qrpreviewtesting.h"
#include "reportengine/preview/qrhyperlink.h"

using test_support::FormFixture;

namespace {

struct HitCase {
  int x, y, zoom;
  int expected;
};

class QRHyperlinkHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(QRHyperlinkHitTest, FirstAreaHoldingThePointInPageUnits) {
  // The second area overlaps the first; the first listed wins.
  const std::vector<TQRHyperlinkArea> areas = {{101, 100, 200, 150, "EXT:a"}, {150, 120, 300, 300, "INT:b"}};
  const HitCase c = GetParam();
  EXPECT_EQ(QRHyperlinkHit(areas, c.x, c.y, c.zoom), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Points, QRHyperlinkHitTest,
                         ::testing::Values(HitCase{150, 120, 100, 0},   // only in the first
                                           HitCase{160, 130, 100, 0},   // in both
                                           HitCase{250, 250, 100, 1},   // only in the second
                                           HitCase{5, 5, 100, -1},      // in neither
                                           HitCase{100, 60, 50, 0},     // zoom 50: page point (200, 120)
                                           HitCase{201, 250, 200, -1},  // 100.5 rounds to 100, left of 101
                                           HitCase{203, 250, 200, 0},   // 101.5 rounds to 102
                                           HitCase{200, 300, 100, 1},   // edges belong to the area
                                           HitCase{150, 120, 0, -1}));  // no zoom, no page

TEST(QRHyperlinkHitEmptyTest, NoAreasNoLink) {
  EXPECT_EQ(QRHyperlinkHit({}, 10, 10, 100), -1);
}

// Records what the shell would open and what the internal handlers take.
class QRLinkDispatchTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = SetQRShellOpener([this](HWND, const AnsiString& target) { opened.push_back(target); });
    RegisterQRHyperlinkSource("PAGE=", [this](TQRPrinter*, const AnsiString& text) { taken.push_back("PAGE=" + text); });
    RegisterQRHyperlinkSource("P", [this](TQRPrinter*, const AnsiString& text) { taken.push_back("P" + text); });
  }
  void TearDown() override {
    UnregisterQRHyperlinkSource("PAGE=");
    UnregisterQRHyperlinkSource("P");
    SetQRShellOpener(previous_);
  }

  std::vector<AnsiString> opened;
  std::vector<AnsiString> taken;

private:
  TQRShellOpener previous_;
};

struct DispatchCase {
  const char* link;
  const char* opened;  // what the shell opens, "" for nothing
  const char* taken;   // what a handler takes, prefix and text, "" for nothing
};

class QRLinkDispatchCases : public QRLinkDispatchTest, public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(QRLinkDispatchCases, GoesToTheShellOrAHandler) {
  const DispatchCase c = GetParam();
  DispatchQRHyperlink(nullptr, c.link, nullptr);
  EXPECT_EQ(opened, c.opened[0] ? std::vector<AnsiString>{c.opened} : std::vector<AnsiString>{});
  EXPECT_EQ(taken, c.taken[0] ? std::vector<AnsiString>{c.taken} : std::vector<AnsiString>{});
}

INSTANTIATE_TEST_SUITE_P(
    Links, QRLinkDispatchCases,
    ::testing::Values(DispatchCase{"EXT:http://ornek.com.tr", "http://ornek.com.tr", ""},
                      DispatchCase{"ext:C:\\Etiketler\\liste.txt", "C:\\Etiketler\\liste.txt", ""},
                      DispatchCase{"EXT:PAGE=3", "PAGE=3", ""},        // external even when a handler would take it
                      DispatchCase{"INT:PAGE=3", "", "PAGE=3"},        // first registered prefix that fits
                      DispatchCase{"Int:Pano", "", "Pano"},            // second handler
                      DispatchCase{"INT:bilinmeyen", "", ""},          // no handler: nothing opens
                      DispatchCase{"PAGE=5", "", "PAGE=5"},            // no prefix: the handlers first
                      DispatchCase{"page=5", "page=5", ""},            // handler prefixes keep their case
                      DispatchCase{"http://ornek.com.tr", "http://ornek.com.tr", ""},
                      DispatchCase{"EXT", "EXT", ""}));                // too short for a prefix

TEST_F(QRLinkDispatchTest, HandlersAreAskedInTheOrderRegistered) {
  // "PAGE=" was registered before "P": it takes what both fit.
  EXPECT_TRUE(OfferQRHyperlink(nullptr, "PAGE=7"));
  EXPECT_TRUE(OfferQRHyperlink(nullptr, "PX"));
  EXPECT_FALSE(OfferQRHyperlink(nullptr, "X"));
  EXPECT_EQ(taken, std::vector<AnsiString>({"PAGE=7", "PX"}));
}

TEST_F(QRLinkDispatchTest, HandlerReceivesThePrinterObject) {
  qrpreview_test::A4Printer a4;
  TQRPrinter* received = nullptr;
  RegisterQRHyperlinkSource("SAYFA:", [&](TQRPrinter* printer, const AnsiString&) { received = printer; });
  DispatchQRHyperlink(a4.printer.get(), "INT:SAYFA:2", nullptr);
  UnregisterQRHyperlinkSource("SAYFA:");
  EXPECT_EQ(received, a4.printer.get());
}

// The page image with link areas: events as the mouse moves and clicks.
class QRPreviewImageLinkTest : public QRLinkDispatchTest {
protected:
  void SetUp() override {
    QRLinkDispatchTest::SetUp();
    form.Show();
    image = form.Add<TQRPreviewImage>(0, 0, 400, 400);
    image->SetZoom(50);
  }
  void Move(int x, int y) { image->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  void Click(int x, int y) {
    image->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    image->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void Record(bool handle) {
    image->OnHyperlink = [this, handle](TObject* sender, TQRHyperlinkEventType type, const AnsiString& link,
                                        bool& handled) {
      senders.push_back(sender);
      events.push_back({type, link});
      if (type == heGoto)
        handled = handle;
    };
  }

  struct Event {
    TQRHyperlinkEventType type;
    AnsiString link;
    bool operator==(const Event&) const = default;
  };

  FormFixture form;
  TQRPreviewImage* image = nullptr;
  std::vector<Event> events;
  std::vector<TObject*> senders;
};

TEST_F(QRPreviewImageLinkTest, EnteringLeavingAndClickingALink) {
  image->HyperlinkAreas().push_back({200, 200, 400, 300, "EXT:http://ornek.com.tr"});
  Record(false);
  Move(10, 10);  // page (20, 20): no link, no event
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(image->Cursor(), crDefault);
  Move(150, 120);  // page (300, 240)
  Move(160, 120);  // still over it: no second event
  EXPECT_EQ(image->Cursor(), crHandPoint);
  EXPECT_TRUE(image->IsLink());
  Click(160, 120);
  Move(10, 10);
  EXPECT_EQ(image->Cursor(), crDefault);
  EXPECT_EQ(events, std::vector<Event>({{heCursorMoveOver, "EXT:http://ornek.com.tr"},
                                        {heGoto, "EXT:http://ornek.com.tr"},
                                        {heCursorMoveAway, ""}}));
  EXPECT_EQ(senders, std::vector<TObject*>(3, nullptr));  // the printer object: none here
  // Left unhandled, the click opened the link.
  EXPECT_EQ(opened, std::vector<AnsiString>({"http://ornek.com.tr"}));
}

TEST_F(QRPreviewImageLinkTest, HandledClickOpensNothing) {
  image->HyperlinkAreas().push_back({0, 0, 800, 800, "INT:PAGE=2"});
  Record(true);
  Move(10, 10);
  Click(10, 10);
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(taken.empty());
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(QRPreviewImageLinkTest, WithoutAreasTheCursorStaysAndClicksFireNothing) {
  Record(false);
  for (int x : {0, 100, 399}) {
    Move(x, x);
    Click(x, x);
  }
  EXPECT_EQ(image->Cursor(), crDefault);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(opened.empty());
}

TEST_F(QRPreviewImageLinkTest, PreviewHandsItsHyperlinkEventToTheImage) {
  auto* preview = new TQRPreview(form.Host());
  preview->SetParent(form.Host());
  int fired = 0;
  preview->SetOnHyperlink([&](TObject*, TQRHyperlinkEventType, const AnsiString&, bool&) { ++fired; });
  ASSERT_TRUE(preview->PreviewImage()->OnHyperlink);
  EXPECT_TRUE(preview->OnHyperlink());
  bool handled = false;
  preview->PreviewImage()->OnHyperlink(nullptr, heGoto, "x", handled);
  EXPECT_EQ(fired, 1);
}

}  // namespace
