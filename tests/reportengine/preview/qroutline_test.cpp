// The outline: its tree of headings built from the entries, finding an
// entry by key, and the preview handing its outline view to the printer
// object.
#include <gtest/gtest.h>

#include <string>

#include "classlib/comctrls/treeview.h"
#include "qrpreviewtesting.h"
#include "reportengine/preview/qroutline.h"

using test_support::FormFixture;

namespace {

TQROutlineEntry Entry(const char* caption, int level, int page = 1, const char* key = "") {
  TQROutlineEntry entry;
  entry.Caption = caption;
  entry.Level = level;
  entry.PageNumber = page;
  entry.Key = key;
  entry.Rect = RECT{level, page, level + 10, page + 10};
  return entry;
}

// The tree as text: each node's caption, its children in brackets.
std::string Shape(TTreeNode* node) {
  std::string text;
  for (; node != nullptr; node = node->GetNextSibling()) {
    text += node->Text();
    if (node->HasChildren())
      text += "[" + Shape(node->GetFirstChild()) + "]";
    if (node->GetNextSibling() != nullptr)
      text += " ";
  }
  return text;
}

class QROutlineTest : public ::testing::Test {
protected:
  void SetUp() override {
    form.Show();
    view = form.Add<TTreeView>(0, 0, 200, 200);
  }
  FormFixture form;
  TTreeView* view = nullptr;
};

TEST_F(QROutlineTest, EachEntryGoesUnderTheLastOneALevelAbove) {
  view->Items()->Add(nullptr, "eski");  // whatever the view held goes
  TQROutline outline;
  // "Önsöz" has nothing added a level above it yet, so it goes to the root;
  // "Derin" goes under the last entry added at level 2, wherever that is.
  for (const TQROutlineEntry& e : {Entry("Önsöz", 2), Entry("Giriş", 0), Entry("A", 1), Entry("B", 1),
                                   Entry("B1", 2), Entry("Son", 0), Entry("Ç", 1), Entry("Derin", 3)})
    outline.AddEntry(e);
  outline.SetTreeNodes(view->Items());
  EXPECT_EQ(Shape(view->Items()->GetFirstNode()), "Önsöz Giriş[A B[B1[Derin]]] Son[Ç]");
  EXPECT_EQ(view->Items()->Count(), 8);
}

TEST_F(QROutlineTest, ClearedOutlineEmptiesTheTreeOnTheNextBuild) {
  TQROutline outline;
  outline.AddEntry(Entry("Bölüm", 0));
  outline.SetTreeNodes(view->Items());
  ASSERT_EQ(view->Items()->Count(), 1);
  outline.Clear();
  EXPECT_EQ(outline.Count(), 0);
  outline.SetTreeNodes(view->Items());
  EXPECT_EQ(view->Items()->Count(), 0);
  outline.SetTreeNodes(nullptr);  // detached: nothing to build
  EXPECT_EQ(outline.TreeNodes(), nullptr);
}

TEST(QROutlineFindTest, FirstEntryWithTheKeyOrPageZero) {
  TQROutline outline;
  outline.AddEntry(Entry("Bir", 0, 2, "toplam"));
  outline.AddEntry(Entry("İki", 1, 5, "toplam"));
  outline.AddEntry(Entry("Üç", 0, 7, "son"));
  RECT rect{};
  int page = -1;
  outline.FindEntry("toplam", rect, page);
  EXPECT_EQ(page, 2);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 2);
  outline.FindEntry("son", rect, page);
  EXPECT_EQ(page, 7);
  outline.FindEntry("Toplam", rect, page);  // keys keep their case
  EXPECT_EQ(page, 0);
}

TEST_F(QROutlineTest, PreviewHandsItsOutlineViewToThePrinterObject) {
  qrpreview_test::A4Printer a4;
  a4.Run(1);
  auto* preview = new TQRPreview(form.Host());
  preview->SetParent(form.Host());
  preview->SetOutline(view);
  preview->SetQRPrinter(a4.printer.get());
  EXPECT_EQ(a4.printer->Outline(), view);

  auto* other = form.Add<TTreeView>(0, 0, 50, 50);
  preview->SetOutline(other);
  EXPECT_EQ(a4.printer->Outline(), other);

  other->Free();  // a freed view is forgotten by both
  EXPECT_EQ(preview->Outline(), nullptr);
  EXPECT_EQ(a4.printer->Outline(), nullptr);

  preview->SetOutline(view);
  preview->SetQRPrinter(nullptr);
  EXPECT_EQ(a4.printer->Outline(), nullptr);
}

}  // namespace
