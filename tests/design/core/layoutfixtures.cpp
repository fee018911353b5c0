#include "layoutfixtures.h"

#include <algorithm>

#include "classlib/classes/objecttext.h"

BEGIN_PUBLISHED(TTestNode)
  PROPERTY(Caption, Caption, Caption),
  PROPERTY(Number, Number, Number).Default(0),
  PROPERTY(Link, Link, SetLink),
  PROPERTY(OnPrint, OnPrint, OnPrint),
END_PUBLISHED

IMPLEMENT_CLASS(TTestPage)
IMPLEMENT_CLASS(TTestBand)
IMPLEMENT_CLASS(TTestText)
IMPLEMENT_CLASS(TTestStranger)

BEGIN_PUBLISHED(TTestForm)
  METHOD(PagePrint),
  METHOD(TextPrint),
END_PUBLISHED

TTestNode::~TTestNode() {
  while (!FChildren.empty())
    FChildren.back()->Free();
  SetParent(nullptr);
}

void TTestNode::SetLink(TTestNode* Value) {
  if (FLink == Value)
    return;
  if (FLink != nullptr)
    FLink->RemoveFreeNotification(this);
  FLink = Value;
  if (FLink != nullptr)
    FLink->FreeNotification(this);
}

void TTestNode::SetParent(TTestNode* Value) {
  if (FParent == Value)
    return;
  if (FParent != nullptr)
    std::erase(FParent->FChildren, this);
  FParent = Value;
  if (FParent != nullptr)
    FParent->FChildren.push_back(this);
}

void TTestNode::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TTestNode* child : FChildren)
    if (child->Owner() == Root)
      Proc(child);
}

void TTestNode::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLink)
    FLink = nullptr;
}

void TTestNode::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
  LinkAtLoaded = FLink;
}

void RegisterTestLayoutClasses() {
  static bool done = false;
  if (done)
    return;
  RegisterClasses({TTestPage::StaticClass(), TTestBand::StaticClass(), TTestText::StaticClass()});
  done = true;
}

std::string StreamBytes(TStream& Stream) {
  std::string bytes(static_cast<std::size_t>(Stream.Size()), '\0');
  Stream.SetPosition(0);
  if (!bytes.empty())
    Stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

std::unique_ptr<TMemoryStream> BytesStream(const std::string& Bytes) {
  auto stream = std::make_unique<TMemoryStream>();
  if (!Bytes.empty())
    stream->WriteBuffer(Bytes.data(), static_cast<std::int32_t>(Bytes.size()));
  stream->SetPosition(0);
  return stream;
}

std::string RecordFromText(const std::string& Text) {
  TStringStream input(Text);
  TMemoryStream output;
  ObjectTextToBinary(input, output);
  return StreamBytes(output);
}
