#include "support/layers/bitmap32.h"

#include <windows.h>

#include <algorithm>

#include "classlib/graphics/bitmap.h"
#include "classlib/system/codepage.h"
#include "classlib/system/exceptions.h"

namespace {

constexpr unsigned ChannelOf(TColor32 c, int shift) { return (c >> shift) & 0xFF; }

// A memory DC over a top-down 32-bit DIB section of the given size.
class TTextSurface {
public:
  TTextSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (dc_ == nullptr || bitmap_ == nullptr) {
      Release();
      throw EOutOfResources("Out of system resources");
    }
    old_ = SelectObject(dc_, bitmap_);
  }
  ~TTextSurface() { Release(); }
  TTextSurface(const TTextSurface&) = delete;
  TTextSurface& operator=(const TTextSurface&) = delete;
  HDC DC() const { return dc_; }
  // The coverage of white text drawn on black: the green channel.
  unsigned Coverage(int x, int y) const {
    return (static_cast<const std::uint32_t*>(bits_)[static_cast<std::size_t>(y) * width_ + x] >> 8) & 0xFF;
  }

private:
  void Release() {
    if (dc_ != nullptr && old_ != nullptr)
      SelectObject(dc_, old_);
    if (bitmap_ != nullptr)
      DeleteObject(bitmap_);
    if (dc_ != nullptr)
      DeleteDC(dc_);
  }
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

// The bitmap's font at Scale times its height, drawn without the system's
// smoothing, so the coverage comes from the oversampling alone.
HFONT ScaledFont(TFont& font, int scale) {
  LOGFONTW log{};
  GetObjectW(font.Handle(), sizeof(log), &log);
  log.lfHeight *= scale;
  log.lfWidth *= scale;
  log.lfQuality = NONANTIALIASED_QUALITY;
  return CreateFontIndirectW(&log);
}

const wchar_t* WideText(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

SIZE MeasureText(HDC dc, const std::u16string& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, WideText(text), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace

TColor32 BlendColor32(TColor32 Source, TColor32 Target, unsigned Alpha) {
  const unsigned sa = ChannelOf(Source, 24) * Alpha / 255;
  if (sa == 0)
    return Target;
  const unsigned ta = ChannelOf(Target, 24);
  const unsigned outA = sa + ta * (255 - sa) / 255;
  TColor32 result = static_cast<TColor32>(outA) << 24;
  for (int shift : {16, 8, 0}) {
    const unsigned mixed = (ChannelOf(Source, shift) * sa * 255 + ChannelOf(Target, shift) * ta * (255 - sa)) / 255;
    result |= static_cast<TColor32>((mixed + outA / 2) / outA) << shift;
  }
  return result;
}

TBitmap32::TBitmap32() : font_(std::make_unique<TFont>()) {}

TBitmap32::~TBitmap32() = default;

void TBitmap32::SetSize(int Width, int Height) {
  width_ = std::max(Width, 0);
  height_ = std::max(Height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0);
}

void TBitmap32::Clear(TColor32 Color) { std::fill(pixels_.begin(), pixels_.end(), Color); }

TColor32 TBitmap32::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
    return 0;
  return pixels_[static_cast<std::size_t>(Y) * width_ + X];
}

void TBitmap32::SetPixel(int X, int Y, TColor32 Color) {
  if (X >= 0 && Y >= 0 && X < width_ && Y < height_)
    pixels_[static_cast<std::size_t>(Y) * width_ + X] = Color;
}

void TBitmap32::Assign(TBitmap& Source) {
  SetSize(Source.Width(), Source.Height());
  if (pixels_.empty())
    return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, Source.Handle(), 0, static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (TColor32& p : pixels_)
    p |= 0xFF000000u;
}

int TBitmap32::TextWidth(const AnsiString& Text) const {
  TTextSurface surface(1, 1);
  HFONT font = ScaledFont(*font_, 1);
  HGDIOBJ old = SelectObject(surface.DC(), font);
  const SIZE size = MeasureText(surface.DC(), AnsiToUtf16(Text));
  SelectObject(surface.DC(), old);
  DeleteObject(font);
  return size.cx;
}

void TBitmap32::RenderText(int X, int Y, const AnsiString& Text, int AALevel, TColor32 Color) {
  const int scale = 1 << std::clamp(AALevel, 0, 4);
  const std::u16string wide = AnsiToUtf16(Text);
  HFONT font = ScaledFont(*font_, scale);
  SIZE size{};
  {
    TTextSurface probe(1, 1);
    HGDIOBJ old = SelectObject(probe.DC(), font);
    size = MeasureText(probe.DC(), wide);
    SelectObject(probe.DC(), old);
  }
  const int w = (size.cx + scale - 1) / scale, h = (size.cy + scale - 1) / scale;
  if (w <= 0 || h <= 0) {
    DeleteObject(font);
    return;
  }
  TTextSurface surface(w * scale, h * scale);
  HGDIOBJ old = SelectObject(surface.DC(), font);
  SetBkMode(surface.DC(), TRANSPARENT);
  SetTextColor(surface.DC(), RGB(255, 255, 255));
  TextOutW(surface.DC(), 0, 0, WideText(wide), static_cast<int>(wide.size()));
  GdiFlush();
  const unsigned samples = static_cast<unsigned>(scale * scale);
  for (int y = std::max(0, -Y); y < h && Y + y < height_; ++y)
    for (int x = std::max(0, -X); x < w && X + x < width_; ++x) {
      unsigned coverage = 0;
      for (int sy = 0; sy < scale; ++sy)
        for (int sx = 0; sx < scale; ++sx)
          coverage += surface.Coverage(x * scale + sx, y * scale + sy);
      coverage /= samples;
      if (coverage != 0) {
        TColor32& target = pixels_[static_cast<std::size_t>(Y + y) * width_ + (X + x)];
        target = BlendColor32(Color, target, coverage);
      }
    }
  SelectObject(surface.DC(), old);
  DeleteObject(font);
}

void TBitmap32::DrawTo(TBitmap32& Target, int Left, int Top) const {
  for (int y = std::max(0, -Top); y < height_ && Top + y < Target.height_; ++y)
    for (int x = std::max(0, -Left); x < width_ && Left + x < Target.width_; ++x) {
      const TColor32 source = pixels_[static_cast<std::size_t>(y) * width_ + x];
      TColor32& target = Target.pixels_[static_cast<std::size_t>(Top + y) * Target.width_ + (Left + x)];
      target = drawMode_ == dmOpaque ? source : BlendColor32(source, target, masterAlpha_);
    }
}
