#include "fixtures.h"

#include <algorithm>

#include "classlib/classes/filer.h"
#include "classlib/classes/streams.h"

BEGIN_PUBLISHED(TSampleFrame)
  PROPERTY(Width, Width, Width).Default(1),
  PROPERTY(DrawTop, DrawTop, DrawTop).Default(false),
END_PUBLISHED

void TSampleFrame::Assign(TPersistent* Source) {
  if (auto* frame = dynamic_cast<TSampleFrame*>(Source)) {
    Width = frame->Width;
    DrawTop = frame->DrawTop;
    return;
  }
  TPersistent::Assign(Source);
}

BEGIN_PUBLISHED(TSampleItem)
  PROPERTY(Caption, Caption, Caption),
  PROPERTY(Value, Value, Value),
  PROPERTY(Target, Target, Target),
END_PUBLISHED

BEGIN_PUBLISHED(TSample)
  PROPERTY(Small, Small, Small).Default(0),
  PROPERTY(Medium, Medium, Medium).Default(0),
  PROPERTY(Large, Large, Large).Default(0),
  PROPERTY(Negative, Negative, Negative).Default(0),
  PROPERTY(Text, Text, Text),
  PROPERTY(LongText, LongText, LongText),
  PROPERTY(Flag, Flag, Flag).Default(false),
  PROPERTY(Kind, Kind, Kind).Default(skNone),
  PROPERTY(Options, Options, Options).Default(TSampleOptions{}),
  PROPERTY(Ratio, Ratio, Ratio),
  PROPERTY(Factor, Factor, Factor),
  PROPERTY(Big, Big, Big),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY(Lines, Lines, SetLines),
  PROPERTY(Items, Items, SetItems),
  PROPERTY(Buddy, Buddy, SetBuddy),
  PROPERTY(OnChange, OnChange, OnChange),
END_PUBLISHED

TSample::TSample(TComponent* AOwner)
    : TComponent(AOwner),
      FFrame(std::make_unique<TSampleFrame>()),
      FLines(std::make_unique<TStringList>()),
      FItems(std::make_unique<TOwnedCollection>(this, TSampleItem::StaticClass())) {}

TSample::~TSample() {
  SetParent(nullptr);
  for (TSample* child : std::vector<TSample*>(FChildren))
    child->SetParent(nullptr);
}

void TSample::SetBuddy(TSample* Value) {
  if (FBuddy == Value)
    return;
  if (FBuddy != nullptr)
    FBuddy->RemoveFreeNotification(this);
  FBuddy = Value;
  if (FBuddy != nullptr)
    FBuddy->FreeNotification(this);
}

void TSample::SetParent(TSample* Value) {
  if (FParent == Value)
    return;
  if (FParent != nullptr)
    std::erase(FParent->FChildren, this);
  FParent = Value;
  if (FParent != nullptr)
    FParent->FChildren.push_back(this);
}

void TSample::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TSample* child : FChildren)
    if (child->Owner() == Root)
      Proc(child);
}

void TSample::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
  BuddyAtLoaded = FBuddy;
}

void TSample::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBuddy)
    FBuddy = nullptr;
}

void TSample::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "Data",
      [this](TStream& stream) {
        Data.assign(static_cast<std::size_t>(stream.Size()), '\0');
        stream.ReadBuffer(Data.data(), static_cast<std::int32_t>(Data.size()));
      },
      [this](TStream& stream) { stream.WriteBuffer(Data.data(), static_cast<std::int32_t>(Data.size())); },
      !Data.empty());
}

BEGIN_PUBLISHED(TSampleForm)
  METHOD(ButtonClick),
  METHOD(OtherClick),
  METHOD(Print),
  FIELD_CLASS(TFieldOnly),
END_PUBLISHED

IMPLEMENT_CLASS(TFieldOnly)
IMPLEMENT_CLASS(TUnregistered)

void RegisterSampleClasses() { RegisterClasses({TSample::StaticClass(), TSampleForm::StaticClass()}); }
