#include "tests/support/barcode_components/componenttesting.h"

#include <gtest/gtest.h>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/writer.h"
#include "support/barcode/components/stbarcode.h"

IMPLEMENT_CLASS(TBarcodeTestRoot)

void TBarcodeTestRoot::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < ComponentCount(); ++i) Proc(Components(i));
}

void RegisterBarcodeTestClasses() {
  RegisterClasses({TStBarCode::StaticClass(), TBarcodeTestRoot::StaticClass()});
}

std::unique_ptr<TMemoryStream> WriteRoot(TComponent* root) {
  auto stream = std::make_unique<TMemoryStream>();
  {
    TWriter writer(*stream);
    writer.WriteRootComponent(root);
    writer.FlushBuffer();
  }
  stream->SetPosition(0);
  return stream;
}

std::string AsObjectText(TComponent* root) {
  std::unique_ptr<TMemoryStream> binary = WriteRoot(root);
  TStringStream text;
  ObjectBinaryToText(*binary, text);
  return text.DataString();
}

namespace {

struct PublishedCase {
  const char* Name;
  TTypeKind Kind;
  const char* TypeName;  // nullptr: the class library's choice, not checked here
};

const PublishedCase kPublished[] = {
    {"BarCodeType", tkEnumeration, "TBarcodeType"},
    {"Code", tkLString, "String"},
    {"BarWidth", tkFloat, "Extended"},
    {"BarToSpaceRatio", tkFloat, "Extended"},
    {"AddCheckChar", tkEnumeration, "Boolean"},
    {"ShowCode", tkEnumeration, "Boolean"},
    {"TallGuardBars", tkEnumeration, "Boolean"},
    {"GuardHeight", tkInteger, "Integer"},
    {"Color", tkInteger, nullptr},
    {"Font", tkClass, "TFont"},
    {"ParentFont", tkEnumeration, "Boolean"},
    {"Hint", tkLString, "String"},
};

}  // namespace

void ExpectBarcodeProperties(TClass c) {
  for (const PublishedCase& p : kPublished) {
    SCOPED_TRACE(std::string(c->Name) + "." + p.Name);
    PPropInfo info = GetPropInfo(c, p.Name);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Kind(), p.Kind);
    if (p.TypeName != nullptr) {
      EXPECT_EQ(info->PropType->Name, p.TypeName);
    }
  }
}

