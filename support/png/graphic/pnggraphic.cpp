#include "support/png/graphic/pnggraphic.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/picture.h"
#include "skin/core/alphabitmaps.h"
#include "support/png/pngfile.h"

IMPLEMENT_CLASS(TPNGGraphic)

namespace {

const std::uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

static_assert(int(acpng::pf1bit) == int(pf1bit) && int(acpng::pf8bit) == int(pf8bit) &&
              int(acpng::pf24bit) == int(pf24bit) && int(acpng::pf32bit) == int(pf32bit));

std::vector<RGBQUAD> ColorTable(const acpng::TPngPalette& palette) {
  std::vector<RGBQUAD> colors;
  colors.reserve(palette.size());
  for (const acpng::TPaletteEntry& e : palette)
    colors.push_back(RGBQUAD{e.Blue, e.Green, e.Red, 0});
  return colors;
}

// True when the stream's next bytes are a PNG signature; the position stays.
bool StartsWithPngSignature(TStream& stream) {
  std::uint8_t head[8];
  std::int64_t start = stream.Position();
  std::int32_t got = stream.Read(head, 8);
  stream.SetPosition(start);
  return got == 8 && std::memcmp(head, kPngSignature, 8) == 0;
}

// The unit's start-up registers the picture format, its finalization takes it
// away again.
struct PngFormatRegistration {
  PngFormatRegistration() { RegisterPngFormat(); }
  ~PngFormatRegistration() { TPicture::UnregisterGraphicClass(TPNGGraphic::StaticClass()); }
};
const PngFormatRegistration registration;

}  // namespace

void RegisterPngFormat() {
  if (TPicture::FileFormatClass("png") != TPNGGraphic::StaticClass())
    TPicture::RegisterFileFormat("png", "Portable network graphics (skin library)", TPNGGraphic::StaticClass());
}

TPNGGraphic::TPNGGraphic() = default;

void TPNGGraphic::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TPNGGraphic*>(Source)) {
    if (other == this)
      return;
    header_ = other->header_;
    pngData_ = other->pngData_;
  } else {
    pngData_.clear();
  }
  TBitmap::Assign(Source);
}

void TPNGGraphic::ReportProgress(acpng::TProgressStage stage, int percent, bool redraw,
                                 const acpng::TProgressRect& rect, const char* message) {
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  Progress(this, static_cast<TProgressStage>(stage), static_cast<std::uint8_t>(std::clamp(percent, 0, 100)), redraw,
           r, message);
}

void TPNGGraphic::TakeImage(const acpng::TPngImage& image) {
  if (image.Width <= 0 || image.Height <= 0 || image.PixelFormat == acpng::pfDevice || image.Pixels.empty())
    return;
  DibFormat format = DibFormat::For(static_cast<TPixelFormat>(image.PixelFormat), image.Width, image.Height,
                                    ColorTable(image.Palette));
  SetHandle(CreateDibSection(format).Handle);
  const std::size_t rowBytes = std::min<std::size_t>(image.Stride, static_cast<std::size_t>(format.Stride()));
  for (int y = 0; y < image.Height; ++y)
    std::memcpy(ScanLine(y), image.ScanLine(y), rowBytes);
  if (image.Transparent) {
    SetTransparentColor(static_cast<TColor>(image.TransparentColor));
    SetTransparent(true);
  }
}

void TPNGGraphic::LoadFromStream(TStream& stream) {
  // Each load starts from nothing: no image, no transparency of an earlier one.
  SetHandle(nullptr);
  SetTransparent(false);
  SetTransparentMode(tmAuto);
  pngData_.clear();
  header_ = acpng::TPngHeaderInfo{};

  const std::int64_t base = stream.Position();
  // Only the picture's own chunks: whatever follows IEND in the stream is left unread.
  std::vector<std::uint8_t> data = acpng::ReadPngFile([&stream](std::uint8_t* buffer, std::size_t count) {
    const std::int32_t got = stream.Read(buffer, static_cast<std::int32_t>(count));
    return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
  });
  acpng::TPngReader reader;
  reader.SetOnProgress([this](acpng::TProgressStage stage, int percent, bool redraw,
                              const acpng::TProgressRect& rect, const char* message) {
    ReportProgress(stage, percent, redraw, rect, message);
  });
  acpng::TPngImage image;
  std::size_t used = 0;
  try {
    used = reader.LoadFromMemory(data.data(), data.size(), image);
  } catch (...) {
    // As far as it got: the rows decoded before the error stay in the bitmap.
    // The decoder's error is the one to report, even if keeping them fails.
    header_ = reader.HeaderInfo();
    try {
      TakeImage(image);
    } catch (...) {
    }
    throw;
  }
  header_ = reader.HeaderInfo();
  stream.SetPosition(base + static_cast<std::int64_t>(used));
  data.resize(used);
  TakeImage(image);
  pngData_ = std::move(data);
  Changed(this);
}

