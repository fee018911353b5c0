#include "classlib/graphics/wic.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <map>

#include "classlib/graphics/bitmap.h"

namespace {

// Owns one COM interface pointer.
template <class T>
class ComRef {
public:
  ComRef() = default;
  ~ComRef() {
    if (p_ != nullptr)
      p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

private:
  T* p_ = nullptr;
};

// COM for the duration of one operation, in whatever mode the thread has.
class ComScope {
public:
  ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(hr_))
      CoUninitialize();
  }

private:
  HRESULT hr_;
};

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr))
    throw EInvalidGraphic(AnsiString(what));
}

void CreateFactory(ComRef<IWICImagingFactory>& factory) {
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                         reinterpret_cast<void**>(factory.Out())),
        "The imaging component is not available");
}

// The image's rows top-down in a given pixel format.
std::vector<std::uint8_t> TopDownRows(TBitmap& bitmap, TPixelFormat format, int bytesPerPixel, UINT& stride) {
  TBitmap copy;
  copy.Assign(&bitmap);
  copy.SetPixelFormat(format);
  int width = copy.Width(), height = copy.Height();
  stride = static_cast<UINT>(((width * bytesPerPixel * 8 + 31) / 32) * 4);
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height);
  for (int y = 0; y < height; ++y)
    std::memcpy(rows.data() + static_cast<std::size_t>(y) * stride, copy.ScanLine(y),
                static_cast<std::size_t>(width) * bytesPerPixel);
  return rows;
}

std::vector<std::uint8_t> HGlobalBytes(IStream* stream) {
  HGLOBAL global = nullptr;
  Check(GetHGlobalFromStream(stream, &global), "Cannot encode the image");
  STATSTG stat{};
  Check(stream->Stat(&stat, STATFLAG_NONAME), "Cannot encode the image");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
  void* data = GlobalLock(global);
  std::memcpy(bytes.data(), data, bytes.size());
  GlobalUnlock(global);
  return bytes;
}

using FrameWriter = void (*)(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame, IPropertyBag2* options,
                             TBitmap& bitmap, int quality);

std::vector<std::uint8_t> Encode(TBitmap& bitmap, const GUID& container, int quality, FrameWriter writeFrame) {
  if (bitmap.Empty())
    throw EInvalidGraphic("Cannot encode an empty image");
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  CreateFactory(factory);
  ComRef<IStream> stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()), "Cannot encode the image");
  ComRef<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(container, nullptr, encoder.Out()), "No encoder for this image format");
  Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "Cannot encode the image");
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  Check(encoder->CreateNewFrame(frame.Out(), options.Out()), "Cannot encode the image");
  writeFrame(factory.Get(), frame.Get(), options.Get(), bitmap, quality);
  Check(frame->Commit(), "Cannot encode the image");
  Check(encoder->Commit(), "Cannot encode the image");
  return HGlobalBytes(stream.Get());
}

void WriteJpegFrame(IWICImagingFactory*, IWICBitmapFrameEncode* frame, IPropertyBag2* options, TBitmap& bitmap,
                    int quality) {
  PROPBAG2 option{};
  option.dwType = PROPBAG2_TYPE_DATA;
  option.vt = VT_R4;
  option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_R4;
  value.fltVal = static_cast<float>(quality < 1 ? 1 : quality > 100 ? 100 : quality) / 100.0f;
  if (options != nullptr)
    options->Write(1, &option, &value);
  Check(frame->Initialize(options), "Cannot encode the image");
  Check(frame->SetSize(static_cast<UINT>(bitmap.Width()), static_cast<UINT>(bitmap.Height())), "Cannot encode the image");
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format), "Cannot encode the image");
  UINT stride = 0;
  std::vector<std::uint8_t> rows = TopDownRows(bitmap, pf24bit, 3, stride);
  Check(frame->WritePixels(static_cast<UINT>(bitmap.Height()), stride, static_cast<UINT>(rows.size()), rows.data()),
        "Cannot encode the image");
}

