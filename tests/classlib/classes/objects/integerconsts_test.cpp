// Integer types with named values: the registry, the type names properties
// declare, and the names in the writer, the reader, the text form and
// GetPropValue/SetPropValue.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/typinfo.h"
#include "classlib/classes/writer.h"
#include "classlib/system/strutils.h"

// An enumeration, whose names never come from the integer registry.
enum TShadeMode { smFlat, smRaised };
DOZURI_ENUM(TShadeMode, "smFlat", "smRaised");

namespace {

// A small map of names for the test types "TShade" (int) and "TTint" (byte).
struct ShadeName {
  int value;
  const char* name;
};
const ShadeName kShades[] = {
    {0, "shNone"}, {1, "shRed"}, {2, "shGreen"}, {300, "shWide"}, {-5, "shNegative"}, {100000, "shHuge"},
};

bool ShadeToIdent(int value, AnsiString& ident) {
  for (const ShadeName& s : kShades)
    if (s.value == value) {
      ident = s.name;
      return true;
    }
  return false;
}

bool IdentToShade(const AnsiString& ident, int& value) {
  for (const ShadeName& s : kShades)
    if (SameText(s.name, ident)) {
      value = s.value;
      return true;
    }
  return false;
}

bool NoIdent(int, AnsiString&) { return false; }
bool NoInt(const AnsiString&, int&) { return false; }

void RegisterShades() {
  RegisterIntegerConsts("TShade", IdentToShade, ShadeToIdent);
  RegisterIntegerConsts("TTint", IdentToShade, ShadeToIdent);
}

class TShadeHolder : public TComponent {
  DECLARE_CLASS(TShadeHolder, TComponent)

public:
  explicit TShadeHolder(TComponent* AOwner) : TComponent(AOwner) {}

  int Shade = 0;             // TShade: names registered
  std::uint8_t Tint = 0;     // TTint: the same names, a byte's range
  int Plain = 0;             // Integer: no names
  int Backdrop = 0;          // TShade, with a default
  std::int64_t Wide = 0;     // Int64: never by name
  TShadeMode Mode = smFlat;  // an enumeration
};

BEGIN_PUBLISHED(TShadeHolder)
  PROPERTY(Shade, Shade, Shade).TypeName("TShade"),
  PROPERTY(Tint, Tint, Tint).TypeName("TTint").Default(0),
  PROPERTY(Plain, Plain, Plain).Default(0),
  PROPERTY(Backdrop, Backdrop, Backdrop).TypeName("TShade").Default(2),
  PROPERTY(Wide, Wide, Wide),
  PROPERTY(Mode, Mode, Mode).Default(smFlat),
END_PUBLISHED

PTypeInfo TypeOf(const char* propName) { return GetPropInfo(TShadeHolder::StaticClass(), propName)->PropType; }

class IntegerConstsTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterShades();
    RegisterClass(TShadeHolder::StaticClass());
    holder.SetName("Holder");
    holder.Backdrop = 2;
  }

  TShadeHolder holder{nullptr};
};

// ---- Registry and type names ----------------------------------------------
TEST_F(IntegerConstsTest, RegistryFindsTheMapsByTypeNameWithoutRegardToCase) {
  EXPECT_EQ(FindIntToIdent("TShade"), &ShadeToIdent);
  EXPECT_EQ(FindIdentToInt("tshade"), &IdentToShade);
  EXPECT_EQ(FindIntToIdent(TypeOf("Shade")), &ShadeToIdent);
  EXPECT_EQ(FindIdentToInt(TypeOf("Tint")), &IdentToShade);
  EXPECT_EQ(FindIntToIdent("TNoSuchType"), nullptr);
  EXPECT_EQ(FindIdentToInt("TNoSuchType"), nullptr);
  // Plain integers have no names; only integer types are looked up.
  EXPECT_EQ(FindIntToIdent(TypeOf("Plain")), nullptr);
  EXPECT_EQ(FindIntToIdent(static_cast<PTypeInfo>(nullptr)), nullptr);
  RegisterIntegerConsts("TShadeMode", IdentToShade, ShadeToIdent);
  EXPECT_EQ(FindIntToIdent(TypeOf("Mode")), nullptr);
  EXPECT_EQ(FindIdentToInt(TypeOf("Mode")), nullptr);
}

