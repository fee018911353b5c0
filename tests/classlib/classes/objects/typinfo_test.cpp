// The published property registry: look-up, order, kinds, access by kind
// and values as text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/system/formatsettings.h"
#include "fixtures.h"

namespace {

TEST(PropInfo, LookUpIsCaseInsensitiveAndWalksParents) {
  TSampleForm form(nullptr);
  ASSERT_NE(GetPropInfo(&form, "small"), nullptr);
  EXPECT_STREQ(GetPropInfo(&form, "SMALL")->Name, "Small");
  EXPECT_STREQ(GetPropInfo(&form, "tag")->Name, "Tag");  // TComponent's
  EXPECT_EQ(GetPropInfo(&form, "Missing"), nullptr);
  EXPECT_TRUE(IsPublishedProp(&form, "OnChange"));
  EXPECT_FALSE(IsPublishedProp(&form, "Clicks"));
  EXPECT_TRUE(IsPublishedProp(TSample::StaticClass(), "Frame"));
  EXPECT_THROW(PropType(&form, "Missing"), EPropertyError);
}

TEST(PropInfo, ListIsParentsFirstInDeclarationOrder) {
  std::vector<std::string> names;
  for (PPropInfo p : GetPropList(TSampleForm::StaticClass()))
    names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Small", "Medium", "Large", "Negative", "Text",
                                             "LongText", "Flag", "Kind", "Options", "Ratio", "Factor", "Big",
                                             "Frame", "Lines", "Items", "Buddy", "OnChange"}));
}

TEST(PropInfo, KindsAndTypeNames) {
  struct Case {
    const char* prop;
    TTypeKind kind;
    const char* typeName;
  };
  const Case cases[] = {
      {"Small", tkInteger, "Integer"},       {"Big", tkInt64, "Int64"},
      {"Flag", tkEnumeration, "Boolean"},    {"Kind", tkEnumeration, "TSampleKind"},
      {"Options", tkSet, "TSampleOptions"},  {"Ratio", tkFloat, "Extended"},
      {"Factor", tkFloat, "Single"},         {"Text", tkLString, "String"},
      {"Frame", tkClass, "TSampleFrame"},    {"Lines", tkClass, "TStringList"},
      {"Buddy", tkClass, "TSample"},         {"OnChange", tkMethod, "TNotifyEvent"},
  };
  for (const Case& c : cases) {
    PPropInfo p = GetPropInfo(TSample::StaticClass(), c.prop);
    ASSERT_NE(p, nullptr) << c.prop;
    EXPECT_EQ(p->Kind(), c.kind) << c.prop;
    EXPECT_EQ(p->PropType->Name, c.typeName) << c.prop;
  }
  PPropInfo kind = GetPropInfo(TSample::StaticClass(), "Kind");
  EXPECT_EQ(kind->PropType->EnumNames.size(), 3u);
  EXPECT_EQ(GetPropInfo(TSample::StaticClass(), "Options")->PropType->CompType->Name, "TSampleOption");
  EXPECT_EQ(GetPropInfo(TSampleFrame::StaticClass(), "DrawTop")->PropType,
            GetPropInfo(TSample::StaticClass(), "Flag")->PropType);  // one record per type
  EXPECT_EQ(GetPropInfo(TSample::StaticClass(), "Frame")->PropType->ClassType, TSampleFrame::StaticClass());
  EXPECT_FALSE(GetPropInfo(TComponent::StaticClass(), "Name")->IsStored(nullptr));
}

