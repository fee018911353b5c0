#include "classlib/graphics/bitmap.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/screenfacts.h"
#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TBitmap)

// The canvas of a bitmap: a memory DC with the bitmap selected, made when
// drawing starts and let go whenever the bitmap's image is replaced.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override { Release(); }
  void Release() { FreeHandle(); }

protected:
  void CreateHandle() override {
    bitmap_->HandleNeeded();
    if (bitmap_->handle_ == nullptr)
      return;
    HDC dc = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc, bitmap_->handle_);
    if (HPALETTE palette = bitmap_->Palette()) {
      oldPalette_ = SelectPalette(dc, palette, TRUE);
      RealizePalette(dc);
    }
    AdoptOwnedHandle(dc);
  }
  void HandleFreeing(HDC dc) override {
    SelectObject(dc, oldBitmap_);
    if (oldPalette_ != nullptr)
      SelectPalette(dc, oldPalette_, TRUE);
    oldBitmap_ = nullptr;
    oldPalette_ = nullptr;
  }

private:
  TBitmap* bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  HPALETTE oldPalette_ = nullptr;
};

namespace {

// A memory DC with one bitmap selected, for copying between bitmaps.
class SelectedBitmap {
public:
  explicit SelectedBitmap(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) { old_ = SelectObject(dc_, bitmap); }
  ~SelectedBitmap() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  HDC DC() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ old_;
};

TPixelFormat ScreenPixelFormat() {
  switch (ScreenFacts().BitsPerPixel) {
    case 16: return pf16bit;
    case 24: return pf24bit;
    default: return pf32bit;
  }
}

std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  FreeHandles();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    canvas_ = std::make_unique<TBitmapCanvas>(this);
    canvas_->OnChange = Method<&TBitmap::CanvasChanged>(this);
  }
  return *canvas_;
}

void TBitmap::CanvasChanged(TObject*) {
  Changed(this);
}

void TBitmap::FreeCanvasHandle() {
  if (canvas_)
    static_cast<TBitmapCanvas&>(*canvas_).Release();
}

void TBitmap::FreeHandles() {
  FreeCanvasHandle();
  if (handle_ != nullptr)
    DeleteObject(handle_);
  if (palette_ != nullptr)
    DeleteObject(palette_);
  handle_ = nullptr;
  bits_ = nullptr;
  palette_ = nullptr;
}

bool TBitmap::Empty() {
  return width_ == 0 || height_ == 0;
}

void TBitmap::Changed(TObject* sender) {
  if (handle_ != nullptr)
    dormant_.clear();
  TGraphic::Changed(sender);
}

void TBitmap::AdoptDib(const DibFormat& format, DibSection section) {
  FreeHandles();
  handle_ = section.Handle;
  bits_ = section.Bits;
  ddb_ = false;
  dib_ = format;
  format_ = format.PixelFormat();
  width_ = format.Width;
  height_ = format.Height;
}

