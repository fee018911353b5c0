// The preview control: one page of a printer object's pages at a zoom,
// inside scroll bars, while the pages may still be coming from the report's
// run thread. The printer object reaches it only through posted messages:
//   WM_USER   (1024)  progress percent in the low 16 bits of WParam
//   WM_USER+1 (1025)  page available: its number in the low 16 bits of WParam
//
// TQRPreviewImage paints the page metafile and turns the mouse over link
// areas into hyperlink events. DrawPage is the one routine that paints a
// page, in the control and in the standard preview's thumbnails.
#pragma once
#include <memory>
#include <vector>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/stdctrls/scrollbox.h"
#include "reportengine/preview/qrhyperlink.h"
#include "reportengine/printer/qrprinter.h"

class TCanvas;
class TMetafile;
class TTreeView;

enum TQRZoomState { qrZoomToFit, qrZoomToWidth, qrZoomOther };

DOZURI_EVENT(TQRPageAvailableEvent, void(TObject* Sender, int PageNum));
DOZURI_EVENT(TQRProgressUpdateEvent, void(TObject* Sender, int Progress));

// Paints a page into the rectangle: white inside, the metafile stretched
// over it, a black frame and a shadow on the right and bottom. Without a
// page, the frame and white are drawn only when FrameEmpty asks for them;
// otherwise nothing is drawn.
void DrawPage(TMetafile* Page, TCanvas& Canvas, int L, int T, int R, int B, bool FrameEmpty);

class TQRPreviewImage : public TGraphicControl {
  DECLARE_CLASS(TQRPreviewImage, TGraphicControl)

public:
  explicit TQRPreviewImage(TComponent* AOwner);
  ~TQRPreviewImage() override;

  TQRPrinter* QRPrinter() const { return FQRPrinter; }
  void SetQRPrinter(TQRPrinter* Value) { FQRPrinter = Value; }
  int PageNumber() const { return FPageNumber; }
  int Zoom() const { return FZoom; }
  void SetZoom(int Value) { FZoom = Value; }
  // Loads page N from the printer object (none while it is not stored yet)
  // and paints.
  void ShowPage(int N);
  bool HasPage() const { return FPage != nullptr; }
  TMetafile* PageMetafile() const { return FPage.get(); }

  std::vector<TQRHyperlinkArea>& HyperlinkAreas() { return FHyperlinkAreas; }
  bool IsLink() const { return FIsLink; }
  const AnsiString& LastLink() const { return FLastLink; }
  void SetIsLink(bool Value);

  TQRPreviewHyperlinkEvent OnHyperlink;

protected:
  void Paint() override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  HWND ParentFormHandle();

  TQRPrinter* FQRPrinter = nullptr;
  std::unique_ptr<TMetafile> FPage;
  int FPageNumber = 1;
  int FZoom = 100;
  std::vector<TQRHyperlinkArea> FHyperlinkAreas;
  bool FIsLink = false;
  AnsiString FLastLink;
};

class TQRPreview : public TScrollBox, public IQRPrinterView {
  DECLARE_CLASS(TQRPreview, TScrollBox)

public:
  explicit TQRPreview(TComponent* AOwner);
  ~TQRPreview() override;

  TQRPrinter* QRPrinter() const { return FQRPrinter; }
  void SetQRPrinter(TQRPrinter* Value);
  int PageNumber() const { return FPageNumber; }
  void SetPageNumber(int Value);
  int Zoom() const { return FZoom; }
  void SetZoom(int Value);
  TQRZoomState ZoomState() const { return FZoomState; }
  void ZoomToFit();
  void ZoomToWidth();
  // Sizes the page image for the zoom and centres it where the control is
  // larger; scrolls to the top left.
  void Layout();
  // Loads the shown page when it has become available since it was asked for.
  void RefreshPage();
  TQRPreviewImage* PreviewImage() const { return FImage; }

  TQRPreviewHyperlinkEvent OnHyperlink() const { return FImage->OnHyperlink; }
  void SetOnHyperlink(TQRPreviewHyperlinkEvent Value) { FImage->OnHyperlink = Value; }
  TTreeView* Outline() const { return FOutline; }
  void SetOutline(TTreeView* Value);

  TQRPageAvailableEvent OnPageAvailable;
  TQRProgressUpdateEvent OnProgressUpdate;

  void Dispatch(TMessage& Message) override;
  void PrinterFreed(TQRPrinter* Printer) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // Resizing or entering the control keeps a fit or width zoom.
  void ApplyZoomState(TObject* Sender);
  void DetachPrinter();
  void PassMouseEvents();

  TQRPrinter* FQRPrinter = nullptr;
  TQRPreviewImage* FImage = nullptr;
  TTreeView* FOutline = nullptr;
  int FPageNumber = 1;
  int FZoom = 100;
  TQRZoomState FZoomState = qrZoomOther;
};
