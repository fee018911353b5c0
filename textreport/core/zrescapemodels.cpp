#include "textreport/core/zrescapemodels.h"

#include <mutex>
#include <string_view>

#include "textreport/core/zrconst.h"

using namespace std::string_view_literals;

namespace {

// The codes a printer family answers to. Strings are bytes (ESC = 1B); an
// empty string means the printer has no such command and the code prints
// nothing.
struct Family {
  std::string_view Reset;
  std::string_view CondensedOn, CondensedOff;
  std::string_view BoldOn, BoldOff;
  std::string_view ItalicOn, ItalicOff;
  std::string_view SuperScriptOn, SuperScriptOff;
  std::string_view SubScriptOn, SubScriptOff;
};

// The families, with their strings in hex bytes and "quoted" characters
// (on / off; "-" where the printer has no such command):
//
// EscP9        9-pin ESC/P. Reset -; condensed 0F / 12 (SI, DC2); bold 1B 45 / 1B 46
//              (ESC E, ESC F emphasized); italic 1B 34 / 1B 35 (ESC 4, ESC 5);
//              superscript 1B 53 00 / 1B 54 (ESC S 0, ESC T); subscript 1B 53 01 / 1B 54.
// EscP24       24-pin ESC/P: as EscP9, script selected by the characters "0" and "1":
//              superscript 1B 53 30 / 1B 54; subscript 1B 53 31 / 1B 54.
// Proprinter   IBM Proprinter: as EscP24 without italic.
// IBMGraphics  IBM Graphics Printer: as EscP9 without italic.
// Pcl          HP PCL. Reset 1B "E"; condensed 1B "(s16.6H" / 1B "(s10H" (pitch);
//              bold 1B "(s5B" / 1B "(s0B" (stroke weight); italic 1B "(s1S" / 1B "(s0S";
//              superscript 1B "&a-.5R" / 1B "&a+.5R" and subscript 1B "&a+.5R" /
//              1B "&a-.5R" (half a row up or down).
// ThinkJet     The inkjets' reduced PCL. Reset 1B "E"; condensed 1B "&k2S" / 1B "&k0S"
//              (print mode); no bold, italic or script of their own.
// Diablo       Daisy-wheel protocol. Reset 1B 0D 50 (ESC CR P, remote reset); condensed
//              1B 1F 09 / 1B 1F 0D (ESC US n: motion index (n - 1)/120 inch, 15 and 10
//              pitch); bold 1B 4F / 1B 26 (ESC O, ESC &); no italic; superscript
//              1B 44 / 1B 55 and subscript 1B 55 / 1B 44 (half-line feed up, ESC D, and
//              down, ESC U).
// OkiStandard  Okidata standard (Microline) mode. Reset -; condensed 1D / 1E (GS 17 pitch,
//              RS 10 pitch); bold 1B 54 / 1B 49 (ESC T, ESC I); no italic; superscript
//              1B 4A / 1B 4B (ESC J, ESC K); subscript 1B 4C / 1B 4D (ESC L, ESC M).
// CItoh        The 8510 protocol. Reset -; condensed 1B 51 (ESC Q; the printer
//              goes back to pica only with its reset); bold 1B 21 / 1B 22 (ESC !,
//              ESC "); no italic or script.
//
// Variants of these families, for printers that lack some commands:
// IBMGraphicsItalic  IBMGraphics with the italic of ESC/P (1B 34 / 1B 35).
// IBMGraphicsPlain   IBMGraphics without script.
// IBMConvert         The conversion mode: no style commands at all.
// Spinwriter         Diablo protocol without the remote reset; the italic thimble
//                    is selected by 1B 49 (ESC I) and left by changing thimbles, so
//                    there is no italic off; the script's half-line feed back
//                    (off) is the operator's.
// SpinwriterScript   Spinwriter with the script's way back (1B 55 / 1B 44) but
//                    without a bold off: bold ends with the line.
// OkiStandardItalic  OkiStandard with the italic font selected by 1B 21 2F
//                    (ESC ! /), left only by a reset.
//
// Every family has the form feed 0C; none has pitch, underline or page and
// report strings of its own (those are the default Epson's, or custom).
constexpr Family EscP9{""sv, "\x0F"sv, "\x12"sv, "\x1B" "E"sv, "\x1B" "F"sv, "\x1B" "4"sv, "\x1B" "5"sv,
                       "\x1B" "S\x00"sv, "\x1B" "T"sv, "\x1B" "S\x01"sv, "\x1B" "T"sv};
constexpr Family EscP24{""sv, "\x0F"sv, "\x12"sv, "\x1B" "E"sv, "\x1B" "F"sv, "\x1B" "4"sv, "\x1B" "5"sv,
                        "\x1B" "S0"sv, "\x1B" "T"sv, "\x1B" "S1"sv, "\x1B" "T"sv};
constexpr Family Proprinter{""sv, "\x0F"sv, "\x12"sv, "\x1B" "E"sv, "\x1B" "F"sv, ""sv, ""sv,
                            "\x1B" "S0"sv, "\x1B" "T"sv, "\x1B" "S1"sv, "\x1B" "T"sv};
constexpr Family IBMGraphicsItalic{""sv, "\x0F"sv, "\x12"sv, "\x1B" "E"sv, "\x1B" "F"sv, "\x1B" "4"sv,
                                   "\x1B" "5"sv, "\x1B" "S\x00"sv, "\x1B" "T"sv, "\x1B" "S\x01"sv, "\x1B" "T"sv};
constexpr Family IBMGraphicsPlain{""sv, "\x0F"sv, "\x12"sv, "\x1B" "E"sv, "\x1B" "F"sv, ""sv, ""sv,
                                  ""sv, ""sv, ""sv, ""sv};
constexpr Family IBMConvert{""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv};
constexpr Family Pcl{"\x1B" "E"sv, "\x1B(s16.6H"sv, "\x1B(s10H"sv, "\x1B(s5B"sv, "\x1B(s0B"sv,
                     "\x1B(s1S"sv, "\x1B(s0S"sv, "\x1B&a-.5R"sv, "\x1B&a+.5R"sv, "\x1B&a+.5R"sv, "\x1B&a-.5R"sv};
constexpr Family ThinkJet{"\x1B" "E"sv, "\x1B&k2S"sv, "\x1B&k0S"sv, ""sv, ""sv, ""sv, ""sv,
                          ""sv, ""sv, ""sv, ""sv};
constexpr Family Diablo{"\x1B\x0DP"sv, "\x1B\x1F\x09"sv, "\x1B\x1F\x0D"sv, "\x1BO"sv, "\x1B&"sv, ""sv, ""sv,
                        "\x1B" "D"sv, "\x1BU"sv, "\x1BU"sv, "\x1B" "D"sv};
constexpr Family Spinwriter{""sv, "\x1B\x1F\x09"sv, "\x1B\x1F\x0D"sv, "\x1BO"sv, "\x1B&"sv, "\x1BI"sv, ""sv,
                            "\x1B" "D"sv, ""sv, "\x1BU"sv, ""sv};
constexpr Family SpinwriterScript{""sv, "\x1B\x1F\x09"sv, "\x1B\x1F\x0D"sv, "\x1BO"sv, ""sv, "\x1BI"sv, ""sv,
                                  "\x1B" "D"sv, "\x1BU"sv, "\x1BU"sv, "\x1B" "D"sv};
constexpr Family OkiStandard{""sv, "\x1D"sv, "\x1E"sv, "\x1BT"sv, "\x1BI"sv, ""sv, ""sv,
                             "\x1BJ"sv, "\x1BK"sv, "\x1BL"sv, "\x1BM"sv};
constexpr Family OkiStandardItalic{""sv, "\x1D"sv, "\x1E"sv, "\x1BT"sv, "\x1BI"sv, "\x1B!/"sv, ""sv,
                                   "\x1BJ"sv, "\x1BK"sv, "\x1BL"sv, "\x1BM"sv};
constexpr Family CItoh{""sv, "\x1BQ"sv, ""sv, "\x1B!"sv, "\x1B\""sv, ""sv, ""sv, ""sv, ""sv, ""sv, ""sv};

struct Row {
  const char* Name;
  const Family* Codes;  // nullptr: the row is given in full below
};

// Rows in TZREscapeModel order. Rows 0 to 2 are special and listed for their
// names only.
constexpr Row kRows[ZREscapeModelCount] = {
    {"", nullptr},  // emCustom: the shared row
    {"", nullptr},  // emNone: no codes
    {"Default Epson", nullptr},
    {"CanonF-60", &EscP9},
    {"CanonLaser", &SpinwriterScript},
    {"Diablo1600", &Diablo},
    {"EpsonCR-420", &EscP9},
    {"EpsonDXSeries", &Diablo},
    {"EpsonEX-800", &EscP9},
    {"EpsonFXSeries", &EscP9},
    {"EpsonGQ-3500", &EscP24},
    {"EpsonHS-80", &EscP9},
    {"EpsonJX-80", &EscP9},
    {"EpsonLQSeries", &EscP24},
    {"EpsonLQ-2550(EpsonLQ)", &EscP24},
    {"EpsonLXSeries", &EscP9},
    {"EpsonLettertype", &EscP9},
    {"EpsonMXSeries", &EscP9},
    {"EpsonRX-80", &EscP9},
    {"EpsonSQ2000", &EscP24},
    {"HPDeskJet", &Pcl},
    {"HPInkJet2225C", &ThinkJet},
    {"HPLaserJet", &Pcl},
    {"HPLaserJet2000", &Pcl},
    {"HPLaserJet500Plus", &Pcl},
    {"HPLaserJet8LPI", &Pcl},
    {"HPLaserJetII", &Pcl},
    {"HPLaserJetIID", &Pcl},
    {"HPLaserJetIIP", &Pcl},
    {"HPLaserJetLand", &Pcl},
    {"HPLaserJetLands8LPI", &Pcl},
    {"HPLaserJetPlus", &Pcl},
    {"HPLaserJetPort", &Pcl},
    {"HPLaserJetIIEuropA4", &Pcl},
    {"HPLaserJetIILegal", &Pcl},
    {"HPLaserJetIIDLongEdge", &Pcl},
    {"HPLaserJetIIDSEdge", &Pcl},
    {"HPThinkJet", &ThinkJet},
    {"IBM4216PPageprinter", &Proprinter},
    {"IBMColorJetPrinter", &IBMGraphicsItalic},
    {"IBMPCCompact", &IBMGraphicsPlain},
    {"IBMPCConvert", &IBMConvert},
    {"IBMPCGraphics", &IBMGraphicsItalic},
    {"IBMProPrinter", &Proprinter},
    {"IBMProPrinter2/XL24", &Proprinter},
    {"IBMProPrinterIII", &Proprinter},
    {"IBMQuickWriter", &Proprinter},
    {"IBMQuietWriterI&II", &Proprinter},
    {"IBMQuietWriterIII", &Proprinter},
    {"IBMWheelPrinter", &Diablo},
    {"MannesmanTally", &EscP9},
    {"MannesmanTallyMT160", &EscP9},
    {"MannesmanTallyMT85/MT86", &EscP9},
    {"MannesmanTallySpirit", &EscP9},
    {"NEC2050", &Spinwriter},
    {"NEC3500", &Spinwriter},
    {"NEC3515,5515", &Spinwriter},
    {"NEC3550", &Spinwriter},
    {"NEC7710,3510", &Spinwriter},
    {"NEC7730,3530", &Spinwriter},
    {"NEC8023", &CItoh},
    {"NEC8810,8830", &Spinwriter},
    {"NEC8815,8835", &Spinwriter},
    {"NEC8850", &Spinwriter},
    {"NECElf350", &Spinwriter},
    {"NECElf360", &SpinwriterScript},
    {"NECElf370JR", &SpinwriterScript},
    {"NECElf370NEC", &SpinwriterScript},
    {"NECPinwriter2200", &EscP24},
    {"NECPinwriterP2/P3-2", &EscP24},
    {"NECPinwriterP2/P3-3", &EscP24},
    {"NECPinwriterP3", &EscP24},
    {"NECPinwriterP5", &EscP24},
    {"NECPinwriterP6/P7", &EscP24},
    {"NECPinwriterP9XL", &EscP24},
    {"NECPinwriterP5200", &EscP24},
    {"Okidata192/193(IBM)", &Proprinter},
    {"Okidata292/293(IBM)", &Proprinter},
    {"Okidata82", &OkiStandard},
    {"Okidata82A", &OkiStandard},
    {"Okidata84(IBM)", &Proprinter},
    {"Okidata84(Standard)", &OkiStandard},
    {"Okidata92/93(IBM)", &Proprinter},
    {"Okidata92/93(Std)", &OkiStandardItalic},
    {"OkidataMline182(IBM)", &Proprinter},
    {"OkidataMicro182(Std)", &OkiStandardItalic},
    {"OkidataOkimate20", &Proprinter},
    {"OkidataPace2350(Std)", &OkiStandard},
    {"OkidataPacemark2410", &OkiStandard},
    // The standard variant's own name, so the two rows can be told apart in
    // a list; the stored model number is unchanged.
    {"OkidataPace2410(Std)", &OkiStandard},
    {"Olympia", &Diablo},
    {"OlympiaCompactRO", &Diablo},
    {"Panasonic3151", &Diablo},
    {"PanasonicE708", &EscP9},
    {"Panasonic-P1080(IBM)", &IBMGraphicsPlain},
    {"PanasonicKX-P1090", &EscP9},
    {"PanasonicKX-P1091", &EscP9},
    {"PanasonicKX-P1092", &EscP9},
    {"StarMicronicsNX-10", &EscP9},
    {"StarMicronicsPlus", &EscP9},
    {"StarPowertypePM", &Diablo},
    {"StarPowertypeWP", &Diablo},
    {"StarRadix 10X/15X", &EscP9},
    {"StarSD/SGStarMode", &EscP9},
};

constexpr std::string_view kFormFeed = "\x0C"sv;

// The default Epson row, byte for byte: the strings report layouts and the
// runner's page codes were made for.
TZREscapeStrings DefaultEpson() {
  return {AnsiString("\x1B@"sv), AnsiString(kFormFeed), AnsiString("\x1BP"sv), AnsiString("\x1BM"sv),
          AnsiString("\x0F"sv), AnsiString("\x12"sv), AnsiString("\x1BG"sv), AnsiString("\x1BH"sv),
          AnsiString("\x1B" "4"sv), AnsiString("\x1B" "5"sv), AnsiString("\x1B-1"sv), AnsiString("\x1B-0"sv),
          AnsiString("\x1BS\x01"sv), AnsiString("\x1BT"sv), AnsiString("\x1BS\x00"sv), AnsiString("\x1BT"sv),
          "", "", "", ""};
}

TZREscapeStrings FromFamily(const Family& f) {
  TZREscapeStrings s;
  s[zecReset] = f.Reset;
  s[zecFormFeed] = kFormFeed;
  s[zecCondensedOn] = f.CondensedOn;
  s[zecCondensedOff] = f.CondensedOff;
  s[zecBoldOn] = f.BoldOn;
  s[zecBoldOff] = f.BoldOff;
  s[zecItalicOn] = f.ItalicOn;
  s[zecItalicOff] = f.ItalicOff;
  s[zecSuperScriptOn] = f.SuperScriptOn;
  s[zecSuperScriptOff] = f.SuperScriptOff;
  s[zecSubScriptOn] = f.SubScriptOn;
  s[zecSubScriptOff] = f.SubScriptOff;
  return s;
}

std::mutex customMutex;
TZREscapeStrings& CustomRow() {
  static TZREscapeStrings row;
  return row;
}

bool InRange(TZREscapeModel model) { return model >= 0 && model < ZREscapeModelCount; }

}  // namespace

AnsiString EscapeModelName(TZREscapeModel Model) {
  if (Model == emCustom)
    return LoadZRString(SZRCustomModel);
  if (Model == emNone)
    return LoadZRString(SZRNoneModel);
  return InRange(Model) ? kRows[Model].Name : "";
}

TZREscapeStrings EscapeModelStrings(TZREscapeModel Model) {
  if (Model == emCustom) {
    std::lock_guard<std::mutex> lock(customMutex);
    return CustomRow();
  }
  if (Model == emEpson)
    return DefaultEpson();
  if (!InRange(Model) || kRows[Model].Codes == nullptr)
    return {};
  return FromFamily(*kRows[Model].Codes);
}

void SetCustomEscapeStrings(const TZREscapeStrings& Strings) {
  std::lock_guard<std::mutex> lock(customMutex);
  CustomRow() = Strings;
}
