#include "reportengine/preview/qrpreview.h"

#include <algorithm>

#include "classlib/comctrls/treeview.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/mathutils.h"

namespace {

// Letter paper in millimetres, the page size shown without a printer object.
constexpr double kLetterWidth = 215.9;
constexpr double kLetterLength = 279.4;

int RoundInt(double value) {
  return static_cast<int>(Round(value));
}

void UsePenAndBrush(TCanvas& canvas, TColor color) {
  canvas.Pen().SetColor(color);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetColor(color);
  canvas.Brush().SetStyle(bsSolid);
}

}  // namespace

void DrawPage(TMetafile* Page, TCanvas& Canvas, int L, int T, int R, int B, bool FrameEmpty) {
  if (Page == nullptr && !FrameEmpty)
    return;
  UsePenAndBrush(Canvas, clWhite);
  Canvas.Rectangle(L + 1, T + 1, R - 3, B - 3);
  if (Page != nullptr)
    Canvas.StretchDraw(RECT{L, T, R, B}, *Page);
  UsePenAndBrush(Canvas, clBlack);
  Canvas.MoveTo(L, T);
  Canvas.LineTo(L, B - 3);
  Canvas.LineTo(R - 3, B - 3);
  Canvas.LineTo(R - 3, T);
  Canvas.LineTo(L, T);
  Canvas.Rectangle(R - 2, T + 2, R, B);
  Canvas.Rectangle(L + 2, B - 2, R, B);
}

// ---- The page image ----------------------------------------------------------

IMPLEMENT_CLASS(TQRPreviewImage)

TQRPreviewImage::TQRPreviewImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 100, 50);
}

TQRPreviewImage::~TQRPreviewImage() = default;

void TQRPreviewImage::ShowPage(int N) {
  FPageNumber = N;
  FPage.reset();
  if (FQRPrinter != nullptr)
    FPage = FQRPrinter->GetPage(N);
  Repaint();
}

void TQRPreviewImage::Paint() {
  DrawPage(FPage.get(), *Canvas(), 0, 0, ClientWidth(), ClientHeight(),
           ComponentState().Contains(csDesigning));
  // A run held until this preview showed a page goes on now.
  if (FPage != nullptr && FQRPrinter != nullptr)
    FQRPrinter->PageShown();
}

void TQRPreviewImage::SetIsLink(bool Value) {
  if (Value == FIsLink)
    return;
  FIsLink = Value;
  if (!OnHyperlink)
    return;
  bool handled = false;
  if (Value)
    OnHyperlink(FQRPrinter, heCursorMoveOver, FLastLink, handled);
  else
    OnHyperlink(FQRPrinter, heCursorMoveAway, AnsiString(), handled);
}

void TQRPreviewImage::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  const int hit = QRHyperlinkHit(FHyperlinkAreas, X, Y, FZoom);
  if (hit >= 0) {
    FLastLink = FHyperlinkAreas[hit].Link;
    SetCursor(crHandPoint);
    SetIsLink(true);
  } else {
    SetCursor(crDefault);
    SetIsLink(false);
  }
}

void TQRPreviewImage::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (!FIsLink || !OnHyperlink)
    return;
  bool handled = false;
  OnHyperlink(FQRPrinter, heGoto, FLastLink, handled);
  if (!handled)
    DispatchQRHyperlink(FQRPrinter, FLastLink, ParentFormHandle());
}

HWND TQRPreviewImage::ParentFormHandle() {
  TCustomForm* form = GetParentForm(this);
  return form != nullptr && form->HandleAllocated() ? form->Handle() : nullptr;
}

// ---- The preview control -------------------------------------------------------