TEST_F(IntegerConstsTest, LaterRegistrationReplacesTheEarlier) {
  RegisterIntegerConsts("TReplaced", IdentToShade, ShadeToIdent);
  RegisterIntegerConsts("TREPLACED", NoInt, NoIdent);
  EXPECT_EQ(FindIntToIdent("TReplaced"), &NoIdent);
  EXPECT_EQ(FindIdentToInt("TReplaced"), &NoInt);
}

TEST_F(IntegerConstsTest, TypeNameKeepsKindAndRangeOfTheCppType) {
  PTypeInfo shade = TypeOf("Shade");
  EXPECT_EQ(shade->Name, "TShade");
  EXPECT_EQ(shade->Kind, tkInteger);
  EXPECT_EQ(shade->OrdType, otSLong);
  EXPECT_EQ(shade->MinValue, INT_MIN);
  EXPECT_EQ(shade->MaxValue, INT_MAX);
  PTypeInfo tint = TypeOf("Tint");
  EXPECT_EQ(tint->Name, "TTint");
  EXPECT_EQ(tint->OrdType, otUByte);
  EXPECT_EQ(tint->MinValue, 0);
  EXPECT_EQ(tint->MaxValue, 255);
  // One record per type name; the plain type keeps its own name.
  EXPECT_EQ(TypeOf("Backdrop"), shade);
  EXPECT_EQ(TypeOf("Plain")->Name, "Integer");
  EXPECT_EQ(GetPropInfo(TShadeHolder::StaticClass(), "Backdrop")->DefaultValue, 2);
}

TEST_F(IntegerConstsTest, IntegerToIdentAndBack) {
  AnsiString ident;
  EXPECT_TRUE(IntegerToIdent(TypeOf("Shade"), 300, ident));
  EXPECT_EQ(ident, "shWide");
  EXPECT_FALSE(IntegerToIdent(TypeOf("Shade"), 7, ident));
  EXPECT_FALSE(IntegerToIdent(TypeOf("Plain"), 1, ident));
  // Beyond 32 bits a value has no name, even where its low bits would.
  EXPECT_FALSE(IntegerToIdent(TypeOf("Shade"), (std::int64_t{1} << 32) + 1, ident));
  std::int64_t value = 0;
  EXPECT_TRUE(IdentToInteger(TypeOf("Shade"), "SHNEGATIVE", value));
  EXPECT_EQ(value, -5);
  EXPECT_FALSE(IdentToInteger(TypeOf("Shade"), "shPurple", value));
  EXPECT_FALSE(IdentToInteger(TypeOf("Plain"), "shRed", value));
}

// ---- Writer -------------------------------------------------------------------
using Bytes = std::vector<unsigned char>;

void Str(Bytes& b, const std::string& s) {
  b.push_back(static_cast<unsigned char>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}

// A TShadeHolder "Holder" stream with the given property values, in order.
Bytes HolderBytes(std::initializer_list<std::pair<const char*, Bytes>> props) {
  Bytes b{'T', 'P', 'F', '0'};
  Str(b, "TShadeHolder");
  Str(b, "Holder");
  for (const auto& [name, value] : props) {
    Str(b, name);
    b.insert(b.end(), value.begin(), value.end());
  }
  b.push_back(0x00);  // end of properties
  b.push_back(0x00);  // end of children
  return b;
}

Bytes Ident(const std::string& name) {
  Bytes b{vaIdent};
  Str(b, name);
  return b;
}

Bytes WrittenBytes(TShadeHolder& holder) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(&holder);
  }
  auto* p = static_cast<unsigned char*>(stream.Memory());
  return Bytes(p, p + stream.Size());
}

struct WriteCase {
  int shade;
  Bytes value;  // how Shade is written
};

