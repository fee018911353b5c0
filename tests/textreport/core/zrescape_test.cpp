#include "textreport/core/zrescape.h"

#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"

namespace {

using S = AnsiString;

// The twenty strings of a row, from bytes written as text.
TZREscapeStrings Row(std::initializer_list<S> strings) {
  TZREscapeStrings row;
  std::size_t i = 0;
  for (const S& s : strings)
    row[i++] = s;
  return row;
}

const S ESC = "\x1B";

TEST(EscapeModels, DefaultEpsonRowByteForByte) {
  const TZREscapeStrings expected = Row({ESC + "@", "\x0C", ESC + "P", ESC + "M", "\x0F", "\x12", ESC + "G",
                                         ESC + "H", ESC + "4", ESC + "5", ESC + "-1", ESC + "-0",
                                         ESC + "S" + S(1, '\x01'), ESC + "T", ESC + "S" + S(1, '\0'), ESC + "T",
                                         "", "", "", ""});
  EXPECT_EQ(EscapeModelStrings(emEpson), expected);
  EXPECT_EQ(EscapeModelStrings(emEpson)[zecSubScriptOn].size(), 3u) << "the 00 byte belongs to the string";
}

TEST(EscapeModels, EpsonLQAndProprinterRows) {
  const TZREscapeStrings lq = Row({"", "\x0C", "", "", "\x0F", "\x12", ESC + "E", ESC + "F", ESC + "4", ESC + "5",
                                   "", "", ESC + "S0", ESC + "T", ESC + "S1", ESC + "T", "", "", "", ""});
  EXPECT_EQ(EscapeModelStrings(emEpsonLQSeries), lq);
  TZREscapeStrings proprinter = lq;
  proprinter[zecItalicOn] = proprinter[zecItalicOff] = "";
  EXPECT_EQ(EscapeModelStrings(emIBMProPrinter), proprinter);
}

TEST(EscapeModels, HPLaserJetStyleCodes) {
  const TZREscapeStrings hp = EscapeModelStrings(emHPLaserJet);
  EXPECT_EQ(hp[zecCondensedOn], ESC + "(s16.6H");
  EXPECT_EQ(hp[zecCondensedOff], ESC + "(s10H");
  EXPECT_EQ(hp[zecBoldOn], ESC + "(s5B");
  EXPECT_EQ(hp[zecBoldOff], ESC + "(s0B");
  EXPECT_EQ(hp[zecItalicOn], ESC + "(s1S");
  EXPECT_EQ(hp[zecItalicOff], ESC + "(s0S");
  EXPECT_EQ(hp[zecSuperScriptOn], ESC + "&a-.5R");
  EXPECT_EQ(hp[zecSuperScriptOff], ESC + "&a+.5R");
  EXPECT_EQ(hp[zecSubScriptOn], ESC + "&a+.5R");
  EXPECT_EQ(hp[zecSubScriptOff], ESC + "&a-.5R");
  EXPECT_EQ(hp[zecFormFeed], "\x0C");
}

TEST(EscapeModels, OneRowOfEachFamily) {
  struct Case {
    TZREscapeModel model;
    TZREscapeCode code;
    S bytes;
  } cases[] = {
      {emEpsonFXSeries, zecSuperScriptOn, ESC + "S" + S(1, '\0')},
      {emEpsonFXSeries, zecItalicOn, ESC + "4"},
      {emNECPinwriterP6P7, zecSubScriptOn, ESC + "S1"},
      {emOkidata9293, zecItalicOn, ""},
      {emIBMPCGraphics, zecSubScriptOn, ESC + "S" + S(1, '\x01')},
      {emHPLaserJetIIP, zecReset, ESC + "E"},
      {emHPThinkJet, zecCondensedOn, ESC + "&k2S"},
      {emDiablo1600, zecReset, ESC + "\x0DP"},
      {emNEC3515, zecCondensedOff, ESC + "\x1F\x0D"},
      {emStarPowertypeWP, zecSuperScriptOn, ESC + "D"},
      {emOkidata82A, zecCondensedOn, "\x1D"},
      {emOkidataPace2410Std, zecSubScriptOff, ESC + "M"},
      {emNEC8023, zecBoldOff, ESC + "\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EscapeModelStrings(c.model)[c.code], c.bytes) << EscapeModelName(c.model) << " code " << c.code;
}

TEST(EscapeModels, NoneHasNoCodesAndEveryRealPrinterEndsASheetWithAFormFeed) {
  for (const S& s : EscapeModelStrings(emNone))
    EXPECT_EQ(s, "");
  for (int model = emEpson; model < ZREscapeModelCount; ++model) {
    const TZREscapeStrings row = EscapeModelStrings(static_cast<TZREscapeModel>(model));
    SCOPED_TRACE(EscapeModelName(static_cast<TZREscapeModel>(model)));
    EXPECT_EQ(row[zecFormFeed], "\x0C");
    for (int code = zecReportStart; code <= zecPageFinish; ++code)
      EXPECT_EQ(row[code], "");
    for (const S& s : row)
      EXPECT_LE(s.size(), TZREscapes::MaxStringLength);
    if (model != emEpson) {
      for (int code : {zecPica, zecElite, zecUnderlineOn, zecUnderlineOff})
        EXPECT_EQ(row[code], "");
    }
  }
}

// How many of the 104 rows hold each code (the form feed aside, which every
// real printer has): the table's shape, whatever the bytes of a row.
TEST(EscapeModels, EachCodeIsHeldByItsNumberOfRows) {
  const std::pair<TZREscapeCode, int> counts[] = {
      {zecReset, 27},         {zecPica, 1},           {zecElite, 1},           {zecCondensedOn, 101},
      {zecCondensedOff, 100}, {zecBoldOn, 99},        {zecBoldOff, 95},        {zecItalicOn, 69},
      {zecItalicOff, 53},     {zecUnderlineOn, 1},    {zecUnderlineOff, 1},    {zecSuperScriptOn, 96},
      {zecSuperScriptOff, 86}, {zecSubScriptOn, 96},  {zecSubScriptOff, 86},   {zecReportStart, 0},
      {zecReportFinish, 0},   {zecPageStart, 0},      {zecPageFinish, 0},
  };
  SetCustomEscapeStrings({});
  for (const auto& [code, expected] : counts) {
    int rows = 0;
    for (int model = 0; model < ZREscapeModelCount; ++model)
      rows += EscapeModelStrings(static_cast<TZREscapeModel>(model))[code].empty() ? 0 : 1;
    EXPECT_EQ(rows, expected) << "code " << code;
  }
}

// The rows a printer is known by, whole.
TEST(EscapeModels, TellingRowsHoldTheirWholeStrings) {
  const S esc = "\x1B";
  const TZREscapeStrings lq{"", "\x0C", "", "", "\x0F", "\x12", esc + "E", esc + "F", esc + "4", esc + "5", "", "",
                            esc + "S0", esc + "T", esc + "S1", esc + "T", "", "", "", ""};
  TZREscapeStrings pro = lq;
  pro[zecItalicOn] = pro[zecItalicOff] = "";
  EXPECT_EQ(EscapeModelStrings(emEpsonLQSeries), lq);
  EXPECT_EQ(EscapeModelStrings(emIBMProPrinter), pro);
  const TZREscapeStrings hp = EscapeModelStrings(emHPLaserJet);
  EXPECT_EQ(hp[zecCondensedOn], esc + "(s16.6H");
  EXPECT_EQ(hp[zecCondensedOff], esc + "(s10H");
  EXPECT_EQ(hp[zecBoldOn], esc + "(s5B");
  EXPECT_EQ(hp[zecBoldOff], esc + "(s0B");
  EXPECT_EQ(hp[zecItalicOn], esc + "(s1S");
  EXPECT_EQ(hp[zecItalicOff], esc + "(s0S");
  EXPECT_EQ(hp[zecSuperScriptOn], esc + "&a-.5R");
  EXPECT_EQ(hp[zecSuperScriptOff], esc + "&a+.5R");
  EXPECT_EQ(hp[zecSubScriptOn], esc + "&a+.5R");
  EXPECT_EQ(hp[zecSubScriptOff], esc + "&a-.5R");
}

TEST(EscapeModels, DisplayNames) {
  EXPECT_EQ(EscapeModelName(emCustom), "<custom>");
  EXPECT_EQ(EscapeModelName(emNone), "<none>");
  EXPECT_EQ(EscapeModelName(emEpson), "Default Epson");
  EXPECT_EQ(EscapeModelName(emCanonF60), "CanonF-60");
  EXPECT_EQ(EscapeModelName(emHPLaserJetLandscape8LPI), "HPLaserJetLands8LPI");
  EXPECT_EQ(EscapeModelName(emOkidataPacemark2410), "OkidataPacemark2410");
  EXPECT_EQ(EscapeModelName(emOkidataPace2410Std), "OkidataPace2410(Std)");
  EXPECT_EQ(EscapeModelName(emStarSDSGStarMode), "StarSD/SGStarMode");
  for (int model = 0; model < ZREscapeModelCount; ++model)
    EXPECT_NE(EscapeModelName(static_cast<TZREscapeModel>(model)), "") << model;
}

TEST(EscapeModels, EnumerationNamesAreTheStreamedNames) {
  PTypeInfo info = dozuri::TypeInfoOf<TZREscapeModel>();
  ASSERT_EQ(info->EnumNames.size(), static_cast<std::size_t>(ZREscapeModelCount));
  EXPECT_EQ(GetEnumName(info, emEpsonLQSeries), "emEpsonLQSeries");
  EXPECT_EQ(GetEnumName(info, emStarSDSGStarMode), "emStarSDSGStarMode");
  EXPECT_EQ(GetEnumValue(info, "emHPLaserJet"), emHPLaserJet);
}

class Escapes : public testing::Test {
protected:
  void SetUp() override { SetCustomEscapeStrings({}); }
  void TearDown() override { SetCustomEscapeStrings({}); }
};

TEST_F(Escapes, CreatedWithTheDefaultEpson) {
  TZREscapes escapes;
  EXPECT_EQ(escapes.Model(), emEpson);
  EXPECT_EQ(escapes.Strings(), EscapeModelStrings(emEpson));
}

TEST_F(Escapes, SettingTheSameValueKeepsTheModel) {
  TZREscapes escapes;
  escapes.SetValues(zecBoldOn, ESC + "G");
  EXPECT_EQ(escapes.Model(), emEpson);
  escapes.SetValues(zecBoldOn, ESC + "E");
  EXPECT_EQ(escapes.Model(), emCustom);
  EXPECT_EQ(escapes.Values(zecBoldOn), ESC + "E");
  EXPECT_EQ(escapes.Values(zecReset), ESC + "@") << "the other strings stay";
}

TEST_F(Escapes, ValuesAreCutTo32Bytes) {
  TZREscapes escapes;
  escapes.SetValues(zecReportStart, S(40, 'x'));
  EXPECT_EQ(escapes.Values(zecReportStart), S(32, 'x'));
}

TEST_F(Escapes, SwitchingToCustomSharesTheStrings) {
  TZREscapes first;
  first.SetModel(emEpsonLQSeries);
  first.SetModel(emCustom);
  EXPECT_EQ(first.Strings(), EscapeModelStrings(emEpsonLQSeries)) << "the object's strings become the custom row";
  EXPECT_EQ(EscapeModelStrings(emCustom), EscapeModelStrings(emEpsonLQSeries));

  // Changing a custom object's string leaves the shared row alone.
  first.SetValues(zecBoldOn, "B!");
  EXPECT_EQ(EscapeModelStrings(emCustom)[zecBoldOn], ESC + "E");

  // Away and back brings the shared strings.
  first.SetModel(emNone);
  first.SetModel(emCustom);
  EXPECT_EQ(first.Values(zecBoldOn), "") << "the strings of emNone went into the shared row";

  // Setting a string on an Epson object stores it and then makes the set
  // custom: the shared row takes the object's strings, the new one included.
  TZREscapes second;
  second.SetValues(zecReportStart, "go");
  EXPECT_EQ(second.Model(), emCustom);
  EXPECT_EQ(second.Values(zecReportStart), "go");
  EXPECT_EQ(second.Values(zecReset), "\x1B@");
  EXPECT_EQ(EscapeModelStrings(emCustom), second.Strings());
}

TEST_F(Escapes, AssignCopiesModelAndStringsOnly) {
  TZREscapes source;
  source.SetModel(emHPLaserJet);
  source.SetValues(zecBoldOn, "bold");
  const TZREscapeStrings sharedBefore = EscapeModelStrings(emCustom);
  TZREscapes copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.Model(), emCustom);
  EXPECT_EQ(copy.Strings(), source.Strings());
  EXPECT_EQ(EscapeModelStrings(emCustom), sharedBefore);
}

TEST_F(Escapes, PublishesTheStringsUnderTheirNames) {
  TZREscapes escapes;
  EXPECT_EQ(GetStrProp(&escapes, "UnderlineOn"), ESC + "-1");
  SetStrProp(&escapes, "PageFinish", "end");
  EXPECT_EQ(escapes.Values(zecPageFinish), "end");
  EXPECT_EQ(GetEnumProp(&escapes, "Model"), "emCustom");
}

// A component holding an escape set, for streaming.
class TEscapeHolder : public TComponent {
  DECLARE_CLASS(TEscapeHolder, TComponent)

public:
  explicit TEscapeHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TZREscapes* GetEscapes() { return &FEscapes; }
  void SetEscapes(TZREscapes* Value) { FEscapes.Assign(Value); }

private:
  TZREscapes FEscapes;
};

BEGIN_PUBLISHED(TEscapeHolder)
  PROPERTY(Escapes, GetEscapes, SetEscapes),
END_PUBLISHED

AnsiString Stream(TEscapeHolder& holder) {
  TStringStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(&holder);
  }
  return stream.DataString();
}

void Load(TEscapeHolder& holder, const AnsiString& data) {
  TStringStream stream(data);
  TReader reader(stream);
  reader.ReadRootComponent(&holder);
}

TEST_F(Escapes, ValuesAreStreamedOnlyForACustomSet) {
  TEscapeHolder epson(nullptr);
  epson.SetName("Holder");
  epson.GetEscapes()->SetModel(emIBMProPrinter);
  const AnsiString data = Stream(epson);
  EXPECT_EQ(data.find("Escapes.Values"), AnsiString::npos);
  TEscapeHolder read(nullptr);
  Load(read, data);
  EXPECT_EQ(read.GetEscapes()->Model(), emIBMProPrinter);
  EXPECT_EQ(read.GetEscapes()->Strings(), EscapeModelStrings(emIBMProPrinter));
}

TEST_F(Escapes, CustomStringsSurviveStreamingByteForByte) {
  TEscapeHolder custom(nullptr);
  custom.SetName("Holder");
  custom.GetEscapes()->SetValues(zecReportStart, ESC + "C" + S(1, '\0') + "\xB2");
  custom.GetEscapes()->SetValues(zecReportFinish, "\x0C");
  const AnsiString data = Stream(custom);
  EXPECT_NE(data.find("Escapes.Values"), AnsiString::npos);

  SetCustomEscapeStrings({});  // the reader must not depend on the shared row
  TEscapeHolder read(nullptr);
  Load(read, data);
  EXPECT_EQ(read.GetEscapes()->Model(), emCustom);
  EXPECT_EQ(read.GetEscapes()->Strings(), custom.GetEscapes()->Strings());
}

TEST_F(Escapes, ReadingCutsLongValuesAndIgnoresExtraOnes) {
  // A stream as another writer might have made it: 22 strings of 40 bytes.
  TStringStream stream;
  {
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WriteStr("TEscapeHolder");
    writer.WriteStr("Holder");
    writer.WritePropName("Escapes.Model");
    writer.WriteIdent("emCustom");
    writer.WritePropName("Escapes.Values");
    writer.WriteListBegin();
    for (int i = 0; i < 22; ++i)
      writer.WriteString(S(40, static_cast<char>('a' + i)));
    writer.WriteListEnd();
    writer.WriteListEnd();  // end of properties
    writer.WriteListEnd();  // end of children
  }
  TEscapeHolder read(nullptr);
  Load(read, stream.DataString());
  EXPECT_EQ(read.GetEscapes()->Model(), emCustom);
  EXPECT_EQ(read.GetEscapes()->Values(zecReset), S(32, 'a'));
  EXPECT_EQ(read.GetEscapes()->Values(zecPageFinish), S(32, 't'));
}

}  // namespace