BEGIN_PUBLISHED(TQRPreview)
  PROPERTY(PageNumber, PageNumber, SetPageNumber).Default(1),
  PROPERTY(Zoom, Zoom, SetZoom),
  PROPERTY(OnPageAvailable, OnPageAvailable, OnPageAvailable),
  PROPERTY(OnProgressUpdate, OnProgressUpdate, OnProgressUpdate),
  PROPERTY(OnHyperlink, OnHyperlink, SetOnHyperlink),
  PROPERTY(Outline, Outline, SetOutline),
END_PUBLISHED

TQRPreview::TQRPreview(TComponent* AOwner) : TScrollBox(AOwner) {
  SetBounds(Left(), Top(), 250, 250);
  HorzScrollBar()->SetTracking(true);
  VertScrollBar()->SetTracking(true);
  FImage = new TQRPreviewImage(this);
  FImage->SetParent(this);
  FImage->SetBounds(0, 0, FImage->Width(), FImage->Height());
  OnResize = Method<&TQRPreview::ApplyZoomState>(this);
  OnEnter = Method<&TQRPreview::ApplyZoomState>(this);
}

TQRPreview::~TQRPreview() {
  DetachPrinter();
}

void TQRPreview::DetachPrinter() {
  TQRPrinter* old = FQRPrinter;
  FQRPrinter = nullptr;
  if (FImage != nullptr)
    FImage->SetQRPrinter(nullptr);
  if (old == nullptr)
    return;
  if (FOutline != nullptr && old->Outline() == FOutline)
    old->SetOutline(nullptr);
  old->PageShown();
  if (old->NotifyTarget == this) {
    old->NotifyTarget = nullptr;
    old->SetShowingPreview(false);
  }
}

void TQRPreview::SetQRPrinter(TQRPrinter* Value) {
  DetachPrinter();
  if (Value == nullptr)
    return;
  FQRPrinter = Value;
  FImage->SetQRPrinter(Value);
  Value->NotifyTarget = this;
  Value->SetShowingPreview(true);
  FPageNumber = 1;
  FImage->ShowPage(1);
  Invalidate();
  PassMouseEvents();
  Value->SetOutline(FOutline);
}

// The page covers most of the control: its mouse and click events are the
// control's.
void TQRPreview::PassMouseEvents() {
  FImage->OnClick = OnClick;
  FImage->OnDblClick = OnDblClick;
  FImage->OnMouseDown = OnMouseDown;
  FImage->OnMouseMove = OnMouseMove;
  FImage->OnMouseUp = OnMouseUp;
}

void TQRPreview::PrinterFreed(TQRPrinter* Printer) {
  if (Printer != FQRPrinter)
    return;
  FQRPrinter = nullptr;
  FImage->SetQRPrinter(nullptr);
}

void TQRPreview::SetPageNumber(int Value) {
  if (Value == FPageNumber && FImage->HasPage())
    return;
  if (Value <= 0 || FQRPrinter == nullptr || Value > FQRPrinter->PageCount())
    return;
  FImage->ShowPage(Value);
  FPageNumber = Value;
  HorzScrollBar()->SetPosition(0);
  VertScrollBar()->SetPosition(0);
}

void TQRPreview::SetZoom(int Value) {
  if (Value < 2 || Value > 2000)
    return;
  FZoomState = qrZoomOther;
  FZoom = Value;
  Layout();
}

void TQRPreview::ZoomToFit() {
  double pageWidth = kLetterWidth;
  double pageLength = kLetterLength;
  if (FQRPrinter != nullptr) {
    pageWidth = FQRPrinter->DeviceWidth(FQRPrinter->PaperWidth());
    pageLength = FQRPrinter->DeviceHeight(FQRPrinter->PaperLength());
  }
  if (pageWidth > 0 && pageLength > 0)
    SetZoom(std::min(RoundInt(Width() / pageWidth * 95), RoundInt(Height() / pageLength * 95)));
  Layout();
  FZoomState = qrZoomToFit;
}