// Indices and colour table for an 8-bit image of the bitmap.
void Quantize(TBitmap& bitmap, std::vector<std::uint8_t>& indices, std::vector<WICColor>& colors) {
  UINT stride = 0;
  std::vector<std::uint8_t> rgb = TopDownRows(bitmap, pf24bit, 3, stride);
  int width = bitmap.Width(), height = bitmap.Height();
  std::map<std::uint32_t, std::uint8_t> exact;
  bool fits = true;
  for (int y = 0; y < height && fits; ++y)
    for (int x = 0; x < width && fits; ++x) {
      const std::uint8_t* p = rgb.data() + static_cast<std::size_t>(y) * stride + x * 3;
      std::uint32_t key = p[0] | (p[1] << 8) | (p[2] << 16);
      if (exact.count(key) == 0) {
        if (exact.size() == 256)
          fits = false;
        else
          exact.emplace(key, static_cast<std::uint8_t>(exact.size()));
      }
    }
  indices.assign(static_cast<std::size_t>(width) * height, 0);
  if (fits) {
    colors.resize(exact.size());
    // The key holds blue, green, red from the low byte up: 0x00RRGGBB, as
    // WICColor wants it (with alpha on top).
    for (const auto& [key, index] : exact)
      colors[index] = 0xFF000000u | key;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = rgb.data() + static_cast<std::size_t>(y) * stride + x * 3;
        indices[static_cast<std::size_t>(y) * width + x] = exact[p[0] | (p[1] << 8) | (p[2] << 16)];
      }
    return;
  }
  // Too many colours: GDI maps every pixel to the nearest entry of the
  // standard 256-colour table.
  TBitmap palettized;
  palettized.Assign(&bitmap);
  palettized.SetPixelFormat(pf8bit);
  std::vector<RGBQUAD> table = StandardColors(pf8bit);
  colors.resize(table.size());
  for (std::size_t i = 0; i < table.size(); ++i)
    colors[i] = 0xFF000000u | (table[i].rgbRed << 16) | (table[i].rgbGreen << 8) | table[i].rgbBlue;
  for (int y = 0; y < height; ++y)
    std::memcpy(indices.data() + static_cast<std::size_t>(y) * width, palettized.ScanLine(y),
                static_cast<std::size_t>(width));
}

void WriteGifFrame(IWICImagingFactory* factory, IWICBitmapFrameEncode* frame, IPropertyBag2* options,
                   TBitmap& bitmap, int) {
  std::vector<std::uint8_t> indices;
  std::vector<WICColor> colors;
  Quantize(bitmap, indices, colors);
  ComRef<IWICPalette> palette;
  Check(factory->CreatePalette(palette.Out()), "Cannot encode the image");
  Check(palette->InitializeCustom(colors.data(), static_cast<UINT>(colors.size())), "Cannot encode the image");
  Check(frame->Initialize(options), "Cannot encode the image");
  UINT width = static_cast<UINT>(bitmap.Width()), height = static_cast<UINT>(bitmap.Height());
  Check(frame->SetSize(width, height), "Cannot encode the image");
  WICPixelFormatGUID format = GUID_WICPixelFormat8bppIndexed;
  Check(frame->SetPixelFormat(&format), "Cannot encode the image");
  if (format != GUID_WICPixelFormat8bppIndexed)
    throw EInvalidGraphic("Cannot encode the image");
  Check(frame->SetPalette(palette.Get()), "Cannot encode the image");
  Check(frame->WritePixels(height, width, static_cast<UINT>(indices.size()), indices.data()), "Cannot encode the image");
}

}  // namespace

void WicDecode(const std::vector<std::uint8_t>& bytes, TBitmap& into) {
  if (bytes.empty())
    throw EInvalidGraphic("Image is empty");
  ComScope com;
  ComRef<IWICImagingFactory> factory;
  CreateFactory(factory);
  ComRef<IWICStream> stream;
  Check(factory->CreateStream(stream.Out()), "Cannot read the image");
  Check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())),
        "Cannot read the image");
  ComRef<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out()),
        "Image format is not valid");
  ComRef<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, frame.Out()), "Image format is not valid");
  ComRef<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(converter.Out()), "Cannot read the image");
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                              WICBitmapPaletteTypeCustom),
        "Cannot read the image");
  UINT width = 0, height = 0;
  Check(converter->GetSize(&width, &height), "Cannot read the image");
  if (width == 0 || height == 0 || width > 32768 || height > 32768)
    throw EInvalidGraphic("Image format is not valid");
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
  Check(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()), pixels.data()),
        "Cannot read the image");
  into.SetPixelFormat(pf32bit);
  into.SetSize(static_cast<int>(width), static_cast<int>(height));
  for (UINT y = 0; y < height; ++y)
    std::memcpy(into.ScanLine(static_cast<int>(y)), pixels.data() + static_cast<std::size_t>(y) * width * 4,
                static_cast<std::size_t>(width) * 4);
}

std::vector<std::uint8_t> WicEncodeJpeg(TBitmap& bitmap, int quality) {
  return Encode(bitmap, GUID_ContainerFormatJpeg, quality, WriteJpegFrame);
}

std::vector<std::uint8_t> WicEncodeGif(TBitmap& bitmap) {
  return Encode(bitmap, GUID_ContainerFormatGif, 0, WriteGifFrame);
}
