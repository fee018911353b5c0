// TQRSysData: prints Text followed by a value of the run: the time, the
// date, both, the page number, the report's title, the detail count or the
// current detail number. Between runs it shows Text and the kind's name in
// brackets; after a run it keeps the last printed text until Data or Text
// is set again.
#pragma once
#include "reportengine/printables/qrlabel.h"

enum TQRSysDataType { qrsTime, qrsDate, qrsDateTime, qrsPageNumber, qrsReportTitle, qrsDetailCount, qrsDetailNo };
DOZURI_ENUM(TQRSysDataType, "qrsTime", "qrsDate", "qrsDateTime", "qrsPageNumber", "qrsReportTitle",
            "qrsDetailCount", "qrsDetailNo");

// The name the design caption shows for a kind ("Time", "Page#" ...).
AnsiString QRSysDataName(TQRSysDataType Data);

class TQRSysData : public TQRCustomLabel {
  DECLARE_CLASS(TQRSysData, TQRCustomLabel)

public:
  explicit TQRSysData(TComponent* AOwner);

  void Print(int OfsX, int OfsY) override;

  TQRSysDataType Data() const { return FData; }
  void SetData(TQRSysDataType Value);
  AnsiString Text() const { return FText; }
  void SetText(const AnsiString& Value);

private:
  void ShowDesignCaption();
  // The value of the kind for this print; False when the report cannot
  // give it (the detail kinds on another report class).
  bool CurrentValue(AnsiString& Value);

  TQRSysDataType FData = qrsTime;
  AnsiString FText;
};
