#include "skin/core/acglow.h"

#include "classlib/forms/forms.h"
#include "skin/core/maskregion.h"
#include "skin/core/skinmanager.h"

IMPLEMENT_CLASS(TacGlowEffect)

BLENDFUNCTION GlowBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
TUpdateLayeredWindow GlowLayeredUpdate = nullptr;

namespace {

// The array, cleared when the unit shuts down.
struct GlowEffectList {
  TacGlowEffects Effects;
  bool ShuttingDown = false;
  ~GlowEffectList() {
    ShuttingDown = true;
    ClearGlowEffects();
  }
};

GlowEffectList& GlowList() {
  static GlowEffectList list;
  return list;
}

int Width(const RECT& R) { return R.right - R.left; }
int Height(const RECT& R) { return R.bottom - R.top; }

// The part W x H at (X, Y) of a 32-bit image, as a new image.
std::unique_ptr<TBitmap> CropImage(TBitmap* Image, int X, int Y, int W, int H) {
  std::unique_ptr<TBitmap> part(CreateBitmap32(W, H));
  BitBlt(part->Canvas().Handle(), 0, 0, W, H, Image->Canvas().Handle(), X, Y, SRCCOPY);
  return part;
}

}  // namespace

TacGlowEffects& GlowEffects() { return GlowList().Effects; }

TacGlowEffect::~TacGlowEffect() {
  if (FWindow == nullptr)
    return;
  FWindow->WindowProc = FSavedWindowProc;
  const bool now = GlowList().ShuttingDown ||
                   (SkinManager != nullptr && SkinManager->ComponentState().Contains(csDestroying));
  if (now)
    delete FWindow;
  else
    FWindow->Release();
  FWindow = nullptr;
}

void TacGlowEffect::PrepareBitmap(int Width, int Height) {
  FImage.reset(CreateBitmap32(Width, Height));
  const TPixelView view = PixelViewOf(FImage.get());
  for (int y = 0; y < view.Height; ++y)
    std::fill_n(view.Row(y), static_cast<size_t>(view.Width) * 4, std::uint8_t{0});
  if (SkinManager != nullptr && SkinManager->IsMaskIndexValid(MaskIndex))
    DrawMaskRect(FImage.get(), RECT{0, 0, Width, Height}, true, false, 0, SkinManager->Masks[MaskIndex],
                 TPixelBackground{});
}

void TacGlowEffect::WindowProc(TMessage& Message) {
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  FSavedWindowProc(Message);
}

void TacGlowEffect::CreateGlowWindow() {
  FWindow = new TForm(nullptr);
  FWindow->SetTag(-98);
  FSavedWindowProc = FWindow->WindowProc;
  FWindow->WindowProc = Method<&TacGlowEffect::WindowProc>(this);
  TControlStyle style = FWindow->ControlStyle();
  style.Exclude(csCaptureMouse);
  FWindow->SetControlStyle(style);
  FWindow->SetBorderStyle(bsNone);
  FWindow->SetVisible(false);
}

POINT TacGlowEffect::ClipGlow(const RECT& ControlRect, const RECT& ClipRect, int& W, int& H) {
  const int l = SkinManager->LeftBorderWidth(MaskIndex), t = SkinManager->TopBorderWidth(MaskIndex);
  const int r = SkinManager->RightBorderWidth(MaskIndex), b = SkinManager->BottomBorderWidth(MaskIndex);
  const int m = Margin;
  const int lc = ClipRect.left != 0 ? l + ClipRect.left - m : 0;
  const int tc = ClipRect.top != 0 ? t + ClipRect.top - m : 0;
  int rc = 0, bc = 0;
  if (Width(ControlRect) != ClipRect.right)
    rc = lc != 0 ? W - lc - Width(ClipRect) : Width(ControlRect) + r - Width(ClipRect) - m;
  if (Height(ControlRect) != ClipRect.bottom)
    bc = tc != 0 ? H - tc - Height(ClipRect) : Height(ControlRect) + b - Height(ClipRect) - m;
  W -= lc + rc;
  H -= tc + bc;
  return POINT{lc, tc};
}