void TPNGGraphic::SaveToStream(TStream& stream) {
  if (pngData_.empty())
    TBitmap::SaveToStream(stream);
  else
    WriteStreamBytes(stream, pngData_);
}

void TPNGGraphic::ReadData(TStream& stream) {
  if (stream.Position() >= stream.Size()) {
    SetHandle(nullptr);
    pngData_.clear();
    return;
  }
  if (StartsWithPngSignature(stream)) {
    LoadFromStream(stream);
  } else {
    pngData_.clear();
    TBitmap::ReadData(stream);  // written by WriteData for an image without a PNG file
  }  // written by WriteData for an image without a PNG file
}

void TPNGGraphic::WriteData(TStream& stream) {
  if (pngData_.empty())
    TBitmap::WriteData(stream);
  else
    WriteStreamBytes(stream, pngData_);
}

void TPNGGraphic::LoadFromResourceName(HINSTANCE instance, const AnsiString& name) {
  TResourceStream stream(instance, name);
  LoadFromStream(stream);
}

void TPNGGraphic::LoadFromResourceID(HINSTANCE instance, int id) {
  TResourceStream stream(instance, id);
  LoadFromStream(stream);
}

namespace {

// A 256-level grey 8-bit bitmap of that size, for an image's alpha plane.
void MakeAlphaPlane(TBitmap& plane, int width, int height) {
  std::vector<RGBQUAD> greys(256);
  for (int i = 0; i < 256; ++i)
    greys[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
  plane.SetHandle(CreateDibSection(DibFormat::For(pf8bit, width, height, greys)).Handle);
}

// Stretches the whole of source into the whole of target with halftone
// smoothing.
void HalftoneStretchInto(TBitmap& source, TBitmap& target) {
  HDC dc = target.Canvas().Handle();
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, 0, 0, target.Width(), target.Height(), source.Canvas().Handle(), 0, 0, source.Width(),
             source.Height(), SRCCOPY);
  GdiFlush();
}

}  // namespace

// The image stretched to width x height as a 32-bit bitmap: colours and alpha
// are smoothed each on their own, so the alpha plane keeps its own shape.
void TPNGGraphic::StretchWithAlpha(TBitmap& stretched, int width, int height) {
  stretched.SetPixelFormat(pf24bit);
  stretched.SetSize(width, height);
  HalftoneStretchInto(*this, stretched);
  stretched.SetPixelFormat(pf32bit);
  TBitmap alpha, stretchedAlpha;
  MakeAlphaPlane(alpha, Width(), Height());
  CopyPixelChannel(this, &alpha, 3, true);
  MakeAlphaPlane(stretchedAlpha, width, height);
  HalftoneStretchInto(alpha, stretchedAlpha);
  CopyPixelChannel(&stretched, &stretchedAlpha, 3, false);
}

// The canvas area is composed in a 24-bit work bitmap (half as high again for
// the reflection) and copied back whole.
void TPNGGraphic::Draw(TCanvas& canvas, const RECT& r) {
  if (PixelFormat() != pf32bit) {
    TBitmap::Draw(canvas, r);
    return;
  }
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0 || Empty())
    return;
  const int workHeight = height + (reflected_ ? height / 2 : 0);
  TBitmap work;
  work.SetPixelFormat(pf24bit);
  work.SetSize(width, workHeight);
  HDC target = canvas.Handle();
  BitBlt(work.Canvas().Handle(), 0, 0, width, workHeight, target, r.left, r.top, SRCCOPY);
  const RECT area{0, 0, width, height};
  if (width == Width() && height == Height()) {
    DrawAlphaBitmap(area, area, &work, this, TPixelBackground{}, false, kNoTint, 0, reflected_);
  } else {
    TBitmap stretched;
    StretchWithAlpha(stretched, width, height);
    DrawAlphaBitmap(area, area, &work, &stretched, TPixelBackground{}, false, kNoTint, 0, false);
  }
  BitBlt(target, r.left, r.top, width, workHeight, work.Canvas().Handle(), 0, 0, SRCCOPY);
}
