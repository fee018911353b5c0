// Class records, the class registry, virtual constructors, Assign and events.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/events.h"
#include "fixtures.h"

namespace {

TEST(ClassRecord, NamesParentsAndInheritance) {
  TSampleForm form(nullptr);
  EXPECT_EQ(form.ClassName(), "TSampleForm");
  EXPECT_EQ(form.ClassType(), TSampleForm::StaticClass());
  EXPECT_EQ(form.ClassParent(), TSample::StaticClass());
  EXPECT_EQ(TSample::StaticClass()->Parent, TComponent::StaticClass());
  EXPECT_EQ(TComponent::StaticClass()->Parent, TPersistent::StaticClass());
  EXPECT_EQ(TPersistent::StaticClass()->Parent, TObject::StaticClass());
  EXPECT_EQ(TObject::StaticClass()->Parent, nullptr);
  EXPECT_TRUE(form.InheritsFrom(TComponent::StaticClass()));
  EXPECT_TRUE(form.InheritsFrom(TSampleForm::StaticClass()));
  EXPECT_FALSE(form.InheritsFrom(TCollection::StaticClass()));
  EXPECT_TRUE(form.ClassNameIs("tsampleform"));
  // Through a base pointer the record is still the object's own.
  TObject* base = &form;
  EXPECT_EQ(base->ClassName(), "TSampleForm");
}

TEST(ClassRegistry, RegisterFindGetUnregister) {
  EXPECT_EQ(GetClass("TUnregistered"), nullptr);
  try {
    FindClass("TUnregistered");
    FAIL() << "no exception";
  } catch (EClassNotFound& e) {
    EXPECT_EQ(e.Message, "Class TUnregistered not found");
  }
  RegisterClass(TUnregistered::StaticClass());
  RegisterClass(TUnregistered::StaticClass());  // twice is once
  EXPECT_EQ(GetClass("tunregistered"), TUnregistered::StaticClass());
  EXPECT_EQ(FindClass("TUnregistered"), TUnregistered::StaticClass());
  UnRegisterClass(TUnregistered::StaticClass());
  EXPECT_EQ(GetClass("TUnregistered"), nullptr);
}

TEST(ClassFactory, CreatesByClassRecordWithTheRightConstructor) {
  TSampleForm owner(nullptr);
  TClass cls = TSample::StaticClass();
  TObject* made = cls->Create(TCreateContext{&owner, nullptr});
  ASSERT_NE(dynamic_cast<TSample*>(made), nullptr);
  EXPECT_EQ(made->ClassName(), "TSample");
  EXPECT_EQ(static_cast<TSample*>(made)->Owner(), &owner);

  TOwnedCollection items(nullptr, TSampleItem::StaticClass());
  TObject* item = TSampleItem::StaticClass()->Create(TCreateContext{nullptr, &items});
  EXPECT_EQ(static_cast<TSampleItem*>(item)->Collection(), &items);
  EXPECT_EQ(items.Count(), 1);

  std::unique_ptr<TObject> frame(TSampleFrame::StaticClass()->Create());
  EXPECT_EQ(frame->ClassName(), "TSampleFrame");
  // A class without a usable constructor cannot be made by record.
  EXPECT_EQ(TCollection::StaticClass()->Factory, nullptr);
  EXPECT_THROW(TCollection::StaticClass()->Create(), EInvalidOperation);
}

TEST(Persistent, AssignWithoutSupportRaisesConvertError) {
  TSampleFrame frame;
  TSampleItem* unused = nullptr;
  (void)unused;
  TStringList strings;
  try {
    frame.Assign(&strings);
    FAIL() << "no exception";
  } catch (EConvertError& e) {
    EXPECT_EQ(e.Message, "Cannot assign a TStringList to a TSampleFrame");
  }
  try {
    frame.Assign(nullptr);
    FAIL() << "no exception";
  } catch (EConvertError& e) {
    EXPECT_EQ(e.Message, "Cannot assign a nil to a TSampleFrame");
  }
  TSampleFrame other;
  other.Width = 9;
  frame.Assign(&other);
  EXPECT_EQ(frame.Width, 9);
}

TEST(Persistent, NamePaths) {
  TSampleForm form(nullptr);
  form.SetName("Form1");
  auto* label = new TSample(&form);
  label->SetName("Label1");
  auto* item = label->Items()->Add();
  label->Items()->Add();
  auto* second = label->Items()->Items(1);
  EXPECT_EQ(label->GetNamePath(), "Label1");
  EXPECT_EQ(label->Items()->GetNamePath(), "Label1.Items");
  EXPECT_EQ(item->GetNamePath(), "Label1.Items[0]");
  EXPECT_EQ(second->GetNamePath(), "Label1.Items[1]");
  EXPECT_EQ(TSampleFrame().GetNamePath(), "TSampleFrame");
}

// ---- Events ------------------------------------------------------------------
DOZURI_EVENT(TPrintEvent, void(TObject* Sender, bool& Print));

TEST(Events, MethodPointersCompareSaveAndRestore) {
  TSampleForm form(nullptr);
  TSampleForm other(nullptr);
  TNotifyEvent a = Method<&TSampleForm::ButtonClick>(&form);
  TNotifyEvent b = Method<&TSampleForm::ButtonClick>(&form);
  TNotifyEvent c = Method<&TSampleForm::OtherClick>(&form);
  TNotifyEvent d = Method<&TSampleForm::ButtonClick>(&other);
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a == c);
  EXPECT_FALSE(a == d);
  EXPECT_TRUE(TNotifyEvent() == TNotifyEvent(nullptr));

  TMethod saved = a.GetMethod();
  a = nullptr;
  EXPECT_FALSE(a.Assigned());
  a = saved;
  EXPECT_TRUE(a == b);
  a(&other);
  ASSERT_EQ(form.Clicks.size(), 1u);
  EXPECT_EQ(form.Clicks[0], &other);
}

TEST(Events, NamedThroughPublishedMethods) {
  TSampleForm form(nullptr);
  EXPECT_EQ(form.MethodAddress("buttonclick"), MethodCode<&TSampleForm::ButtonClick>());
  EXPECT_EQ(form.MethodName(MethodCode<&TSampleForm::OtherClick>()), "OtherClick");
  EXPECT_EQ(form.MethodAddress("Missing"), nullptr);
  EXPECT_EQ(form.MethodName(nullptr), "");
  // Parents' tables are searched; a plain sample publishes none.
  TSample sample(nullptr);
  EXPECT_EQ(sample.MethodAddress("ButtonClick"), nullptr);
}

TEST(Events, SignatureMustMatch) {
  TSampleForm form(nullptr);
  TMethod print = Method<&TSampleForm::Print>(&form);
  TNotifyEvent notify;
  EXPECT_THROW(notify.SetMethod(print), EInvalidCast);
  EXPECT_FALSE(notify.Assigned());
  TPrintEvent printEvent = print;
  bool flag = true;
  printEvent(&form, flag);
  EXPECT_TRUE(printEvent.Assigned());
}

TEST(Events, PlainCallableIsAssignedButNotAMethod) {
  int calls = 0;
  TPrintEvent event = [&](TObject*, bool& print) {
    ++calls;
    print = false;
  };
  bool print = true;
  event(nullptr, print);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(print);
  EXPECT_TRUE(event.Assigned());
  EXPECT_FALSE(event.GetMethod().Assigned());
  EXPECT_FALSE(event == event);
  // Unassigned events do nothing when called.
  TPrintEvent empty;
  empty(nullptr, print);
}

}  // namespace
