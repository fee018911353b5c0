#include "classlib/forms/actnlist.h"

#include <gtest/gtest.h>

#include "classlib/controls/stdctrls.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "forms_test_util.h"

namespace {

using forms_test::Owned;

class ActionTest : public ::testing::Test {
protected:
  ActionTest() {
    action = new TAction(owner.get());
    action->SetActionList(list);
    action->OnExecute = [this](TObject* sender) {
      EXPECT_EQ(sender, action);
      ++executed;
    };
  }
  Owned<TComponent> owner{new TComponent(nullptr)};
  TActionList* list = new TActionList(owner.get());
  TAction* action;
  int executed = 0;
};

TEST_F(ActionTest, AMenuItemFollowsItsAction) {
  auto* item = new TMenuItem(owner.get());
  action->SetCaption("&Kaydet");
  action->SetShortCut(scCtrl | 'S');
  item->SetAction(action);
  EXPECT_EQ(item->Caption(), "&Kaydet") << "linking copies the action's state";
  EXPECT_EQ(item->ShortCut(), scCtrl | 'S');
  action->SetEnabled(false);
  action->SetChecked(true);
  action->SetCaption("Yeni");
  action->SetVisible(false);
  EXPECT_FALSE(item->Enabled());
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(item->Caption(), "Yeni");
  EXPECT_FALSE(item->Visible());
  action->SetEnabled(true);
  item->Click();
  EXPECT_EQ(executed, 1) << "a click runs the action, not OnClick";
  EXPECT_EQ(action->ActionComponent(), nullptr) << "the client is known only while it runs";
}

TEST_F(ActionTest, FreeingTheActionUnlinksItsClients) {
  auto* item = new TMenuItem(owner.get());
  item->SetAction(action);
  action->Free();
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0);
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  item->Click();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ActionTest, ShortCutsRunEnabledActionsAfterTheirUpdate) {
  action->SetShortCut(VK_ESCAPE);
  int updates = 0;
  action->OnUpdate = [&](TObject*) { ++updates; };
  EXPECT_TRUE(list->IsShortCut(VK_ESCAPE));
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(list->IsShortCut(VK_F3));
  action->SetEnabled(false);
  EXPECT_FALSE(list->IsShortCut(VK_ESCAPE));
  EXPECT_EQ(executed, 1);
}

TEST_F(ActionTest, AnActionWithoutHandlerDoesNothing) {
  auto* silent = new TAction(owner.get());
  silent->SetActionList(list);
  silent->SetShortCut(VK_F9);
  EXPECT_FALSE(silent->Execute());
  EXPECT_TRUE(list->IsShortCut(VK_F9)) << "the key is still the action's";
}

TEST_F(ActionTest, TheListSeesExecutionFirst) {
  TBasicAction* seen = nullptr;
  list->OnExecute = [&](TBasicAction* a, bool& handled) {
    seen = a;
    handled = true;
  };
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(seen, action);
  EXPECT_EQ(executed, 0) << "the list handled it";
}

TEST_F(ActionTest, CheckedActionsOfAGroupExcludeEachOther) {
  auto* other = new TAction(owner.get());
  other->SetActionList(list);
  action->SetGroupIndex(1);
  other->SetGroupIndex(1);
  action->SetChecked(true);
  other->SetChecked(true);
  EXPECT_FALSE(action->Checked());
}

TEST_F(ActionTest, AControlFollowsItsActionAndClicksRunIt) {
  auto* button = new TButton(owner.get());
  action->SetCaption("Tamam");
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Tamam");
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  int ownClicks = 0;
  button->OnClick = [&](TObject*) { ++ownClicks; };
  button->Click();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(ownClicks, 0);
}

TEST_F(ActionTest, FreeingTheListFreesItsActions) {
  bool gone = false;
  struct Watch : TComponent {
    bool* flag;
    TComponent* watched;
    Watch(bool* f, TComponent* w) : TComponent(nullptr), flag(f), watched(w) { w->FreeNotification(this); }
    void Notification(TComponent* c, TOperation op) override {
      if (c == watched && op == opRemove)
        *flag = true;
    }
  };
  Owned<Watch> watch{new Watch(&gone, action)};
  list->Free();
  EXPECT_TRUE(gone);
}

TEST(ActionStreaming, ActionsComeBackInsideTheirList) {
  RegisterClasses({TActionList::StaticClass(), TAction::StaticClass()});
  TMemoryStream stream;
  {
    Owned<TForm> root{new TForm(nullptr)};
    root->SetName("Root");
    auto* list = new TActionList(root.get());
    list->SetName("Actions");
    auto* action = new TAction(root.get());
    action->SetName("Kapat");
    action->SetCaption("Kapat");
    action->SetActionList(list);
    TWriter writer(stream);
    writer.WriteRootComponent(root.get());
  }
  stream.SetPosition(0);
  Owned<TForm> copy{new TForm(nullptr)};
  {
    TReader reader(stream);
    reader.ReadRootComponent(copy.get());
  }
  auto* list = dynamic_cast<TActionList*>(copy->FindComponent("Actions"));
  auto* action = dynamic_cast<TAction*>(copy->FindComponent("Kapat"));
  ASSERT_NE(list, nullptr);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->ActionList(), list);
  EXPECT_EQ(action->Caption(), "Kapat");
}

}  // namespace
