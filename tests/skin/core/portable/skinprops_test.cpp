// Published properties reached by name: present, missing, of other kinds,
// and sets changed through their text.
#include <gtest/gtest.h>

#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"
#include "skin/core/skinprops.h"

namespace {

enum TBorderKind { bkNone, bkSingle, bkDouble };
enum TPartOption { poTop, poLeft, poTopLeft, poRight };

}  // namespace

DOZURI_ENUM(TBorderKind, "bkNone", "bkSingle", "bkDouble");
DOZURI_ENUM(TPartOption, "poTop", "poLeft", "poTopLeft", "poRight");
DOZURI_SET(TPartOptions, TPartOption);

namespace {

class TPropSample : public TComponent {
  DECLARE_CLASS(TPropSample, TComponent)

public:
  explicit TPropSample(TComponent* AOwner) : TComponent(AOwner) {}

  int Level = 7;
  TBorderKind Border = bkSingle;
  TPartOptions Parts;
  AnsiString Title = "x";
  TComponent* Link = nullptr;
  int Fixed() const { return 3; }
};

}  // namespace

BEGIN_PUBLISHED(TPropSample)
  PROPERTY(Level, Level, Level),
  PROPERTY(Border, Border, Border),
  PROPERTY(Parts, Parts, Parts),
  PROPERTY(Title, Title, Title),
  PROPERTY(Link, Link, Link),
  PROPERTY_RO(Fixed, Fixed),
END_PUBLISHED

namespace {

TEST(SkinProps, OrdinalValuesByName) {
  TPropSample sample(nullptr);
  EXPECT_TRUE(HasPublishedProperty(&sample, "Level"));
  EXPECT_FALSE(HasPublishedProperty(&sample, "Missing"));
  EXPECT_FALSE(HasPublishedProperty(nullptr, "Level"));
  EXPECT_EQ(GetOrdPropByName(&sample, "Level"), 7);
  EXPECT_EQ(GetOrdPropByName(&sample, "Border"), bkSingle);
  EXPECT_EQ(GetOrdPropByName(&sample, "Missing"), -1);
  EXPECT_EQ(GetOrdPropByName(&sample, "Title"), -1) << "not ordinal";

  SetOrdPropByName(&sample, "Level", 42);
  SetOrdPropByName(&sample, "Border", bkDouble);
  SetOrdPropByName(&sample, "Missing", 1);
  SetOrdPropByName(&sample, "Fixed", 9);
  SetOrdPropByName(&sample, "Title", 9);
  EXPECT_EQ(sample.Level, 42);
  EXPECT_EQ(sample.Border, bkDouble);
  EXPECT_EQ(sample.Fixed(), 3);
  EXPECT_EQ(sample.Title, "x");
}

TEST(SkinProps, ObjectValueByName) {
  TPropSample sample(nullptr);
  TComponent other(nullptr);
  EXPECT_EQ(GetObjectPropByName(&sample, "Link"), nullptr);
  sample.Link = &other;
  EXPECT_EQ(GetObjectPropByName(&sample, "Link"), &other);
  EXPECT_EQ(GetObjectPropByName(&sample, "Level"), nullptr);
  EXPECT_EQ(GetObjectPropByName(&sample, "Missing"), nullptr);
}

TEST(SkinProps, SetElementsByExactName) {
  TPropSample sample(nullptr);
  sample.Parts = {poTopLeft};
  EXPECT_TRUE(SetPropHasElement(&sample, "Parts", "poTopLeft"));
  EXPECT_FALSE(SetPropHasElement(&sample, "Parts", "poTop"));
  EXPECT_FALSE(SetPropHasElement(&sample, "Parts", "potopleft")) << "names compare exactly";
  EXPECT_FALSE(SetPropHasElement(&sample, "Missing", "poTop"));
  EXPECT_FALSE(SetPropHasElement(&sample, "Level", "poTop"));
}

TEST(SkinProps, ChangeSetElementThroughItsText) {
  TPropSample sample(nullptr);
  sample.Parts = {poTopLeft};
  ChangeSetPropElement(&sample, "Parts", "poTop", true);
  EXPECT_EQ(sample.Parts, (TPartOptions{poTop, poTopLeft})) << "poTopLeft must not hide poTop";
  ChangeSetPropElement(&sample, "Parts", "poTop", true);
  EXPECT_EQ(sample.Parts, (TPartOptions{poTop, poTopLeft}));
  ChangeSetPropElement(&sample, "Parts", "poTop", false);
  EXPECT_EQ(sample.Parts, (TPartOptions{poTopLeft}));
  ChangeSetPropElement(&sample, "Parts", "poTopLeft", false);
  EXPECT_TRUE(sample.Parts.Empty()) << "the only element removed leaves an empty set";
  ChangeSetPropElement(&sample, "Parts", "poRight", true);
  EXPECT_EQ(sample.Parts, (TPartOptions{poRight}));
  ChangeSetPropElement(&sample, "Parts", "poUnknown", true);
  ChangeSetPropElement(&sample, "Missing", "poTop", true);
  EXPECT_EQ(sample.Parts, (TPartOptions{poRight}));
}

}  // namespace
