// TQRCustomLabel: the text printable. It lays its caption (or its memo
// lines) out in lines that fit its width, sizes itself to its text when
// AutoSize is on, lets the host change the text at print time (OnPrint) and
// prints its lines on the run's page. With AutoStretch it grows its band a
// line at a time; when the band cannot grow any more on the page, the label
// reports itself unfinished and the band prints it again on the next column
// or page, where it resumes at the first line not yet printed. In an
// export run the lines (and the fill of a coloured label) go to the
// report's export filter as pictures instead of onto the page.
//
// TQRLabel publishes it as the static text label.
//
// Widths and heights of text are measured the report's way (see
// qrtexthost.h), scaled by the zoom. Tests and hosts that need exact
// measures set TextWidthOverride and LineHeightOverride.
#pragma once
#include <functional>
#include <memory>

#include "classlib/classes/strings.h"
#include "reportengine/report/qrprintable.h"

class TFiler;
class TReader;
class TWriter;

DOZURI_EVENT(TQRLabelOnPrintEvent, void(TObject* Sender, AnsiString& Value));

class TQRCustomLabel : public TQRPrintable {
  DECLARE_CLASS(TQRCustomLabel, TQRPrintable)

public:
  explicit TQRCustomLabel(TComponent* AOwner);
  ~TQRCustomLabel() override;

  // ---- Overrides ----
  void DefineProperties(TFiler& Filer) override;
  void Loaded() override;
  void SetName(const AnsiString& NewName) override;
  void SetParent(TWinControl* AParent) override;
  void Prepare() override;
  void Print(int OfsX, int OfsY) override;
  void Unprepare() override;

  // ---- Operations descendants override ----
  // True when the text comes from the caption (OutputText), False when it
  // comes from Lines.
  virtual bool IsCaptionBased();
  // Lays the text out into LaidOutLines (nothing while the label has no
  // parent) and, with AutoSize, fits the label's width to it.
  virtual void FormatLines();
  // Whether the text aligns right to left (the left and right alignments
  // swap). Data texts narrow it to text-like fields.
  virtual bool UsesRightToLeftAlignment() const;

  // ---- Properties ----
  AnsiString Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value) { ApplyCaption(Value); }
  // Caption and OutputText take Value; the lines are laid out again.
  void ApplyCaption(const AnsiString& Value);
  AnsiString OutputText() const { return FOutputText; }
  void SetOutputText(const AnsiString& Value) { FOutputText = Value; }
  TStrings* Lines() const { return FLines.get(); }
  TStrings* LaidOutLines() const { return FLaidOutLines.get(); }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  bool AutoStretch() const { return FAutoStretch; }
  void SetAutoStretch(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool TextFromCaption() const { return FTextFromCaption; }
  int StoredFontSize() const { return FStoredFontSize; }
  bool IsLaidOut() const { return FIsLaidOut; }
  void SetIsLaidOut(bool Value) { FIsLaidOut = Value; }
  bool SelfResizing() const { return FSelfResizing; }
  int NextLineIndex() const { return FNextLineIndex; }
  bool AllLinesPrinted() const { return FAllLinesPrinted; }

  TQRLabelOnPrintEvent OnPrint;

  // ---- Measures (screen pixels at the label's zoom) ----
  // W(s): the report's width of s in the label's font times the zoom, or the
  // control canvas's width without a report.
  int TextWidthOf(const AnsiString& Text);
  // H: one line's height; a caption label is never lower than H + 1.
  int LineHeight();
  std::function<int(const AnsiString& Text)> TextWidthOverride;
  std::function<int()> LineHeightOverride;

protected:
  void Paint() override;
  void CMFontChanged(TMessage& Message) override;
  // Appends the lines of one text, each paragraph laid out in the width.
  void LayOutText(const AnsiString& Text);
  // Whether the component is on a design surface.
  bool Designing() const { return ComponentState().Contains(csDesigning); }

private:
  struct PrintState;

  void ReadFontSize(TReader& Reader);
  void WriteFontSize(TWriter& Writer);
  void FitWidthToLines();
  TAlignment EffectiveAlignment() const;
  void RunOnPrint(PrintState& State);
  void PrintLines(PrintState& State);
  void OutputLine(PrintState& State, const AnsiString& Line);
  void HandLineToFilter(PrintState& State, const AnsiString& Line);
  void HandFillToFilter(PrintState& State);
  void FillOnPage(PrintState& State, long double Top, long double Bottom);

  AnsiString FCaption;
  AnsiString FOutputText;
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TStringList> FLaidOutLines;
  bool FAutoSize = true;
  bool FAutoStretch = false;
  bool FWordWrap = true;
  bool FTextFromCaption = true;
  int FStoredFontSize = 0;
  bool FIsLaidOut = false;
  bool FSelfResizing = false;
  int FNextLineIndex = 0;
  bool FAllLinesPrinted = true;
};

class TQRLabel : public TQRCustomLabel {
  DECLARE_CLASS(TQRLabel, TQRCustomLabel)

public:
  explicit TQRLabel(TComponent* AOwner) : TQRCustomLabel(AOwner) {}
};