TEST(PropAccess, GetAndSetByKind) {
  TSampleForm form(nullptr);
  auto* other = new TSample(&form);
  SetOrdProp(&form, "Small", 42);
  SetOrdProp(&form, "Flag", 1);
  SetInt64Prop(&form, "Big", 1LL << 40);
  SetFloatProp(&form, "Ratio", 0.1L);
  SetStrProp(&form, "Text", "Ad");
  SetObjectProp(&form, "Buddy", other);
  SetMethodProp(&form, "OnChange", Method<&TSampleForm::OtherClick>(&form));
  EXPECT_EQ(form.Small, 42);
  EXPECT_TRUE(form.Flag);
  EXPECT_EQ(form.Big, 1LL << 40);
  EXPECT_EQ(form.Ratio, 0.1L);
  EXPECT_EQ(form.Text, "Ad");
  EXPECT_EQ(form.Buddy(), other);
  EXPECT_EQ(GetOrdProp(&form, "small"), 42);
  EXPECT_EQ(GetFloatProp(&form, "Ratio"), 0.1L);
  EXPECT_EQ(GetStrProp(&form, "Text"), "Ad");
  EXPECT_EQ(GetObjectProp(&form, "Buddy"), other);
  EXPECT_EQ(GetObjectProp(&form, "Frame"), form.Frame());
  EXPECT_EQ(GetMethodProp(&form, "OnChange"), Method<&TSampleForm::OtherClick>(&form));
  // Wrong kind, wrong class, unknown name.
  EXPECT_THROW(GetOrdProp(&form, "Text"), EPropertyError);
  EXPECT_THROW(SetObjectProp(&form, "Buddy", form.Lines()), EPropertyError);
  EXPECT_EQ(form.Buddy(), other);
  EXPECT_THROW(SetOrdProp(&form, "Nope", 1), EPropertyError);
}

TEST(PropAccess, EnumAndSetNames) {
  PTypeInfo kind = GetPropInfo(TSample::StaticClass(), "Kind")->PropType;
  EXPECT_EQ(GetEnumName(kind, 2), "skShape");
  EXPECT_EQ(GetEnumName(kind, 3), "");
  EXPECT_EQ(GetEnumValue(kind, "SKLABEL"), 1);
  EXPECT_EQ(GetEnumValue(kind, "skCircle"), -1);

  TSample sample(nullptr);
  sample.Options = {soBold, soFramed};
  EXPECT_EQ(GetSetProp(&sample, "Options"), "[soBold,soFramed]");
  EXPECT_EQ(GetSetProp(&sample, "Options", false), "soBold,soFramed");
  SetSetProp(&sample, "Options", "[ soItalic , soBold ]");
  EXPECT_EQ(sample.Options, (TSampleOptions{soBold, soItalic}));
  SetSetProp(&sample, "Options", "[]");
  EXPECT_TRUE(sample.Options.Empty());
  EXPECT_THROW(SetSetProp(&sample, "Options", "[soWavy]"), EPropertyError);
  SetEnumProp(&sample, "Kind", "skLabel");
  EXPECT_EQ(sample.Kind, skLabel);
  EXPECT_EQ(GetEnumProp(&sample, "Kind"), "skLabel");
}

TEST(PropValue, AsTextBothWays) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  TSampleForm form(nullptr);
  form.SetName("Form1");
  auto* label = new TSample(&form);
  label->SetName("Label1");
  auto* shape = new TSample(&form);
  shape->SetName("Shape1");
  struct Case {
    const char* prop;
    const char* text;
  };
  const Case cases[] = {
      {"Small", "-17"},        {"Big", "12345678901"}, {"Flag", "True"},
      {"Kind", "skShape"},     {"Options", "[soBold,soItalic]"},
      {"Ratio", "2,5"},        {"Text", "Çağ"},      {"Buddy", "Shape1"},
      {"OnChange", "ButtonClick"}, {"Buddy", ""},
  };
  for (const Case& c : cases) {
    SetPropValue(label, c.prop, c.text);
    EXPECT_EQ(GetPropValue(label, c.prop), c.text) << c.prop;
  }
  EXPECT_EQ(GetPropValue(label, "Frame"), "(TSampleFrame)");
  EXPECT_THROW(SetPropValue(label, "Small", "abc"), EConvertError);
  EXPECT_THROW(SetPropValue(label, "Kind", "skOval"), EPropertyError);
  EXPECT_THROW(SetPropValue(label, "Buddy", "Nobody"), EPropertyError);
  EXPECT_THROW(SetPropValue(label, "OnChange", "Nothing"), EPropertyError);
}

TEST(PropValue, NumberBeyondTheIntegerTypeIsRefusedNotWrapped) {
  TSample sample(nullptr);
  sample.Small = 5;
  for (const char* text : {"3000000000", "-2147483649", "$100000000"}) {
    EXPECT_THROW(SetPropValue(&sample, "Small", text), EPropertyError) << text;
    EXPECT_EQ(sample.Small, 5) << text;
  }
  SetPropValue(&sample, "Small", "2147483647");
  EXPECT_EQ(sample.Small, 2147483647);
}

}  // namespace
