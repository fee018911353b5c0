// The sheet's settings as the page "Ayarlar" shows them. Lengths are in
// millimetres; the counts are held to their boxes' limits.
#pragma once
#include <cstdint>

#include "classlib/system/ansistring.h"

// The barcode types by their position in the type box.
constexpr int SheetBarcodeTypeCount = 6;
extern const char* const SheetBarcodeTypeNames[SheetBarcodeTypeCount];

struct TSheetSettings {
  double SolBosluk = 6, UstBosluk = 15, SagBosluk = 6, AltBosluk = 15;
  // Position in the paper list, whose last entry is "Varsayılan".
  int KagitTip = -1;
  bool Yatay = false;  // landscape; portrait otherwise
  double Yukseklik = 38, Genislik = 63, DikeyAralik = 0, YatayAralik = 3;
  int Sutun = 3, Satir = 7, SayfaSatir = 7;
  int BarkodTipi = 0;
  double BarkodYukseklik = 12.7, BarGenisligi = 0.254, BarkodUst = 5, BarkodSol = 5;
  bool CheckSum = true, CheckSumYazdir = false, KodYaz = true;
  bool YaziKullan = false;
  double YaziSol = 6, YaziUst = 2;
  AnsiString FontName = "Tahoma";
  int FontSize = 8;
  bool FontBold = false;
  std::int32_t FontColor = -16777208;  // the system's window-text colour
  bool FiyatKullan = false;
  double FiyatSol = 6, FiyatUst = 2;
};

// The limits of the count boxes.
constexpr int SheetColumnMin = 1, SheetColumnMax = 20;
constexpr int SheetRowMin = 1, SheetRowMax = 500;