void TBitmap::Rebuild(TPixelFormat format, int width, int height, std::vector<RGBQUAD> colors) {
  FreeCanvasHandle();
  HBITMAP newHandle = nullptr;
  DibFormat newDib;
  void* newBits = nullptr;
  if (format == pfDevice) {
    HDC screen = GetDC(nullptr);
    newHandle = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (newHandle == nullptr)
      throw EOutOfResources("Out of system resources");
  } else {
    newDib = DibFormat::For(format, width, height, std::move(colors));
    newDib.TopDown = !ddb_ && handle_ != nullptr && dib_.TopDown;
    DibSection section = CreateDibSection(newDib);
    newHandle = section.Handle;
    newBits = section.Bits;
  }
  {
    SelectedBitmap target(newHandle);
    // White by colour, not by bits: in a palette image all-ones bits need
    // not be white.
    RECT all{0, 0, width, height};
    FillRect(target.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (handle_ != nullptr) {
      SelectedBitmap source(handle_);
      BitBlt(target.DC(), 0, 0, std::min(width, width_), std::min(height, height_), source.DC(), 0, 0, SRCCOPY);
    }
  }
  GdiFlush();
  bool wasOther32 = ddb_ || dib_.BitCount != 32 || handle_ == nullptr;
  if (format == pf32bit && wasOther32) {
    // Pixels that came from a format without alpha get alpha 0.
    auto* row = static_cast<std::uint8_t*>(newBits);
    for (std::size_t i = 3; i < newDib.ImageSize(); i += 4)
      row[i] = 0;
  }
  FreeHandles();
  handle_ = newHandle;
  bits_ = newBits;
  ddb_ = format == pfDevice;
  dib_ = newDib;
  format_ = format;
  width_ = width;
  height_ = height;
}

void TBitmap::HandleNeeded() {
  if (handle_ != nullptr)
    return;
  if (!dormant_.empty()) {
    std::vector<std::uint8_t> kept = std::move(dormant_);
    dormant_.clear();
    LoadBmpBytes(kept);
    dormant_ = std::move(kept);
    return;
  }
  if (width_ > 0 && height_ > 0)
    Rebuild(format_, width_, height_, dib_.Colors);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_)
    return;
  if (width == 0 || height == 0) {
    FreeHandles();
    dormant_.clear();
    width_ = width;
    height_ = height;
  } else {
    HandleNeeded();
    Rebuild(format_, width, height, dib_.Colors);
  }
  Changed(this);
}

