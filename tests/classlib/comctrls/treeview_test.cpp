// The tree view: nodes as the window holds them, add and clear inside
// BeginUpdate/EndUpdate, selection and its events, arrow keys.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/comctrls/treeview.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

std::string ItemText(HWND wnd, HTREEITEM item) {
  wchar_t text[64] = {};
  TVITEMW tvi{};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = item;
  tvi.pszText = text;
  tvi.cchTextMax = 64;
  SendMessageW(wnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
  return AnsiOf(text);
}

// The window's tree as "text(child,child)" from the root items down.
std::string WindowTree(HWND wnd, HTREEITEM first) {
  std::string out;
  for (HTREEITEM item = first; item != nullptr;
       item = reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    if (!out.empty())
      out += ",";
    out += ItemText(wnd, item);
    auto child = reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    if (child != nullptr)
      out += "(" + WindowTree(wnd, child) + ")";
  }
  return out;
}

std::string WindowTree(HWND wnd) {
  return WindowTree(wnd, reinterpret_cast<HTREEITEM>(SendMessageW(wnd, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
}

int WindowCount(HWND wnd) { return static_cast<int>(SendMessageW(wnd, TVM_GETCOUNT, 0, 0)); }

class TreeViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    tree = fixture.Add<TTreeView>(10, 10, 200, 200);
    tree->OnChange = [this](TObject*, TTreeNode* node) { changes.push_back(node); };
  }

  FormFixture fixture;
  TTreeView* tree = nullptr;
  std::vector<TTreeNode*> changes;
};

TEST_F(TreeViewTest, NodesAddedBeforeAndAfterTheWindowAreInIt) {
  TTreeNodes* nodes = tree->Items();
  TTreeNode* a = nodes->Add(nullptr, "Etiket");
  nodes->AddChild(a, "Barkod");
  fixture.Show();
  changes.clear();  // the window may select its first node when it takes the focus
  TTreeNode* b = nodes->Add(a, "Rapor");
  nodes->AddChild(b, "Sayfa");
  nodes->AddChildFirst(a, "Başlık");
  EXPECT_EQ(WindowTree(tree->Handle()), "Etiket(Başlık,Barkod),Rapor(Sayfa)");
  EXPECT_EQ(nodes->Count(), 5);
  EXPECT_EQ(nodes->Item(2)->Text(), "Barkod");
  EXPECT_EQ(nodes->Item(4)->Level(), 1);
  EXPECT_EQ(a->Count(), 2);
  EXPECT_TRUE(changes.empty());
}

TEST_F(TreeViewTest, AddAndClearInsideBeginUpdateEndUpdate) {
  fixture.Show();
  TTreeNodes* nodes = tree->Items();
  nodes->Add(nullptr, "eski");
  nodes->BeginUpdate();
  nodes->Clear();
  for (int i = 0; i < 20; ++i) {
    TTreeNode* parent = nodes->Add(nullptr, "Grup " + std::to_string(i));
    for (int j = 0; j < 3; ++j)
      nodes->AddChild(parent, "Öğe " + std::to_string(j));
  }
  nodes->EndUpdate();
  EXPECT_EQ(WindowCount(tree->Handle()), 80);
  EXPECT_EQ(nodes->Count(), 80);
  EXPECT_EQ(ItemText(tree->Handle(), nodes->Item(0)->ItemId()), "Grup 0");
  nodes->BeginUpdate();
  nodes->Clear();
  nodes->Add(nullptr, "yeni");
  nodes->EndUpdate();
  EXPECT_EQ(WindowTree(tree->Handle()), "yeni");
  EXPECT_EQ(nodes->Count(), 1);
  // Drawing is back on: the window paints the node.
  EXPECT_TRUE(IsWindowVisible(tree->Handle()));
  // TVM_GETITEMRECT takes the item in the rectangle it fills.
  RECT r{};
  HTREEITEM item = nodes->Item(0)->ItemId();
  std::memcpy(&r, &item, sizeof(item));
  EXPECT_TRUE(SendMessageW(tree->Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
}

TEST_F(TreeViewTest, SelectingFiresOnChangeOnceAndOnChangingCanRefuse) {
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  fixture.Show();
  tree->SetSelected(b);
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)), b->ItemId());
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{b}));
  tree->OnChanging = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
  a->SetSelected(true);
  EXPECT_EQ(tree->Selected(), b);
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(TreeViewTest, ArrowKeysMoveTheSelection) {
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* a1 = tree->Items()->AddChild(a, "a1");
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  a->Expand(false);
  fixture.Show();
  tree->SetSelected(a);
  tree->SetFocus();
  Pump();
  changes.clear();
  PressKey(VK_DOWN);
  EXPECT_EQ(tree->Selected(), a1);
  PressKey(VK_DOWN);
  EXPECT_EQ(tree->Selected(), b);
  PressKey(VK_UP);
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{a1, b, a1}));
  PressKey(VK_LEFT);  // to the parent
  EXPECT_EQ(tree->Selected(), a);
}

TEST_F(TreeViewTest, DeletingTheSelectedNodeReportsTheNewSelectionOnce) {
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* b = tree->Items()->Add(nullptr, "b");
  tree->Items()->AddChild(b, "b1");
  fixture.Show();
  tree->SetSelected(b);
  changes.clear();
  b->Delete();
  EXPECT_EQ(WindowTree(tree->Handle()), "a");
  EXPECT_EQ(tree->Items()->Count(), 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], tree->Selected());
  EXPECT_NE(changes[0], b);
  changes.clear();
  tree->SetSelected(a);
  changes.clear();
  tree->Items()->Clear();
  EXPECT_EQ(changes, (std::vector<TTreeNode*>{nullptr}));
  EXPECT_EQ(tree->Selected(), nullptr);
}

TEST_F(TreeViewTest, ANewWindowKeepsTheNodesAndTheSelection) {
  TTreeNode* a = tree->Items()->Add(nullptr, "a");
  TTreeNode* a1 = tree->Items()->AddChild(a, "a1");
  fixture.Show();
  a->Expand(false);
  tree->SetSelected(a1);
  changes.clear();
  tree->SetShowLines(false);  // makes the window again
  EXPECT_EQ(WindowTree(tree->Handle()), "a(a1)");
  EXPECT_EQ(tree->Selected(), a1);
  EXPECT_TRUE(a->Expanded());
  EXPECT_TRUE(changes.empty());
}

}  // namespace
