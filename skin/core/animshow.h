// Animated show and hide. A control's old screen image is frozen under an
// overlay window (CaptureControlSnapshot); after the control changed,
// ShowControlAnimated paints its new look off screen and cross-fades the
// overlay from the old image to the new one, frame by frame 10 ms apart,
// then removes the overlay so the control shows and repaints normally.
// StartAnimatedHide fades (and, in aero mode, shrinks) a layered copy of a
// form out on a threaded timer.
//
// The layered show of skinned forms and dialogs and their animated hide
// need the form skin provider and the dialog adapter; they come with them.
// Until then a form passed to ShowControlAnimated takes the control path.
#pragma once
#include <windows.h>

#include <functional>

#include "classlib/controls/customcontrol.h"
#include "skin/core/animeffects.h"
#include "skin/core/threadedtimer.h"

class TBitmap;
class TForm;

// The device context the new look is painted into while an animated show
// paints it; 0 otherwise. Skinned controls tell painting into the new image
// from painting onto the screen by it.
extern HDC AnimationDC;

// What tests replace: the pause between frames, whether layered windows are
// offered, and recorders of the frames shown.
struct TacAnimationSeams {
  // Waits between frames; ::Sleep when empty.
  std::function<void(unsigned Ms)> Sleep;
  // Whether layered windows may be used; LayeredWindowsSupported when empty.
  std::function<bool()> LayeredWindows;
  // Each cross-fade frame of a control show with its alpha (the share of
  // the old image), after it was copied to the overlay.
  std::function<void(int Alpha, TBitmap* Frame)> OnCrossFadeFrame;
  // Each UpdateLayeredWindow of a show or hide: window, image, constant alpha.
  std::function<void(HWND Wnd, TBitmap* Image, BYTE Alpha)> OnLayeredUpdate;
};
TacAnimationSeams& AnimationSeams();

// The overlay of an animated show: a window that neither erases its
// background nor paints its frame, so it shows what was on screen beneath
// it until frames are copied into it. Without a parent it is a popup owned
// by the application's window (topmost when its owner control is).
class TOutputWindow : public TCustomControl {
  DECLARE_CLASS(TOutputWindow, TCustomControl)

public:
  explicit TOutputWindow(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
};

// The overlay of the show in progress, or nullptr.
TOutputWindow* SharedOverlay();
// The frozen screen image of the show in progress, or nullptr.
TBitmap* SharedSnapshot();

// Copies the control's screen image into the shared snapshot (made at the
// control's size when none exists) and places the overlay over the control.
void CaptureControlSnapshot(TWinControl* Control);
// Paints the control and its visible windowed children into Bitmap at its
// origin. A control that is skinned now gets WM_PRINT; any other paints
// itself through PaintTo. A hidden child is replaced by its parent's
// background at (X, Y). Provider: the form's skin provider, nullptr for
// controls.
void PaintControlToBitmap(TBitmap* Bitmap, TWinControl* Control, int X, TObject* Provider, int Y);
// Cross-fades the control from the snapshot (taken now when there is none)
// to its new look in Time div 10 frames, shows the new look, then removes
// the overlay and frees the snapshot. MaxAlpha and Mode have no effect on
// this path.
void ShowControlAnimated(TWinControl* Control, unsigned short Time, BYTE MaxAlpha, TacAnimType Mode);

// The timer of an animated hide: each tick shows the next frame of the
// hide form, fading it out (and shrinking it towards 3/4 size in aero mode).
class TacHideTimer : public TacThreadedTimer {
  DECLARE_CLASS(TacHideTimer, TacThreadedTimer)

public:
  explicit TacHideTimer(TComponent* AOwner);
  ~TacHideTimer() override;

  // Takes ownership of HideForm and Image; a previous hide form is freed.
  void Start(TForm* HideForm, TBitmap* Image, unsigned short Time, TacAnimType Mode, BYTE MaxAlpha);
  // One frame; after the last the form and the pictures are freed.
  void HideTick(TObject* Sender);
  TForm* HideForm() const { return FHideForm; }
  int FrameCounter() const { return FFrameCounter; }
  double CurrentAlpha() const { return FAlpha; }

  // Frees the hide form and the pictures of the last hide, if any.
  void ReleaseHideForm();

private:
  void RenderFrame();
  void UpdateLayered(TBitmap* Image);

  TForm* FHideForm = nullptr;
  TBitmap* FImage = nullptr;
  TBitmap* FWork = nullptr;
  int FWidth = 0, FHeight = 0;
  BYTE FMaxAlpha = 255;
  int FSteps = 0;
  TacAnimType FMode = atFading;
  double FAlpha = 0, FAlphaStep = 0;
  double FDx = 0, FDy = 0;
  double FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
  bool FImageCopied = false;
  int FFrameCounter = 0;
};

// The one hide timer, owned by the application, made on first use
// (nullptr until then).
TacHideTimer* SharedHideTimer();
// Fades HideForm (showing Image) out in Time div 10 frames; takes ownership
// of both. With no frames both are freed and nothing is shown.
void StartAnimatedHide(TForm* HideForm, TBitmap* Image, unsigned short Time, TacAnimType Mode, BYTE MaxAlpha);