void TacGlowEffect::Show(const RECT& ControlRect, const RECT& ClipRect, int, HWND ParentWnd) {
  if (FWindow != nullptr || SkinManager == nullptr || !SkinManager->IsMaskIndexValid(MaskIndex))
    return;
  const int l = SkinManager->LeftBorderWidth(MaskIndex), t = SkinManager->TopBorderWidth(MaskIndex);
  const int r = SkinManager->RightBorderWidth(MaskIndex), b = SkinManager->BottomBorderWidth(MaskIndex);
  int w = Width(ControlRect) + l + r - 2 * Margin, h = Height(ControlRect) + t + b - 2 * Margin;
  if (w <= 0 || h <= 0)
    return;
  GlowBlend.SourceConstantAlpha = 255;
  PrepareBitmap(w, h);
  POINT cut{0, 0};
  if (Width(ClipRect) != Width(ControlRect) || Height(ClipRect) != Height(ControlRect)) {
    cut = ClipGlow(ControlRect, ClipRect, w, h);
    if (w <= 0 || h <= 0 || cut.x < 0 || cut.y < 0) {
      FImage.reset();
      return;
    }
    if (cut.x != 0 || cut.y != 0)
      FImage = CropImage(FImage.get(), cut.x, cut.y, w, h);
  }
  CreateGlowWindow();
  if (ParentWnd != nullptr && (GetWindowLongPtrW(ParentWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
    FWindow->SetFormStyle(fsStayOnTop);
  HWND wnd = FWindow->Handle();
  SetWindowPos(wnd, nullptr, ControlRect.left + Margin + cut.x - l, ControlRect.top + Margin + cut.y - t, w, h,
               SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  TUpdateLayeredWindow update = GlowLayeredUpdate != nullptr ? GlowLayeredUpdate : UpdateLayeredWindowEntry();
  if (update != nullptr) {
    HDC screen = GetDC(nullptr);
    SIZE size{w, h};
    POINT origin{0, 0};
    update(wnd, screen, nullptr, &size, FImage->Canvas().Handle(), &origin, 0, &GlowBlend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
  }
  ShowWindow(wnd, SW_SHOWNOACTIVATE);
  FImage.reset();
}

int AddGlowEffect(const RECT& ControlRect, const RECT& ClipRect, const AnsiString& Section,
                  const AnsiString& MaskPrefix, int Margin, int Alpha, HWND ParentWnd, TsSkinManager* Manager) {
  if (!LayeredWindowsSupported())
    return -1;
  TsSkinManager* manager = Manager != nullptr ? Manager : DefaultManager();
  if (manager == nullptr)
    return -1;
  const int mask = manager->FindMaskByName(Section, MaskPrefix + "0");
  if (mask < 0)
    return -1;
  auto effect = std::make_unique<TacGlowEffect>();
  effect->SkinManager = manager;
  effect->Margin = Margin;
  effect->MaskIndex = mask;
  TacGlowEffects& effects = GlowEffects();
  effects.push_back(effect.get());
  TacGlowEffect* shown = effect.release();
  shown->Show(ControlRect, ClipRect, Alpha, ParentWnd);
  return static_cast<int>(effects.size()) - 1;
}

void RemoveGlowEffect(int Index) {
  TacGlowEffects& effects = GlowEffects();
  if (Index < 0 || Index >= static_cast<int>(effects.size()))
    return;
  delete effects[Index];
  effects[Index] = nullptr;
}

void ClearGlowEffects() {
  TacGlowEffects& effects = GlowEffects();
  // Taken out first, so a freed effect is never reached again.
  TacGlowEffects taken;
  taken.swap(effects);
  for (TacGlowEffect* effect : taken)
    delete effect;
}