TEST_F(IntegerConstsTest, WriterWritesNamedValuesAsIdentifiersAndOthersAsNumbers) {
  const WriteCase cases[] = {
      {0, Ident("shNone")},      // no default: written, by name
      {1, Ident("shRed")},
      {300, Ident("shWide")},
      {-5, Ident("shNegative")},
      {100000, Ident("shHuge")},
      {7, {vaInt8, 0x07}},
      {-300, {vaInt16, 0xD4, 0xFE}},
      {40000, {vaInt32, 0x40, 0x9C, 0x00, 0x00}},
  };
  for (const WriteCase& c : cases) {
    holder.Shade = c.shade;
    EXPECT_EQ(WrittenBytes(holder), HolderBytes({{"Shade", c.value}})) << c.shade;
  }
}

TEST_F(IntegerConstsTest, WriterNamesOnlyTypesWithRegisteredNames) {
  holder.Shade = 2;
  holder.Tint = 1;
  holder.Plain = 1;       // Integer: a number although 1 is shRed
  holder.Backdrop = 300;  // not its default 2
  holder.Wide = 1;        // Int64: a number
  EXPECT_EQ(WrittenBytes(holder), HolderBytes({{"Shade", Ident("shGreen")},
                                               {"Tint", Ident("shRed")},
                                               {"Plain", {vaInt8, 0x01}},
                                               {"Backdrop", Ident("shWide")},
                                               {"Wide", {vaInt8, 0x01}}}));
}

// ---- Reader -------------------------------------------------------------------
void ReadInto(TShadeHolder& target, const Bytes& bytes, TReaderError onError = {}) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  stream.SetPosition(0);
  TReader reader(stream);
  reader.OnError = onError;
  reader.ReadRootComponent(&target);
}

struct ReadCase {
  const char* prop;
  Bytes value;
  int shade;  // expected Shade
  int tint;   // expected Tint
};

TEST_F(IntegerConstsTest, ReaderTakesIdentifiersAndNumbers) {
  const ReadCase cases[] = {
      {"Shade", Ident("shWide"), 300, 0},
      {"Shade", Ident("SHRED"), 1, 0},
      {"Shade", {vaInt16, 0x2C, 0x01}, 300, 0},
      {"Shade", {vaInt32, 0x40, 0x9C, 0x00, 0x00}, 40000, 0},
      {"Tint", Ident("shGreen"), 0, 2},
      {"Tint", {vaInt8, 0x7F}, 0, 127},
  };
  for (const ReadCase& c : cases) {
    TShadeHolder read(nullptr);
    ReadInto(read, HolderBytes({{c.prop, c.value}}));
    EXPECT_EQ(read.Shade, c.shade) << c.prop;
    EXPECT_EQ(read.Tint, c.tint) << c.prop;
  }
}

TEST_F(IntegerConstsTest, WrittenIdentifiersReadBack) {
  holder.Shade = -5;
  holder.Tint = 2;
  holder.Backdrop = 100000;
  TShadeHolder read(nullptr);
  ReadInto(read, WrittenBytes(holder));
  EXPECT_EQ(read.Shade, -5);
  EXPECT_EQ(read.Tint, 2);
  EXPECT_EQ(read.Backdrop, 100000);
}

struct BadIdentCase {
  const char* what;
  const char* prop;
  Bytes value;
};

const BadIdentCase kBadIdents[] = {
    {"UnknownName", "Shade", Ident("shPurple")},
    {"NameOutOfTheTypesRange", "Tint", Ident("shWide")},
    {"NameForTypeWithoutNames", "Plain", Ident("shRed")},
    {"NameAsString", "Shade", {vaString, 0x05, 's', 'h', 'R', 'e', 'd'}},
};

