// Paper sizes and paper sources of the banded engine.
//
// TQRPaperSize numbers the paper sizes as the platform numbers its paper
// codes: 1..68 are the standard sheets and envelopes, 0 (Default) leaves the
// printer's own paper, 69 (Custom) is a size of the report's own, sent to the
// device as the user-defined paper code 256. The paper table gives width and
// length in millimetres (80-bit floats, as the page setup stores lengths) for
// the standard sizes; Default and Custom have no row.
//
// TQRBin names the paper sources; each maps to the device's source code.
#pragma once
#include <cstdint>

#include "classlib/classes/typinfo.h"

enum class TQRPaperSize : std::uint8_t {
  Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4,
  A4Small, A5, B4, B5, Folio, Quarto, qr10X14, qr11X17, Note, Env9,
  Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, EnvDL, EnvC5, EnvC3,
  EnvC4, EnvC6, EnvC65, EnvB4, EnvB5, EnvB6, EnvItaly, EnvMonarch, EnvPersonal, FanfoldUSStd,
  FanfoldGerStd, FanfoldGerLegal, B4ISO, PostcardJap, qr9X11, qr10X11, qr15X11, EnvInvite, Reserved1, Reserved2,
  LetterExtra, LegalExtra, TabloidExtra, A4Extra, LetterTrans, A4Trans, LetterExtraTrans, SuperASuperAA4, SuperBSuperBA3, LetterPlus,
  A4Plus, A5Trans, B5Trans, A3Extra, A5Extra, B5Extra, A2, A3Trans, A3ExtraTrans, Custom
};
DOZURI_ENUM(TQRPaperSize,
  "Default", "Letter", "LetterSmall", "Tabloid", "Ledger", "Legal", "Statement", "Executive", "A3", "A4",
  "A4Small", "A5", "B4", "B5", "Folio", "Quarto", "qr10X14", "qr11X17", "Note", "Env9",
  "Env10", "Env11", "Env12", "Env14", "CSheet", "DSheet", "ESheet", "EnvDL", "EnvC5", "EnvC3",
  "EnvC4", "EnvC6", "EnvC65", "EnvB4", "EnvB5", "EnvB6", "EnvItaly", "EnvMonarch", "EnvPersonal", "FanfoldUSStd",
  "FanfoldGerStd", "FanfoldGerLegal", "B4ISO", "PostcardJap", "qr9X11", "qr10X11", "qr15X11", "EnvInvite", "Reserved1", "Reserved2",
  "LetterExtra", "LegalExtra", "TabloidExtra", "A4Extra", "LetterTrans", "A4Trans", "LetterExtraTrans", "SuperASuperAA4", "SuperBSuperBA3", "LetterPlus",
  "A4Plus", "A5Trans", "B5Trans", "A3Extra", "A5Extra", "B5Extra", "A2", "A3Trans", "A3ExtraTrans", "Custom");

enum class TQRBin : std::uint8_t {
  First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat,
  LargeFormat, LargeCapacity, Cassette, Last
};
DOZURI_ENUM(TQRBin, "First", "Upper", "Lower", "Middle", "Manual", "Envelope", "EnvManual", "Auto", "Tractor",
            "SmallFormat", "LargeFormat", "LargeCapacity", "Cassette", "Last");

// The number of paper sizes (Default .. Custom) and of bins.
inline constexpr int QRPaperSizeCount = 70;
inline constexpr int QRBinCount = 14;
// The device's code for a paper size of the report's own.
inline constexpr int QRUserPaperCode = 256;

// Width and length in millimetres of a paper size.
struct TQRPaperDimensions {
  long double Width;
  long double Length;
};

// True for the sizes with a row in the paper table (1..68).
bool IsStandardPaperSize(TQRPaperSize size);
// The table row of a standard size; {0, 0} for Default, Custom and values
// outside the type.
TQRPaperDimensions PaperDimensions(TQRPaperSize size);
// round(millimetres x 10), halves to even: the size in tenths of a
// millimetre; 0 for sizes without a row.
int PaperWidthOf(TQRPaperSize size);
int PaperLengthOf(TQRPaperSize size);

// The device paper code of a size: its own number for 0..68, 256 for Custom.
int PaperSizeCode(TQRPaperSize size);
// The first size whose code is the given one; false when none has it.
bool PaperSizeOfCode(int code, TQRPaperSize& size);
// The device's source code of a bin.
int BinCode(TQRBin bin);
// The first bin whose code is the given one; false when none has it.
bool BinOfCode(int code, TQRBin& bin);
