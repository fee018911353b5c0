// The built-in printer models: for each, a display name and the twenty
// escape byte strings (zrescapecodes.h) that replace the codes on output.
//
// Row emCustom is shared by every custom escape set and filled at run time;
// row emNone has no codes at all. Every other row is a real printer and
// separates sheets with a form feed.
#pragma once
#include "classlib/classes/typinfo.h"
#include "textreport/core/zrescapecodes.h"

enum TZREscapeModel {
  emCustom, emNone, emEpson, emCanonF60, emCanonLaser, emDiablo1600, emEpsonCR420, emEpsonDXSeries,
  emEpsonEX800, emEpsonFXSeries, emEpsonGQ3500, emEpsonHS80, emEpsonJX80, emEpsonLQSeries, emEpsonLQ2550,
  emEpsonLXSeries, emEpsonLettertype, emEpsonMXSeries, emEpsonRX80, emEpsonSQ2000, emHPDeskJet,
  emHPInkJet2225C, emHPLaserJet, emHPLaserJet2000, emHPLaserJet500Plus, emHPLaserJet8LPI, emHPLaserJetII,
  emHPLaserJetIID, emHPLaserJetIIP, emHPLaserJetLand, emHPLaserJetLandscape8LPI, emHPLaserJetPlus,
  emHPLaserJetPort, emHPLaserJetIIEuropA4, emHPLaserJetIILegal, emHPLaserJetIIDLongEdge, emHPLaserJetIIDSEdge,
  emHPThinkJet, emIBM4216PersonalPageprinter, emIBMColorJetPrinter, emIBMPCCompact, emIBMPCConvert,
  emIBMPCGraphics, emIBMProPrinter, emIBMProPrinter2X24XL, emIBMProPrinterIII, emIBMQuickWriter,
  emIBMQuietWriterIandII, emIBMQuietWriterIII, emIBMWheelPrinter, emMannesmanTally, emMannesmanTallyMT160,
  emMannesmanTallyMT85MT86, emMannesmanTallySpirit, emNEC2050, emNEC3500, emNEC3515, emNEC3550, emNEC7710,
  emNEC7730, emNEC8023, emNEC8810, emNEC8815, emNEC8850, emNECElf350, emNECElf360, emNECElf370JR,
  emNECElf370NEC, emNECPinwriter2200, emNECPinwriterP2P32, emNECPinwriterP2P33, emNECPinwriterP3,
  emNECPinwriterP5, emNECPinwriterP6P7, emNECPinwriterP9XL, emNECPinwriterP5200, emOkidata192193,
  emOkidata292293, emOkidata82, emOkidata82A, emOkidata84, emOkidata84Std, emOkidata9293, emOkidata9293Std,
  emOkidataMicroline182, emOkidataMicro182Std, emOkidataOkimate20, emOkidataPacemark2350,
  emOkidataPacemark2410, emOkidataPace2410Std, emOlympia, emOlympiaCompactRO, emPanasonic3151,
  emPanasonicE708, emPanasonicIXP1080, emPanasonicKXP1090, emPanasonicKXP1091, emPanasonicKXP1092,
  emStarMicronicsNX10, emStarMicronicsPlus, emStarPowertypePM, emStarPowertypeWP, emStarRadixGemini10X15X,
  emStarSDSGStarMode
};
inline constexpr int ZREscapeModelCount = 104;

DOZURI_ENUM(TZREscapeModel, "emCustom", "emNone", "emEpson", "emCanonF60", "emCanonLaser", "emDiablo1600",
            "emEpsonCR420", "emEpsonDXSeries", "emEpsonEX800", "emEpsonFXSeries", "emEpsonGQ3500", "emEpsonHS80",
            "emEpsonJX80", "emEpsonLQSeries", "emEpsonLQ2550", "emEpsonLXSeries", "emEpsonLettertype",
            "emEpsonMXSeries", "emEpsonRX80", "emEpsonSQ2000", "emHPDeskJet", "emHPInkJet2225C", "emHPLaserJet",
            "emHPLaserJet2000", "emHPLaserJet500Plus", "emHPLaserJet8LPI", "emHPLaserJetII", "emHPLaserJetIID",
            "emHPLaserJetIIP", "emHPLaserJetLand", "emHPLaserJetLandscape8LPI", "emHPLaserJetPlus",
            "emHPLaserJetPort", "emHPLaserJetIIEuropA4", "emHPLaserJetIILegal", "emHPLaserJetIIDLongEdge",
            "emHPLaserJetIIDSEdge", "emHPThinkJet", "emIBM4216PersonalPageprinter", "emIBMColorJetPrinter",
            "emIBMPCCompact", "emIBMPCConvert", "emIBMPCGraphics", "emIBMProPrinter", "emIBMProPrinter2X24XL",
            "emIBMProPrinterIII", "emIBMQuickWriter", "emIBMQuietWriterIandII", "emIBMQuietWriterIII",
            "emIBMWheelPrinter", "emMannesmanTally", "emMannesmanTallyMT160", "emMannesmanTallyMT85MT86",
            "emMannesmanTallySpirit", "emNEC2050", "emNEC3500", "emNEC3515", "emNEC3550", "emNEC7710",
            "emNEC7730", "emNEC8023", "emNEC8810", "emNEC8815", "emNEC8850", "emNECElf350", "emNECElf360",
            "emNECElf370JR", "emNECElf370NEC", "emNECPinwriter2200", "emNECPinwriterP2P32",
            "emNECPinwriterP2P33", "emNECPinwriterP3", "emNECPinwriterP5", "emNECPinwriterP6P7",
            "emNECPinwriterP9XL", "emNECPinwriterP5200", "emOkidata192193", "emOkidata292293", "emOkidata82",
            "emOkidata82A", "emOkidata84", "emOkidata84Std", "emOkidata9293", "emOkidata9293Std",
            "emOkidataMicroline182", "emOkidataMicro182Std", "emOkidataOkimate20", "emOkidataPacemark2350",
            "emOkidataPacemark2410", "emOkidataPace2410Std", "emOlympia", "emOlympiaCompactRO", "emPanasonic3151",
            "emPanasonicE708", "emPanasonicIXP1080", "emPanasonicKXP1090", "emPanasonicKXP1091",
            "emPanasonicKXP1092", "emStarMicronicsNX10", "emStarMicronicsPlus", "emStarPowertypePM",
            "emStarPowertypeWP", "emStarRadixGemini10X15X", "emStarSDSGStarMode");

// The name the printer setup lists for a model ("<custom>", "Default Epson" ...).
AnsiString EscapeModelName(TZREscapeModel Model);
// The twenty strings of a model; for emCustom the shared custom row.
TZREscapeStrings EscapeModelStrings(TZREscapeModel Model);
// Replaces the shared custom row.
void SetCustomEscapeStrings(const TZREscapeStrings& Strings);
