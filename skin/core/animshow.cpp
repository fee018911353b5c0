#include "skin/core/animshow.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "skin/core/alphablend.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/commondata.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinprops.h"

HDC AnimationDC = nullptr;

namespace {

constexpr unsigned kFrameInterval = 10;

TOutputWindow* gOverlay = nullptr;
TBitmap* gSnapshot = nullptr;
TacHideTimer* gHideTimer = nullptr;

void FramePause() {
  if (AnimationSeams().Sleep)
    AnimationSeams().Sleep(kFrameInterval);
  else
    Sleep(kFrameInterval);
}

bool LayeredWindowsAvailable() {
  return AnimationSeams().LayeredWindows ? AnimationSeams().LayeredWindows() : LayeredWindowsSupported();
}

bool WindowsVistaOrLater() { return LOBYTE(LOWORD(GetVersion())) >= 6; }

// True when the control has skin state that is skinned now.
bool ControlSkinnedNow(TWinControl* Control) {
  if (!HasPublishedProperty(Control, "SkinData"))
    return false;
  auto* data = dynamic_cast<TsCommonData*>(GetObjectPropByName(Control, "SkinData"));
  return data != nullptr && data->IsSkinned();
}

// The parent's background over the hidden control's area, at (X, Y).
void PaintParentBackground(TBitmap* Bitmap, TWinControl* Control, int X, int Y) {
  TsBackgroundQuery query;
  query.Area = Control->BoundsRect();
  QueryControlBackground(query, Control->Parent(), false);
  HDC dc = Bitmap->Canvas().Handle();
  if (query.AnswerKind == bqBitmap && query.Bitmap != nullptr) {
    BitBlt(dc, X, Y, Control->Width(), Control->Height(), query.Bitmap->Canvas().Handle(),
           query.OffsetX + Control->Left(), query.OffsetY + Control->Top(), SRCCOPY);
    return;
  }
  RECT r{X, Y, X + Control->Width(), Y + Control->Height()};
  FillDeviceRect(dc, r, query.Color);
}

void FreeSharedNewImage(TBitmap*& Image) {
  delete Image;
  Image = nullptr;
}

void FreeOverlay() {
  TOutputWindow* overlay = gOverlay;
  gOverlay = nullptr;
  if (overlay != nullptr)
    overlay->Free();
}

void FreeSnapshot() {
  delete gSnapshot;
  gSnapshot = nullptr;
}

// The alpha of frame I of Steps: 255 div Steps apart, as long as that is
// at least 1; for longer times (Steps above 255) proportional, so they fade
// all the same.
int CrossFadeAlpha(int I, int Steps) {
  const int delta = 255 / Steps;
  const int alpha = delta > 0 ? 255 - I * delta : 255 - I * 255 / Steps;
  return std::max(alpha, 0);
}

// Cross-fades the overlay from the snapshot to Image and shows Image last.
void RunCrossFade(HDC OverlayDC, TBitmap* Image, TBitmap* Frame, int Width, int Height, int Steps) {
  const TPixelView oldView = PixelViewOf(gSnapshot);
  const TPixelView newView = PixelViewOf(Image);
  const bool comparable = oldView.Width == newView.Width && oldView.Height == newView.Height &&
                          oldView.Is24() && newView.Is24();
  for (int i = 0; i <= Steps; ++i) {
    const int alpha = CrossFadeAlpha(i, Steps);
    if (comparable)
      MixBitmapsInto32(PixelViewOf(Frame), oldView, newView, nullptr, alpha);
    BitBlt(OverlayDC, 0, 0, Width, Height, Frame->Canvas().Handle(), 0, 0, SRCCOPY);
    if (AnimationSeams().OnCrossFadeFrame)
      AnimationSeams().OnCrossFadeFrame(alpha, Frame);
    if (i < Steps)
      FramePause();
  }
}

void UpdateLayeredImage(HWND Wnd, TBitmap* Image, BYTE Alpha) {
  if (AnimationSeams().OnLayeredUpdate)
    AnimationSeams().OnLayeredUpdate(Wnd, Image, Alpha);
  TUpdateLayeredWindow update = UpdateLayeredWindowEntry();
  if (update == nullptr || Wnd == nullptr || Image == nullptr)
    return;
  SIZE size{Image->Width(), Image->Height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  HDC screen = GetDC(nullptr);
  update(Wnd, screen, nullptr, &size, Image->Canvas().Handle(), &source, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

}  // namespace

TacAnimationSeams& AnimationSeams() {
  static TacAnimationSeams seams;
  return seams;
}

TOutputWindow* SharedOverlay() { return gOverlay; }
TBitmap* SharedSnapshot() { return gSnapshot; }

// ---- TOutputWindow --------------------------------------------------------------------------------

IMPLEMENT_CLASS(TOutputWindow)

TOutputWindow::TOutputWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetColor(static_cast<TColor>(0x800080));
  SetCaption("acOutputWindow");
}

void TOutputWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (Parent() != nullptr || ParentWindow() != nullptr)
    return;
  Params.Style = WS_POPUP;
  Params.ExStyle = 0;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner != nullptr && owner->HandleAllocated() && (GetWindowLongPtrW(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    Params.ExStyle |= WS_EX_TOPMOST;
  Params.WndParent = Application != nullptr ? Application->Handle() : nullptr;
}

void TOutputWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      Message.Result = 0;
      return;
    case WM_PAINT: {
      // Frames are copied in by the show; the window itself draws nothing.
      PAINTSTRUCT ps;
      BeginPaint(Handle(), &ps);
      EndPaint(Handle(), &ps);
      Message.Result = 0;
      return;
    }
    case WM_DESTROY:
    case WM_NCDESTROY:
      break;
  }
  TCustomControl::WndProc(Message);
  if (Message.Msg == WM_NCDESTROY && gOverlay == this)
    gOverlay = nullptr;
}

// ---- Snapshot and painting ------------------------------------------------------------------------

void CaptureControlSnapshot(TWinControl* Control) {
  if (Control == nullptr)
    return;
  RECT r;
  GetWindowRect(Control->Handle(), &r);
  const int width = Control->Width(), height = Control->Height();
  if (gSnapshot == nullptr)
    gSnapshot = CreateBitmap24(width, height);
  HDC screen = GetDC(nullptr);
  BitBlt(gSnapshot->Canvas().Handle(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  if (gOverlay == nullptr)
    gOverlay = new TOutputWindow(Control);
  if (Control->Parent() != nullptr) {
    gOverlay->SetParent(Control->Parent());
    gOverlay->SetBoundsRect(Control->BoundsRect());
    // Just above the control among its siblings.
    HWND above = GetWindow(Control->Handle(), GW_HWNDPREV);
    SetWindowPos(gOverlay->Handle(), above != nullptr && above != gOverlay->Handle() ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(gOverlay->Handle(), SW_SHOWNA);
  } else {
    gOverlay->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    SetWindowPos(gOverlay->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
}

void PaintControlToBitmap(TBitmap* Bitmap, TWinControl* Control, int X, TObject* Provider, int Y) {
  if (Bitmap == nullptr || Control == nullptr)
    return;
  if (Provider == nullptr && Control->Parent() != nullptr && !Control->Visible()) {
    PaintParentBackground(Bitmap, Control, X, Y);
    return;
  }
  HDC dc = Bitmap->Canvas().Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, Control->Width(), Control->Height());
  if (!Control->HandleAllocated() || !ControlSkinnedNow(Control)) {
    // PaintTo paints the windowed children too.
    Control->PaintTo(dc, 0, 0);
    RestoreDC(dc, saved);
    return;
  }
  SendMessageW(Control->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
  for (int i = 0; i < Control->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(Control->Controls(i));
    if (child == nullptr || !child->Visible())
      continue;
    const int childSaved = SaveDC(dc);
    const bool parentlessForm = dynamic_cast<TCustomForm*>(child) != nullptr && child->Parent() == nullptr;
    if (!parentlessForm) {
      POINT origin;
      GetWindowOrgEx(dc, &origin);
      SetWindowOrgEx(dc, origin.x - child->Left(), origin.y - child->Top(), nullptr);
    }
    PaintControlToBitmap(Bitmap, child, child->Left(), nullptr, child->Top());
    RestoreDC(dc, childSaved);
  }
  RestoreDC(dc, saved);
}

// ---- Animated show --------------------------------------------------------------------------------

void ShowControlAnimated(TWinControl* Control, unsigned short Time, BYTE, TacAnimType) {
  if (Control == nullptr)
    return;
  AnimationRunning = true;
  if (gOverlay == nullptr)
    CaptureControlSnapshot(Control);
  const int width = Control->Width(), height = Control->Height();
  TBitmap* image = CreateBitmap24(width, height);
  image->Canvas().Lock();
  AnimationDC = image->Canvas().Handle();
  PaintControlToBitmap(image, Control, 0, nullptr, 0);
  AnimationDC = nullptr;
  image->Canvas().Unlock();
  std::unique_ptr<TBitmap> frame(CreateBitmap32(width, height));

  HWND overlayWnd = gOverlay != nullptr ? gOverlay->Handle() : nullptr;
  HDC overlayDC = overlayWnd != nullptr ? GetWindowDC(overlayWnd) : nullptr;
  const int steps = Time / 10;
  if (overlayDC != nullptr) {
    if (steps > 0)
      RunCrossFade(overlayDC, image, frame.get(), width, height, steps);
    BitBlt(overlayDC, 0, 0, width, height, image->Canvas().Handle(), 0, 0, SRCCOPY);
  }

  AnimationRunning = false;
  if (Control->Visible() && Control->HandleAllocated()) {
    SendMessageW(Control->Handle(), WM_SETREDRAW, TRUE, 0);
    if (WindowsVistaOrLater())
      RedrawWindow(Control->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const bool layeredForm = dynamic_cast<TCustomForm*>(Control) != nullptr &&
                             (GetWindowLongPtrW(Control->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    if (overlayWnd != nullptr && !layeredForm)
      SetWindowPos(overlayWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  }
  if (overlayDC != nullptr)
    ReleaseDC(overlayWnd, overlayDC);
  FreeOverlay();
  frame.reset();
  FreeSnapshot();
  FreeSharedNewImage(image);
}

// ---- Animated hide --------------------------------------------------------------------------------

IMPLEMENT_CLASS(TacHideTimer)

TacHideTimer::TacHideTimer(TComponent* AOwner) : TacThreadedTimer(AOwner) {}

TacHideTimer::~TacHideTimer() {
  SetOnTimer(TNotifyEvent());
  ReleaseHideForm();
  if (gHideTimer == this)
    gHideTimer = nullptr;
}

void TacHideTimer::ReleaseHideForm() {
  if (FHideForm != nullptr)
    FHideForm->Free();
  FHideForm = nullptr;
  delete FImage;
  FImage = nullptr;
  delete FWork;
  FWork = nullptr;
}

void TacHideTimer::UpdateLayered(TBitmap* Image) {
  UpdateLayeredImage(FHideForm != nullptr ? FHideForm->Handle() : nullptr, Image,
                     static_cast<BYTE>(std::lround(FAlpha)));
}

void TacHideTimer::Start(TForm* HideForm, TBitmap* Image, unsigned short Time, TacAnimType Mode, BYTE MaxAlpha) {
  ReleaseHideForm();
  FFrameCounter = 0;
  FImage = Image;
  FMaxAlpha = MaxAlpha;
  FHideForm = HideForm;
  FMode = Mode;
  SetInterval(kFrameInterval);
  FSteps = Time / 10;
  FWidth = Image->Width();
  FHeight = Image->Height();
  FAlpha = MaxAlpha / 2;
  FAlphaStep = static_cast<double>(MaxAlpha) / (FSteps * 2);
  FImageCopied = false;
  HWND wnd = HideForm->Handle();
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  UpdateLayered(Image);
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  RECT r;
  GetWindowRect(wnd, &r);
  SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, FWidth, FHeight,
               SWP_NOOWNERZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE | SWP_NOREDRAW);
  FWork = CreateBitmap32(FWidth, FHeight);
  if (Mode == atAero) {
    FDx = -static_cast<double>(FWidth) / (FSteps * 8);
    FDy = -static_cast<double>(FHeight) / (FSteps * 8);
    FLeft = 0, FTop = 0, FRight = FWidth, FBottom = FHeight;
  } else {
    FDx = FDy = FLeft = FTop = FRight = FBottom = 0;
  }
}

void TacHideTimer::RenderFrame() {
  FAlpha = std::max(FAlpha - FAlphaStep, 0.0);
  HDC work = FWork->Canvas().Handle();
  HDC image = FImage->Canvas().Handle();
  if (FMode == atFading) {
    if (!FImageCopied)
      BitBlt(work, 0, 0, FWidth, FHeight, image, 0, 0, SRCCOPY);
    FImageCopied = true;
    return;
  }
  FillRect32(PixelViewOf(FWork), TPixelRect{0, 0, FWidth, FHeight}, 0);
  SetAlphaRect(PixelViewOf(FWork), TPixelRect{0, 0, FWidth, FHeight}, 0);
  if (FLeft >= 0 && FTop >= 0) {
    SetStretchBltMode(work, COLORONCOLOR);
    StretchBlt(work, std::lround(FLeft), std::lround(FTop), std::lround(FRight - FLeft), std::lround(FBottom - FTop),
               image, 0, 0, FWidth, FHeight, SRCCOPY);
  } else {
    BitBlt(work, 0, 0, FWidth, FHeight, image, 0, 0, SRCCOPY);
  }
}

void TacHideTimer::HideTick(TObject*) {
  if (FHideForm == nullptr)
    return;
  if (FFrameCounter > FSteps) {
    SetInterval(65535);
    SetOnTimer(TNotifyEvent());
    ReleaseHideForm();
    return;
  }
  RenderFrame();
  UpdateLayered(FWork);
  if (FMode == atAero) {
    FLeft -= FDx;
    FTop -= FDy;
    FRight += FDx;
    FBottom += FDy;
  }
  ++FFrameCounter;
}

TacHideTimer* SharedHideTimer() { return gHideTimer; }

void StartAnimatedHide(TForm* HideForm, TBitmap* Image, unsigned short Time, TacAnimType Mode, BYTE MaxAlpha) {
  if (gHideTimer != nullptr)
    gHideTimer->ReleaseHideForm();
  if (Time / 10 == 0 || HideForm == nullptr || Image == nullptr || !LayeredWindowsAvailable()) {
    if (HideForm != nullptr)
      HideForm->Free();
    delete Image;
    return;
  }
  if (gHideTimer == nullptr)
    gHideTimer = new TacHideTimer(Application);
  gHideTimer->Start(HideForm, Image, Time, Mode, MaxAlpha);
  if (Application != nullptr && Application->Terminated()) {
    while (gHideTimer->FrameCounter() <= Time / 10 && gHideTimer->HideForm() != nullptr) {
      gHideTimer->HideTick(gHideTimer);
      FramePause();
    }
    return;
  }
  TacHideTimer* timer = gHideTimer;
  gHideTimer->SetOnTimer(TNotifyEvent([timer](TObject* Sender) { timer->HideTick(Sender); }));
  gHideTimer->HideTick(gHideTimer);
  gHideTimer->SetEnabled(true);
}