HBITMAP TBitmap::Handle() {
  FreeCanvasHandle();
  HandleNeeded();
  return handle_;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
  FreeHandles();
  dormant_.clear();
  width_ = height_ = 0;
  ddb_ = false;
  dib_ = DibFormat();
  if (bitmap != nullptr) {
    DIBSECTION ds{};
    int got = GetObjectW(bitmap, sizeof(ds), &ds);
    if (got == sizeof(DIBSECTION) && ds.dsBm.bmBits != nullptr) {
      dib_.Width = ds.dsBmih.biWidth;
      dib_.Height = std::abs(ds.dsBmih.biHeight);
      dib_.TopDown = ds.dsBmih.biHeight < 0;
      dib_.BitCount = ds.dsBmih.biBitCount;
      dib_.Compression = ds.dsBmih.biCompression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
      std::copy(std::begin(ds.dsBitfields), std::end(ds.dsBitfields), dib_.Masks);
      if (dib_.BitCount <= 8) {
        dib_.Colors.resize(std::size_t{1} << dib_.BitCount);
        SelectedBitmap selected(bitmap);
        UINT n = GetDIBColorTable(selected.DC(), 0, static_cast<UINT>(dib_.Colors.size()), dib_.Colors.data());
        dib_.Colors.resize(n);
      }
      bits_ = ds.dsBm.bmBits;
      format_ = dib_.PixelFormat();
    } else if (got >= static_cast<int>(sizeof(BITMAP))) {
      ddb_ = true;
      format_ = ds.dsBm.bmBitsPixel == 1 ? pf1bit : pfDevice;
    } else {
      throw EInvalidGraphic("Bitmap image is not valid");
    }
    handle_ = bitmap;
    width_ = ds.dsBm.bmWidth;
    height_ = ds.dsBm.bmHeight;
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  HandleNeeded();
  FreeCanvasHandle();
  HBITMAP released = handle_;
  handle_ = nullptr;
  bits_ = nullptr;
  dormant_.clear();
  return released;
}

void TBitmap::SetHandleType(TBitmapHandleType value) {
  if (value == HandleType())
    return;
  if (Empty()) {
    format_ = value == bmDDB ? pfDevice : ScreenPixelFormat();
    ddb_ = value == bmDDB;
    return;
  }
  HandleNeeded();
  Rebuild(value == bmDDB ? pfDevice : ScreenPixelFormat(), width_, height_, {});
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (value == format_)
    return;
  if (value == pfCustom)
    throw EInvalidGraphicOperation("Invalid pixel format");
  if (Empty()) {
    format_ = value;
    ddb_ = value == pfDevice;
    dib_ = DibFormat::For(value, 0, 0);
    Changed(this);
    return;
  }
  HandleNeeded();
  std::vector<RGBQUAD> colors;
  if (value == pf8bit && !ddb_ && dib_.BitCount <= 8)
    colors = dib_.Colors;  // a palette image keeps its colours
  Rebuild(value, width_, height_, std::move(colors));
  Changed(this);
}

bool TBitmap::Monochrome() const {
  return format_ == pf1bit;
}

void TBitmap::SetMonochrome(bool value) {
  if (value != Monochrome())
    SetPixelFormat(value ? pf1bit : pfDevice);
}

HPALETTE TBitmap::Palette() {
  if (palette_ != nullptr || ddb_ || dib_.BitCount > 8 || dib_.Colors.empty())
    return palette_;
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + dib_.Colors.size() * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(dib_.Colors.size());
  for (std::size_t i = 0; i < dib_.Colors.size(); ++i)
    lp->palPalEntry[i] = PALETTEENTRY{dib_.Colors[i].rgbRed, dib_.Colors[i].rgbGreen, dib_.Colors[i].rgbBlue, 0};
  palette_ = CreatePalette(lp);
  return palette_;
}

void TBitmap::SetPalette(HPALETTE palette) {
  if (palette == palette_)
    return;
  FreeCanvasHandle();
  if (palette_ != nullptr)
    DeleteObject(palette_);
  palette_ = palette;
  if (palette != nullptr && handle_ != nullptr && !ddb_ && dib_.BitCount <= 8) {
    std::vector<PALETTEENTRY> entries(std::size_t{1} << dib_.BitCount);
    UINT n = GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    dib_.Colors.resize(n);
    for (UINT i = 0; i < n; ++i)
      dib_.Colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    SelectedBitmap selected(handle_);
    SetDIBColorTable(selected.DC(), 0, n, dib_.Colors.data());
  }
  Changed(this);
}

void* TBitmap::ScanLine(int y) {
  HandleNeeded();
  if (ddb_)
    SetHandleType(bmDIB);
  if (y < 0 || y >= height_ || bits_ == nullptr)
    throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  dormant_.clear();
  int row = dib_.TopDown ? y : height_ - 1 - y;
  return static_cast<std::uint8_t*>(bits_) + static_cast<std::ptrdiff_t>(row) * dib_.Stride();
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault)
    return transparentColor_;
  if (Empty())
    return clDefault;
  return Canvas().GetPixel(0, height_ - 1) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor value) {
  transparentColor_ = value;
  transparentMode_ = value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (value == transparentMode_)
    return;
  transparentColor_ = value == tmAuto ? clDefault : TransparentColor();
  transparentMode_ = value;
  Changed(this);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) {
  HandleNeeded();
  if (handle_ == nullptr)
    return;
  HDC dest = canvas.Handle();
  HPALETTE palette = Palette();
  HPALETTE oldPalette = nullptr;
  if (palette != nullptr) {
    oldPalette = SelectPalette(dest, palette, TRUE);
    RealizePalette(dest);
  }
  TColor transparentColor = Transparent() ? TransparentColor() : clNone;
  HDC source = Canvas().Handle();
  SetStretchBltMode(dest, Monochrome() ? BLACKONWHITE : COLORONCOLOR);
  if (Transparent())
    TransparentBlt(dest, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, width_, height_,
                   ColorToRGB(transparentColor) & 0xFFFFFF);
  else
    StretchBlt(dest, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, width_, height_,
               canvas.CopyMode());
  if (palette != nullptr)
    SelectPalette(dest, oldPalette, TRUE);
}

void TBitmap::LoadParsed(const ParsedDib& parsed) {
  DibFormat format = parsed.Format;
  DibSection section = CreateDibSection(format);
  if (!parsed.Rle) {
    std::memcpy(section.Bits, parsed.Bits, format.ImageSize());
  } else {
    HDC dc = CreateCompatibleDC(nullptr);
    SetDIBits(dc, section.Handle, 0, static_cast<UINT>(format.Height), parsed.Bits,
              reinterpret_cast<const BITMAPINFO*>(parsed.RleInfo.data()), DIB_RGB_COLORS);
    DeleteDC(dc);
    GdiFlush();
  }
  AdoptDib(format, section);
}

