// TQRBasePanel: the common base of the report page and its bands, the
// panels a user edits in the runtime designer. It holds the frame, the zoom
// and the ruler painting.
//
// The report and band classes come later in the engine; what the panel and
// the printables placed on it need of them is asked through the virtual
// hooks below (the role of the panel, the report it belongs to, the units a
// printable takes, the run's printer object). The base answers as a plain
// panel that belongs to no report.
//
// The design-time pictures of the report (margins, page frame, column
// lines) and of a band (outline, frame, caption) are drawn by the functions
// at the end, which the report's and band's Paint call after the base Paint.
#pragma once
#include "classlib/controls/extctrls.h"
#include "reportengine/printer/qrunits.h"
#include "reportengine/report/qrframe.h"

class TQRPrinter;

enum class TQRPanelRole { Plain, Report, Band };

class TQRBasePanel : public TCustomPanel {
  DECLARE_CLASS(TQRBasePanel, TCustomPanel)

public:
  explicit TQRBasePanel(TComponent* AOwner);
  ~TQRBasePanel() override;

  TQRFrame* Frame() const { return FFrame; }
  void SetFrame(TQRFrame* Value) { FFrame->Assign(Value); }
  int Zoom() const { return FZoom; }
  void SetZoom(int Value) { ApplyZoom(Value); }
  int FontSize() const { return FFontSize; }
  void SetFontSize(int Value) { FFontSize = Value; }

  // 0 is ignored. Stores the zoom; every child printable takes it into its
  // size and is resized, every child panel is zoomed too.
  virtual void ApplyZoom(int Value);
  // The ruler of Units over the whole client area (numbers on the report
  // only).
  virtual void PaintRuler(TQRUnit Units);

  // ---- What the report and band classes answer ----
  virtual TQRPanelRole PanelRole() const { return TQRPanelRole::Plain; }
  // The report this panel is or belongs to, or nullptr.
  virtual TQRBasePanel* OwningReport() { return nullptr; }
  // The size-object link of that report (font size, relayout).
  virtual IQRUnitReport* UnitReport() { return nullptr; }
  // The units a printable placed on this panel takes: the report's units on
  // a report, the units of the band's size on a band.
  virtual TQRUnit PrintableUnits() { return Native; }
  // The printer object of the report's current run, and whether the run
  // draws on its pages (False while an export filter takes them).
  virtual TQRPrinter* RunPrinter() { return nullptr; }
  virtual bool UsesPrinterPages() { return false; }
  // Marks the design view for repaint once: further marks do nothing until
  // the next paint.
  virtual void MarkDesignRepaint();
  bool DesignRepaintMarked() const { return FRepaintMarked; }

protected:
  void CreateParams(TCreateParams& Params) override;
  // Fills the client area with Color, or $C0C0C0 when disabled, and leaves
  // the brush clear; clears the repaint mark.
  void Paint() override;

private:
  TQRFrame* FFrame;
  int FZoom = 100;
  int FFontSize = 12;
  bool FRepaintMarked = false;
};

// ---- Design pictures --------------------------------------------------------

// The margin rectangle of the page, in the margin style and colour.
void QRPaintMargins(TCanvas& Canvas, TQRPage& Page, int ClientWidth, int ClientHeight);
// The sides of the report's frame along the margins, with the frame's pen.
void QRPaintPageFrame(TCanvas& Canvas, TQRPage& Page, const TQRFrame& Frame);
// With more than one column: short marks in the top margin at the end of
// each column and the start of the next.
void QRPaintColumnLines(TCanvas& Canvas, TQRPage& Page);
// A band's outline in the band outline style, its frame on the client
// rectangle less one pixel right and bottom, and its display name in the
// ruler font at (2, Height - height of "W" - 4).
void QRPaintBandDesign(TCanvas& Canvas, int Width, int Height, const TQRFrame& Frame,
                       const AnsiString& Caption);
