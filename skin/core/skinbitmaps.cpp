#include "skin/core/skinbitmaps.h"

#include <memory>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"

bool NoGraphicControlExclusion = false;

namespace {

// The user32 entry point, looked up once when the unit starts.
struct LayeredEntry {
  HMODULE User32 = nullptr;
  TUpdateLayeredWindow Update = nullptr;
  std::unique_ptr<TacFast32> Shared = std::make_unique<TacFast32>();

  LayeredEntry() {
    User32 = LoadLibraryW(L"user32.dll");
    if (User32 != nullptr)
      Update = reinterpret_cast<TUpdateLayeredWindow>(
          reinterpret_cast<void*>(GetProcAddress(User32, "UpdateLayeredWindow")));
  }
  ~LayeredEntry() {
    if (User32 != nullptr)
      FreeLibrary(User32);
  }
};

LayeredEntry& Layered() {
  static LayeredEntry entry;
  return entry;
}

// Looked up with the unit's start-up, not at first use.
[[maybe_unused]] const bool kLayeredLookedUp = (Layered(), true);

TBitmap* NewBitmap(TPixelFormat Format, int Width, int Height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(Format);
  bitmap->SetHandleType(bmDIB);
  bitmap->SetSize(Width, Height);
  return bitmap.release();
}

// Selects a solid brush of the colour for the life of the object and puts
// the device context back as it was.
class SolidBrushScope {
public:
  SolidBrushScope(HDC dc, TColor color) : dc_(dc) {
    saved_ = SaveDC(dc_);
    brush_ = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color)));
    old_ = SelectObject(dc_, brush_);
  }
  ~SolidBrushScope() {
    SelectObject(dc_, old_);
    DeleteObject(brush_);
    RestoreDC(dc_, saved_);
  }
  void Fill(int left, int top, int right, int bottom) const {
    RECT r{left, top, right, bottom};
    FillRect(dc_, &r, brush_);
  }

private:
  HDC dc_;
  int saved_ = 0;
  HBRUSH brush_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

TBitmap* CreateBitmapLike(TBitmap* Bitmap) { return NewBitmap(Bitmap->PixelFormat(), Bitmap->Width(), Bitmap->Height()); }
TBitmap* CreateBitmap24(int Width, int Height) { return NewBitmap(pf24bit, Width, Height); }
TBitmap* CreateBitmap32(int Width, int Height) { return NewBitmap(pf32bit, Width, Height); }

void FillDeviceRect(HDC DC, const RECT& R, TColor Color) {
  SolidBrushScope brush(DC, Color);
  brush.Fill(R.left, R.top, R.right, R.bottom);
}

void FillDeviceFrame(HDC DC, const RECT& R, int WL, int WT, int WR, int WB, TColor Color) {
  SolidBrushScope brush(DC, Color);
  brush.Fill(R.left, R.top, R.right, R.top + WT);
  brush.Fill(R.left, R.top + WT, R.left + WL, R.bottom);
  brush.Fill(R.left + WL, R.bottom - WB, R.right, R.bottom);
  brush.Fill(R.right - WR, R.top + WT, R.right, R.bottom - WB);
}

// The right and bottom strips lie inside the given area, at X + W - BW and
// Y + H - BW, whatever X and Y are.
void CopyBorderStrips(HDC D, int X, int Y, int W, int H, HDC S, int SX, int SY, int BW) {
  BitBlt(D, X, Y, BW, H, S, SX, SY, SRCCOPY);
  BitBlt(D, X + BW, Y, W - BW, BW, S, SX + BW, SY, SRCCOPY);
  BitBlt(D, X + W - BW, Y + BW, BW, H - BW, S, SX + W - BW, SY + BW, SRCCOPY);
  BitBlt(D, X + BW, Y + H - BW, W - 2 * BW, BW, S, SX + BW, SY + H - BW, SRCCOPY);
}

void ExcludeGraphicControls(HDC DC, TWinControl* Parent, int X, int Y) {
  if (Parent == nullptr || NoGraphicControlExclusion)
    return;
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->Controls(i);
    if (dynamic_cast<TGraphicControl*>(c) == nullptr || !c->Visible())
      continue;
    ExcludeClipRect(DC, c->Left() + X, c->Top() + Y, c->Left() + c->Width() + X, c->Top() + c->Height() + Y);
  }
}

TacFast32* SharedFast32() { return Layered().Shared.get(); }
bool LayeredWindowsSupported() { return Layered().Update != nullptr; }
TUpdateLayeredWindow UpdateLayeredWindowEntry() { return Layered().Update; }