void TBitmap::LoadBmpBytes(const std::vector<std::uint8_t>& bytes) {
  LoadParsed(ParseBmpFile(bytes.data(), bytes.size()));
}

void TBitmap::LoadFromPackedDib(const std::uint8_t* data, std::size_t size) {
  LoadParsed(ParsePackedDib(data, size));
  dormant_.clear();
  Changed(this);
}

void TBitmap::LoadFromStream(TStream& stream) {
  // The file header tells the file's size; a zero or impossible size means
  // the rest of the stream.
  std::vector<std::uint8_t> bytes = ReadStreamBytes(stream, 14);
  std::uint32_t fileSize = U32(bytes.data() + 2);
  std::int64_t left = stream.Size() - stream.Position();
  std::int64_t rest = fileSize > 14 && static_cast<std::int64_t>(fileSize) - 14 <= left ? fileSize - 14 : left;
  std::vector<std::uint8_t> body = ReadStreamBytes(stream, rest);
  bytes.insert(bytes.end(), body.begin(), body.end());
  LoadBmpBytes(bytes);
  dormant_.clear();
  Changed(this);
}

std::vector<std::uint8_t> TBitmap::BmpBytes() {
  if (Empty())
    return {};
  HandleNeeded();
  FreeCanvasHandle();
  if (!ddb_) {
    GdiFlush();
    return BuildBmpFile(dib_, bits_);
  }
  DibFormat format = DibFormat::For(pf32bit, width_, height_);
  std::vector<std::uint8_t> info = format.InfoBytes();
  std::vector<std::uint8_t> bits(format.ImageSize());
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, handle_, 0, static_cast<UINT>(height_), bits.data(), reinterpret_cast<BITMAPINFO*>(info.data()),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  return BuildBmpFile(format, bits.data());
}

void TBitmap::SaveToStream(TStream& stream) {
  WriteStreamBytes(stream, BmpBytes());
}

void TBitmap::ReadData(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadSizedBlock(stream);
  if (bytes.empty()) {
    SetSize(0, 0);
    return;
  }
  LoadBmpBytes(bytes);
  dormant_.clear();
  Changed(this);
}

void TBitmap::WriteData(TStream& stream) {
  WriteSizedBlock(stream, BmpBytes());
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const AnsiString& name) {
  std::wstring wide = WideOf(name);
  HRSRC resource = FindResourceW(instance, wide.c_str(), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (resource == nullptr)
    throw EResNotFound("Resource " + name + " not found");
  HGLOBAL loaded = LoadResource(instance, resource);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (data == nullptr)
    throw EResNotFound("Resource " + name + " not found");
  LoadFromPackedDib(data, SizeofResource(instance, resource));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (resource == nullptr)
    throw EResNotFound("Resource " + std::to_string(id) + " not found");
  HGLOBAL loaded = LoadResource(instance, resource);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (data == nullptr)
    throw EResNotFound("Resource " + std::to_string(id) + " not found");
  LoadFromPackedDib(data, SizeofResource(instance, resource));
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (Source == nullptr) {
    SetSize(0, 0);
    return;
  }
  auto* other = dynamic_cast<TBitmap*>(Source);
  if (other == nullptr) {
    TGraphic::Assign(Source);
    return;
  }
  FreeHandles();
  dormant_.clear();
  if (other->Empty()) {
    width_ = height_ = 0;
    format_ = other->format_;
    ddb_ = other->ddb_;
    dib_ = other->dib_;
  } else {
    LoadBmpBytes(other->BmpBytes());
    if (other->ddb_)
      Rebuild(pfDevice, width_, height_, {});
  }
  transparent_ = other->transparent_;
  transparentColor_ = other->transparentColor_;
  transparentMode_ = other->transparentMode_;
  Changed(this);
}

void TBitmap::Dormant() {
  if (handle_ == nullptr)
    return;
  dormant_ = BmpBytes();
  FreeHandles();
}

void TBitmap::FreeImage() {
  if (handle_ != nullptr)
    dormant_.clear();
}