TEST_F(IntegerConstsTest, UnknownIdentifierIsABadValueTheTolerantReadSkips) {
  for (const BadIdentCase& c : kBadIdents) {
    Bytes bytes = HolderBytes({{"Shade", {vaInt8, 0x07}}, {c.prop, c.value}, {"Backdrop", Ident("shHuge")}});
    TShadeHolder read(nullptr);
    read.Plain = 9;
    read.Tint = 9;
    std::vector<std::string> errors;
    ReadInto(read, bytes, [&](TReader*, const AnsiString& message, bool& handled) {
      errors.push_back(message);
      handled = true;
    });
    ASSERT_EQ(errors.size(), 1u) << c.what;
    EXPECT_NE(errors[0].find("Invalid property value"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(std::string("Holder.") + c.prop), std::string::npos) << errors[0];
    // The bad value is skipped and the values around it are read.
    EXPECT_EQ(read.Plain, 9) << c.what;
    EXPECT_EQ(read.Tint, 9) << c.what;
    EXPECT_EQ(read.Shade, 7) << c.what;
    EXPECT_EQ(read.Backdrop, 100000) << c.what;

    TShadeHolder strict(nullptr);
    EXPECT_THROW(ReadInto(strict, bytes), EReadError) << c.what;
  }
}

// ---- Text forms ---------------------------------------------------------------
TEST_F(IntegerConstsTest, TextFormShowsIdentifiersAndParsesThemBack) {
  holder.Shade = 300;
  holder.Tint = 4;
  Bytes written = WrittenBytes(holder);
  TMemoryStream binary;
  binary.WriteBuffer(written.data(), static_cast<int>(written.size()));
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  const std::string expected =
      "object Holder: TShadeHolder\r\n"
      "  Shade = shWide\r\n"
      "  Tint = 4\r\n"
      "end\r\n";
  EXPECT_EQ(text.DataString(), expected);

  // The text gives back the same bytes, and a hand-written text reads.
  TStringStream input(expected);
  TMemoryStream again;
  ObjectTextToBinary(input, again);
  auto* p = static_cast<unsigned char*>(again.Memory());
  EXPECT_EQ(Bytes(p, p + again.Size()), written);

  TStringStream handWritten("object Holder: TShadeHolder\n  Shade = shNegative\n  Tint = shGreen\n"
                            "  Backdrop = 255\nend\n");
  TMemoryStream parsed;
  ObjectTextToBinary(handWritten, parsed);
  auto* q = static_cast<unsigned char*>(parsed.Memory());
  TShadeHolder read(nullptr);
  ReadInto(read, Bytes(q, q + parsed.Size()));
  EXPECT_EQ(read.Shade, -5);
  EXPECT_EQ(read.Tint, 2);
  EXPECT_EQ(read.Backdrop, 255);
}

struct PropValueCase {
  const char* prop;
  int value;
  const char* text;
};

TEST_F(IntegerConstsTest, GetPropValueNamesValuesThatHaveNames) {
  const PropValueCase cases[] = {
      {"Shade", 300, "shWide"}, {"Shade", -5, "shNegative"}, {"Shade", 7, "7"},
      {"Tint", 1, "shRed"},     {"Plain", 1, "1"},           {"Backdrop", 2, "shGreen"},
  };
  for (const PropValueCase& c : cases) {
    SetOrdProp(&holder, c.prop, c.value);
    EXPECT_EQ(GetPropValue(&holder, c.prop), c.text) << c.prop << " " << c.value;
  }
}

TEST_F(IntegerConstsTest, SetPropValueTakesNamesNumbersAndHex) {
  const PropValueCase cases[] = {
      {"Shade", 300, "shWide"}, {"Shade", -5, " SHNEGATIVE "}, {"Shade", 7, "7"},
      {"Shade", 255, "$FF"},    {"Tint", 2, "shGreen"},        {"Backdrop", 100000, "shHuge"},
  };
  for (const PropValueCase& c : cases) {
    SetPropValue(&holder, c.prop, c.text);
    EXPECT_EQ(GetOrdProp(&holder, c.prop), c.value) << c.prop << " " << c.text;
  }
  EXPECT_THROW(SetPropValue(&holder, "Shade", "shPurple"), EConvertError);
  // A type without names takes numbers only.
  EXPECT_THROW(SetPropValue(&holder, "Plain", "shRed"), EConvertError);
}

}  // namespace
