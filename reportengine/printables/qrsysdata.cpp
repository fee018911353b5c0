#include "reportengine/printables/qrsysdata.h"

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/numconv.h"
#include "reportengine/printables/qrtexthost.h"

BEGIN_PUBLISHED(TQRSysData)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Data, Data, SetData).Default(qrsTime),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(OnPrint, OnPrint, OnPrint),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(Text, Text, SetText),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
END_PUBLISHED

AnsiString QRSysDataName(TQRSysDataType Data) {
  switch (Data) {
    case qrsTime: return "Time";
    case qrsDate: return "Date";
    case qrsDateTime: return "Date/Time";
    case qrsPageNumber: return "Page#";
    case qrsReportTitle: return "Report title";
    case qrsDetailCount: return "Detail count";
    case qrsDetailNo: return "Detail no";
  }
  return "";
}

TQRSysData::TQRSysData(TComponent* AOwner) : TQRCustomLabel(AOwner) { ShowDesignCaption(); }

void TQRSysData::ShowDesignCaption() {
  ApplyCaption(FText + "(" + QRSysDataName(FData) + ")");
  Invalidate();
}

void TQRSysData::SetData(TQRSysDataType Value) {
  FData = Value;
  ShowDesignCaption();
}

void TQRSysData::SetText(const AnsiString& Value) {
  FText = Value;
  ShowDesignCaption();
}

bool TQRSysData::CurrentValue(AnsiString& Value) {
  TQRBasePanel* report = ParentReport();
  switch (FData) {
    case qrsTime: Value = FormatDateTime("t", ClockNow()); return true;
    case qrsDate: Value = FormatDateTime("c", Date()); return true;
    case qrsDateTime: Value = FormatDateTime("c", ClockNow()); return true;
    case qrsPageNumber: Value = IntToStr(QRReportPageNumber(report)); return true;
    case qrsReportTitle: Value = QRReportTitle(report); return true;
    case qrsDetailCount:
      if (!QRIsQuickRep(report))
        return false;
      Value = IntToStr(QRReportDetailCount(report));
      return true;
    case qrsDetailNo:
      if (!QRIsQuickRep(report))
        return false;
      Value = IntToStr(QRReportDetailNumber(report));
      return true;
  }
  return false;
}

void TQRSysData::Print(int OfsX, int OfsY) {
  AnsiString value;
  if (CurrentValue(value))
    ApplyCaption(FText + value);
  TQRCustomLabel::Print(OfsX, OfsY);
}
