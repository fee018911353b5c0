// TQRPrintable: the base of every control that prints on a band or directly
// on the report page. It keeps its position and size in report units
// (Size), its frame, its alignment inside the band, and the protocol by
// which a run prints it: Prepare once per run, Print(OfsX, OfsY) each time
// its band prints, Unprepare at the end. PrintFinished False tells the band
// that the control still has content for the next column or page.
//
// At design time the control paints itself (corner marks and frame); while
// printing it paints nothing and draws through Print instead.
#pragma once
#include "classlib/classes/alignment.h"
#include "classlib/controls/customcontrol.h"
#include "reportengine/printer/qrunits.h"
#include "reportengine/report/qrframe.h"

class TQRBasePanel;
class TQRPrinter;
class TQRPrintable;

// What a band tells its printables through Notify.
constexpr int QRNotifyRecordAdvanced = 0;
constexpr int QRNotifyBandResized = 2;

// The run-time property editor descriptor of one printable. The base
// answers as an editor that edits nothing; descendants answer for their
// printables.
class TQRPrintableEditor : public TObject {
  DECLARE_CLASS(TQRPrintableEditor, TObject)

public:
  TQRPrintableEditor() = default;

  TQRPrintable* Printable() const { return FPrintable; }
  void SetPrintable(TQRPrintable* Value) { FPrintable = Value; }

  // Whether the control has a colour to edit, and which.
  virtual bool GetColor(TColor& Color);
  // Whether the control has a font to edit; it is copied into Font.
  virtual bool GetFont(TFont& Font);
  // The class the editor is made for.
  virtual TClass EditedClass();
  virtual AnsiString GetCaption();
  virtual AnsiString EditorName();
  virtual AnsiString Description();

private:
  TQRPrintable* FPrintable = nullptr;
};

class TQRPrintable : public TCustomControl, public IQRSizedControl {
  DECLARE_CLASS(TQRPrintable, TCustomControl)

public:
  explicit TQRPrintable(TComponent* AOwner);
  ~TQRPrintable() override;

  // ---- Operations descendants override, in this order ----
  // True when Enabled, or when the control is not Visible.
  virtual bool ShouldPrint();
  virtual TClass GetEditorClass();
  // With AlignToBand: left, right or centre inside the band.
  virtual void ApplyBandAlignment();
  virtual void Prepare();
  // The base draws the frame on the run's page.
  virtual void Print(int OfsX, int OfsY);
  // QRNotifyBandResized re-applies the band alignment.
  virtual void Notify(TObject* Sender, int Operation);
  virtual void ApplyAlignment(TAlignment Value);
  virtual void Unprepare();
  // The pixel height the control needs for its data; the base leaves it.
  virtual void MeasureHeight(int& Height) {}
  // The control's current data text; the base leaves it.
  virtual void GetDataText(AnsiString& Text) {}
  // True for printables whose height follows their data (data text, data
  // image, memo): a band's height pre-calculation measures them.
  virtual bool StretchesWithData() { return false; }

  // ---- Overrides ----
  void Loaded() override;
  void SetParent(TWinControl* AParent) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // ---- Properties ----
  TQRPrintableSize* Size() const { return FSize; }
  TQRFrame* Frame() const { return FFrame; }
  void SetFrame(TQRFrame* Value) { FFrame->Assign(Value); }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { ApplyAlignment(Value); }
  bool AlignToBand() const { return FAlignToBand; }
  void SetAlignToBand(bool Value);
  // True when the control does not paint its background (no csOpaque).
  bool Transparent() const;
  void SetTransparent(bool Value);
  int CurrentZoom() const { return FSize->Zoom(); }
  // Stores the zoom in Size and resizes the control from its native values.
  void SetZoom(int Value);

  TQRBasePanel* ParentReport() const { return FParentReport; }
  void SetParentReport(TQRBasePanel* Value);
  TQRPrinter* QRPrinter() const { return FQRPrinter; }
  bool IsPrinting() const { return FIsPrinting; }
  bool PrintFinished() const { return FPrintFinished; }
  void SetPrintFinished(bool Value) { FPrintFinished = Value; }
  int LoadedLeft() const { return FLoadedLeft; }
  int LoadedTop() const { return FLoadedTop; }
  int LoadedWidth() const { return FLoadedWidth; }
  int LoadedHeight() const { return FLoadedHeight; }
  bool AlignUpdating() const { return FAlignUpdating; }

  // ---- IQRSizedControl ----
  void GetSizedBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) override;
  void SetSizedBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  int ParentPanelZoom() override;

protected:
  void Paint() override;
  // The parent when it is a report or band panel, else nullptr.
  TQRBasePanel* ParentPanel() const;

private:
  void AttachReport(TQRBasePanel* Report);
  void WriteSizeFromPixels(int ALeft, int ATop, int AWidth, int AHeight);

  TQRPrintableSize* FSize;
  TQRFrame* FFrame;
  TAlignment FAlignment = taLeftJustify;
  bool FAlignToBand = false;
  TQRBasePanel* FParentReport = nullptr;
  TQRPrinter* FQRPrinter = nullptr;
  bool FIsPrinting = false;
  bool FPrintFinished = true;
  int FLoadedLeft = 0;
  int FLoadedTop = 0;
  int FLoadedWidth = 0;
  int FLoadedHeight = 0;
  bool FAlignUpdating = false;
};

// ---- The run's protocol over a report or band and the panels on it ----

// Prepare of every printable on Parent and, recursively, on every panel on it.
void QRPreparePrintables(TWinControl& Parent);
// Unprepare of every printable, recursively, the same way.
void QRUnpreparePrintables(TWinControl& Parent);
// One pass of a band's print: every enabled child printable prints at the
// offset, on the first pass always, on later passes only when it is not
// finished. Gives whether every such printable is finished.
bool QRPrintChildPrintables(TWinControl& Band, int OfsX, int OfsY, bool FirstPass);