void TQRPreview::ZoomToWidth() {
  if (FQRPrinter != nullptr) {
    const double pageWidth = FQRPrinter->DeviceWidth(FQRPrinter->PaperWidth());
    if (pageWidth > 0)
      SetZoom(RoundInt(Width() / pageWidth * 90));
  } else {
    SetZoom(RoundInt(Width() / kLetterWidth * 95));
  }
  Layout();
  FZoomState = qrZoomToWidth;
}

void TQRPreview::ApplyZoomState(TObject*) {
  if (FImage == nullptr)
    return;
  if (FZoomState == qrZoomToFit)
    ZoomToFit();
  else if (FZoomState == qrZoomToWidth)
    ZoomToWidth();
  Layout();
}

void TQRPreview::Layout() {
  if (FImage == nullptr)
    return;
  int imageWidth;
  int imageHeight;
  if (FQRPrinter != nullptr) {
    imageWidth = FQRPrinter->DeviceWidth(FQRPrinter->PaperWidth() * static_cast<long double>(FZoom) / 100) + 4;
    imageHeight = FQRPrinter->DeviceHeight(FQRPrinter->PaperLength() * static_cast<long double>(FZoom) / 100) + 4;
  } else {
    imageWidth = RoundInt(kLetterWidth / 100 * FZoom) + 4;
    imageHeight = RoundInt(kLetterLength / 100 * FZoom) + 4;
  }
  // Back at the top left before the image is placed: scrolling moves the
  // control's children, and would move the image off its place.
  HorzScrollBar()->SetPosition(0);
  VertScrollBar()->SetPosition(0);
  const int left = imageWidth < Width() ? (Width() - imageWidth) / 2 : 0;
  const int top = imageHeight < Height() ? (Height() - imageHeight) / 2 : 0;
  FImage->SetBounds(left, top, imageWidth, imageHeight);
  FImage->SetZoom(FZoom);
}

void TQRPreview::RefreshPage() {
  if (FQRPrinter == nullptr || FImage->HasPage())
    return;
  if (FQRPrinter->AvailablePages() >= FImage->PageNumber()) {
      ZoomToWidth();
    FImage->ShowPage(FImage->PageNumber());
  }
}

void TQRPreview::SetOutline(TTreeView* Value) {
  if (FOutline != nullptr)
    FOutline->RemoveFreeNotification(this);
  FOutline = Value;
  if (FOutline != nullptr)
    FOutline->FreeNotification(this);
  if (FQRPrinter != nullptr)
    FQRPrinter->SetOutline(FOutline);
}

void TQRPreview::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FOutline) {
    FOutline = nullptr;
    if (FQRPrinter != nullptr && FQRPrinter->Outline() == AComponent)
      FQRPrinter->SetOutline(nullptr);
  }
}

namespace {

// The latest of the notices of this kind already waiting for the window: a
// run stores pages faster than the preview can answer each notice, and
// notices answered one by one would keep the window from painting page 1
// until the run has ended.
WPARAM LatestWaitingNotice(HWND Window, UINT Notice, WPARAM Latest) {
  MSG waiting;
  while (PeekMessageW(&waiting, Window, Notice, Notice, PM_REMOVE))
    Latest = waiting.wParam;
  return Latest;
}

}  // namespace

void TQRPreview::Dispatch(TMessage& Message) {
  if (Message.Msg == QRM_PAGEAVAILABLE) {
    Message.WParam = LatestWaitingNotice(Handle(), QRM_PAGEAVAILABLE, Message.WParam);
    const int page = LOWORD(Message.WParam);
    // The page shown may be among those the skipped notices announced.
    if (page >= FPageNumber)
      RefreshPage();
    if (OnPageAvailable)
      OnPageAvailable(this, page);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == QRM_PROGRESS) {
    Message.WParam = LatestWaitingNotice(Handle(), QRM_PROGRESS, Message.WParam);
    if (OnProgressUpdate)
      OnProgressUpdate(this, LOWORD(Message.WParam));
    Message.Result = 0;
    return;
  }
  TScrollBox::Dispatch(Message);
}
