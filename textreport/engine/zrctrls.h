// Text labels: the printable contents of text bands. A label is a rectangle
// of character cells that shows a caption, a variable's value, a system
// value or a total, broken into lines, aligned inside the rectangle or the
// band, optionally sized to its text, framed, and written into the page with
// the escape codes of its font styles.
//
// TZRLabel shows its Caption or its Variable; TZRSystemLabel a time, date,
// page number, title or record number; TZRTotalLabel an aggregate of a
// TZRAggregator. A label prints through its band: the band's Print calls the
// label's Print with the band's position.
#pragma once
#include "classlib/classes/strings.h"
#include "textreport/core/zrescapecodes.h"
#include "textreport/engine/zrcontrol.h"

class TZRCustomController;
class TZRCustomLabel;
class TZRVariable;

enum TZRAlignmentWidth { zawLeft, zawRight, zawCenter, zawBandLeft, zawBandRight, zawBandCenter };
DOZURI_ENUM(TZRAlignmentWidth, "zawLeft", "zawRight", "zawCenter", "zawBandLeft", "zawBandRight", "zawBandCenter");
enum TZRAlignmentHeight { zahTop, zahBottom, zahCenter, zahBandTop, zahBandBottom, zahBandCenter };
DOZURI_ENUM(TZRAlignmentHeight, "zahTop", "zahBottom", "zahCenter", "zahBandTop", "zahBandBottom", "zahBandCenter");
enum TZAutoSize { zasNone, zasHeight, zasWidth };
DOZURI_ENUM(TZAutoSize, "zasNone", "zasHeight", "zasWidth");

// Where a label's text sits: inside the label, or the label itself inside
// its band (the Band kinds).
class TZRAlignment : public TPersistent {
  DECLARE_CLASS(TZRAlignment, TPersistent)

public:
  explicit TZRAlignment(TZRCustomLabel* Label = nullptr) : FLabel(Label) {}

  TZRAlignmentWidth X() const { return FX; }
  void SetX(TZRAlignmentWidth Value);
  TZRAlignmentHeight Y() const { return FY; }
  void SetY(TZRAlignmentHeight Value);
  void Assign(TPersistent* Source) override;

private:
  void Changed();

  TZRCustomLabel* FLabel;
  TZRAlignmentWidth FX = zawLeft;
  TZRAlignmentHeight FY = zahTop;
};

class TZRCustomLabel : public TZReportControl {
  DECLARE_CLASS(TZRCustomLabel, TZReportControl)

public:
  explicit TZRCustomLabel(TComponent* AOwner);
  ~TZRCustomLabel() override;

  // The text lines of the current layout.
  TStringList& Lines() { return FLines; }
  const TStringList& Lines() const { return FLines; }
  TZRAlignment* Alignment() const { return FAlignment.get(); }
  void SetAlignment(TZRAlignment* Value) { FAlignment->Assign(Value); }
  TZAutoSize AutoSize() const { return FAutoSize; }
  void SetAutoSize(TZAutoSize Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TZRVariable* Variable() const { return FVariable; }
  virtual void SetVariable(TZRVariable* Value);

  // The text before it is broken into lines: the variable's formatted text
  // when a variable is set, else the caption.
  virtual void GetLabelText(AnsiString& Text);
  AnsiString LabelText();
  // Lines := the label text, word-wrapped to W when WordWrap is on, split at
  // its line breaks.
  void BuildLines(int W);
  // The controller the label's values come from: its parent when that is a
  // controller, else the parent band's controller.
  TZRCustomController* LabelController() const;
  // The escape styles the label prints with: its font styles, or none when
  // the report ignores styles.
  TZREscapeStyles PrintStyles() const;

  // Re-lays out and repaints the label.
  void Changed();

  void FormatContent() override;
  void AlignContent() override;
  void Print(int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void PaintDesign() override;
  void CMTextChanged(TMessage& Message) override;

private:
  TStringList FLines;
  std::unique_ptr<TZRAlignment> FAlignment;
  TZAutoSize FAutoSize = zasNone;
  bool FWordWrap = false;
  TZRVariable* FVariable = nullptr;
};

// A caption or a variable's value.
class TZRLabel : public TZRCustomLabel {
  DECLARE_CLASS(TZRLabel, TZRCustomLabel)

public:
  explicit TZRLabel(TComponent* AOwner) : TZRCustomLabel(AOwner) {}
};

enum TZRSystemData {
  zsdTime, zsdDate, zsdDateTime, zsdPageNumber, zsdReportTitle, zsdRecordCount, zsdRecordNumber
};
DOZURI_ENUM(TZRSystemData, "zsdTime", "zsdDate", "zsdDateTime", "zsdPageNumber", "zsdReportTitle",
            "zsdRecordCount", "zsdRecordNumber");

// A value of the run, with Text in front: the time, the date, the page
// number, the report's title, the record total or the record number. In
// the design view it shows what it stands for in brackets.
class TZRSystemLabel : public TZRCustomLabel {
  DECLARE_CLASS(TZRSystemLabel, TZRCustomLabel)

public:
  explicit TZRSystemLabel(TComponent* AOwner) : TZRCustomLabel(AOwner) {}

  TZRSystemData DataKind() const { return FDataKind; }
  void SetDataKind(TZRSystemData Value);
  // The prefix put in front of the value. It hides the control's own text
  // (the caption), which a system label does not show.
  const AnsiString& Text() const { return FText; }
  void SetText(const AnsiString& Value);

  void GetLabelText(AnsiString& Text) override;
  void Print(int X, int Y) override;

private:
  TZRSystemData FDataKind = zsdDateTime;
  AnsiString FText;
};

// The design-view text of a system value, without brackets.
const char* SystemDataDesignText(TZRSystemData Kind);

enum TZRTotalKind { ztkValue, ztkCount, ztkSum, ztkMin, ztkMax, ztkAvg };
DOZURI_ENUM(TZRTotalKind, "ztkValue", "ztkCount", "ztkSum", "ztkMin", "ztkMax", "ztkAvg");
// "Value", "Count", "Sum", "Min", "Max", "Avg".
const char* TotalKindName(TZRTotalKind Kind);

// A total of a TZRAggregator at a level: the controller itself (the whole
// run) or one of its groups.
class TZRTotalLabel : public TZRCustomLabel {
  DECLARE_CLASS(TZRTotalLabel, TZRCustomLabel)

public:
  explicit TZRTotalLabel(TComponent* AOwner);

  TZRTotalKind Kind() const { return FKind; }
  void SetKind(TZRTotalKind Value);
  TComponent* Level() const { return FLevel; }
  // Only the label's controller or one of its groups is taken once the
  // label has a parent; a variable of another controller is then dropped.
  void SetLevel(TComponent* Value);
  // The aggregator level the total reads: 0 for the controller, else the
  // group's position + 1.
  int LevelIndex() const;

  void GetLabelText(AnsiString& Text) override;
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TZRTotalKind FKind = ztkSum;
  TComponent* FLevel = nullptr;
};

// Makes the label classes known to the component reader, so text layouts
// with labels load.
void RegisterZRLabelClasses();
