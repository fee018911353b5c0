// A component that a holder owns and publishes through a read-only property
// is part of the holder: its properties are written with the holder's under
// the property's name and read back into the part the holder made itself.
// A writable property naming a component stays a reference.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "fixtures.h"

namespace {

class TSubPart : public TComponent {
  DECLARE_CLASS(TSubPart, TComponent)

public:
  explicit TSubPart(TComponent* AOwner) : TComponent(AOwner) {}
  int Size = 1;
};

BEGIN_PUBLISHED(TSubPart)
  PROPERTY(Size, Size, Size).Default(1),
END_PUBLISHED

class TSubHolder : public TComponent {
  DECLARE_CLASS(TSubHolder, TComponent)

public:
  explicit TSubHolder(TComponent* AOwner) : TComponent(AOwner), FPart(new TSubPart(this)) {
    FPart->SetName("Part");
  }
  TSubPart* Part() const { return FPart; }
  // A writable reference that happens to name the holder's own part.
  TSubPart* Link() const { return FLink; }
  void SetLink(TSubPart* Value) { FLink = Value; }

private:
  TSubPart* FPart;
  TSubPart* FLink = nullptr;
};

BEGIN_PUBLISHED(TSubHolder)
  PROPERTY_RO(Part, Part),
  PROPERTY(Link, Link, SetLink),
END_PUBLISHED

std::string WrittenText(TComponent* root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(root);
  }
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  return text.DataString();
}

TEST(SubComponent, IsWrittenWithItsHolderAndReadBackIntoItsOwnPart) {
  RegisterClasses({TSubHolder::StaticClass(), TSubPart::StaticClass()});
  TSubHolder written(nullptr);
  written.SetName("Holder");
  EXPECT_EQ(WrittenText(&written).find("Part.Size"), std::string::npos) << "a default is left out";
  written.Part()->Size = 7;
  const std::string text = WrittenText(&written);
  EXPECT_NE(text.find("  Part.Size = 7\r\n"), std::string::npos) << text;

  TSubHolder read(nullptr);
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(&read);
  EXPECT_EQ(read.Part()->Size, 7);
  EXPECT_EQ(read.ComponentCount(), 1) << "no second part";
}

TEST(SubComponent, AWritablePropertyStaysAReference) {
  TSubHolder holder(nullptr);
  holder.SetName("Holder");
  holder.Part()->Size = 3;
  holder.SetLink(holder.Part());
  const std::string text = WrittenText(&holder);
  EXPECT_EQ(text.find("Link.Size"), std::string::npos) << text;
  EXPECT_NE(text.find("Link = "), std::string::npos) << text;
}

}  // namespace
