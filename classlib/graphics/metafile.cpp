#include "classlib/graphics/metafile.h"

#include <cstring>

#include "classlib/graphics/screenfacts.h"
#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TMetafile)
IMPLEMENT_CLASS(TMetafileCanvas)

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

int ScreenPixelsPerInch() {
  int ppi = ScreenFacts().PixelsPerInch;
  return ppi > 0 ? ppi : 96;
}

[[noreturn]] void InvalidMetafile() {
  throw EInvalidGraphic("Metafile is not valid");
}

}  // namespace

TMetafile::~TMetafile() {
  Clear();
}

void TMetafile::Clear() {
  if (handle_ != nullptr)
    DeleteEnhMetaFile(handle_);
  handle_ = nullptr;
  mmWidth_ = mmHeight_ = 0;
  inch_ = 0;
}

int TMetafile::Width() {
  return MulDiv(mmWidth_, ScreenPixelsPerInch(), 2540);
}

int TMetafile::Height() {
  return MulDiv(mmHeight_, ScreenPixelsPerInch(), 2540);
}

void TMetafile::SetWidth(int value) {
  SetMMWidth(MulDiv(value, 2540, ScreenPixelsPerInch()));
}

void TMetafile::SetHeight(int value) {
  SetMMHeight(MulDiv(value, 2540, ScreenPixelsPerInch()));
}

void TMetafile::SetMMWidth(int value) {
  if (value == mmWidth_)
    return;
  mmWidth_ = value;
  Changed(this);
}

void TMetafile::SetMMHeight(int value) {
  if (value == mmHeight_)
    return;
  mmHeight_ = value;
  Changed(this);
}

void TMetafile::SetHandle(HENHMETAFILE metafile) {
  if (metafile == handle_)
    return;
  ENHMETAHEADER header{};
  if (metafile != nullptr && (GetEnhMetaFileHeader(metafile, sizeof(header), &header) == 0 ||
                              header.dSignature != kEmfSignature))
    InvalidMetafile();
  if (handle_ != nullptr)
    DeleteEnhMetaFile(handle_);
  handle_ = metafile;
  if (metafile != nullptr) {
    // The frame is inclusive, in hundredths of a millimetre.
    mmWidth_ = header.rclFrame.right - header.rclFrame.left;
    mmHeight_ = header.rclFrame.bottom - header.rclFrame.top;
  } else {
    mmWidth_ = mmHeight_ = 0;
  }
  Changed(this);
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE released = handle_;
  handle_ = nullptr;
  return released;
}

void TMetafile::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (Source == nullptr) {
    Clear();
    Changed(this);
    return;
  }
  auto* other = dynamic_cast<TMetafile*>(Source);
  if (other == nullptr) {
    TGraphic::Assign(Source);
    return;
  }
  HENHMETAFILE copy = other->handle_ != nullptr ? CopyEnhMetaFileW(other->handle_, nullptr) : nullptr;
  Clear();
  handle_ = copy;
  mmWidth_ = other->mmWidth_;
  mmHeight_ = other->mmHeight_;
  inch_ = other->inch_;
  enhanced_ = other->enhanced_;
  Changed(this);
}

void TMetafile::Draw(TCanvas& canvas, const RECT& r) {
  if (handle_ == nullptr)
    return;
  PlayEnhMetaFile(canvas.Handle(), handle_, &r);
}

std::vector<std::uint8_t> TMetafile::EmfBytes() const {
  if (handle_ == nullptr)
    return {};
  UINT size = GetEnhMetaFileBits(handle_, 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  GetEnhMetaFileBits(handle_, size, bytes.data());
  return bytes;
}

void TMetafile::LoadFromBytes(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() >= 4 && U32(bytes.data()) == kPlaceableKey) {
    LoadPlaceableWmf(bytes);
    return;
  }
  if (bytes.size() < sizeof(ENHMETAHEADER) || U32(bytes.data()) != EMR_HEADER || U32(bytes.data() + 40) != kEmfSignature)
    InvalidMetafile();
  // The header's own byte count must match what is there.
  std::uint32_t declared = U32(bytes.data() + 48);
  if (declared > bytes.size() || declared < sizeof(ENHMETAHEADER))
    InvalidMetafile();
  HENHMETAFILE metafile = SetEnhMetaFileBits(declared, bytes.data());
  if (metafile == nullptr)
    InvalidMetafile();
  HENHMETAFILE old = handle_;
  handle_ = nullptr;
  SetHandle(metafile);
  if (old != nullptr)
    DeleteEnhMetaFile(old);
  enhanced_ = true;
}

void TMetafile::LoadPlaceableWmf(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < kPlaceableHeaderSize + 18)
    InvalidMetafile();
  const std::uint8_t* h = bytes.data();
  std::uint16_t checksum = 0;
  for (int i = 0; i < 10; ++i)
    checksum ^= U16(h + 2 * i);
  auto left = static_cast<std::int16_t>(U16(h + 6));
  auto top = static_cast<std::int16_t>(U16(h + 8));
  auto right = static_cast<std::int16_t>(U16(h + 10));
  auto bottom = static_cast<std::int16_t>(U16(h + 12));
  int inch = U16(h + 14);
  if (checksum != U16(h + 20) || inch == 0 || right <= left || bottom <= top)
    InvalidMetafile();
  int mmWidth = MulDiv(right - left, 2540, inch);
  int mmHeight = MulDiv(bottom - top, 2540, inch);
  METAFILEPICT pict{MM_ANISOTROPIC, mmWidth, mmHeight, nullptr};
  HDC screen = GetDC(nullptr);
  HENHMETAFILE metafile = SetWinMetaFileBits(static_cast<UINT>(bytes.size() - kPlaceableHeaderSize),
                                             bytes.data() + kPlaceableHeaderSize, screen, &pict);
  ReleaseDC(nullptr, screen);
  if (metafile == nullptr)
    InvalidMetafile();
  if (handle_ != nullptr)
    DeleteEnhMetaFile(handle_);
  handle_ = metafile;
  mmWidth_ = mmWidth;
  mmHeight_ = mmHeight;
  inch_ = inch;
  enhanced_ = false;
  Changed(this);
}

std::vector<std::uint8_t> TMetafile::PlaceableWmfBytes() const {
  if (handle_ == nullptr)
    return {};
  HDC screen = GetDC(nullptr);
  UINT size = GetWinMetaFileBits(handle_, 0, nullptr, MM_ANISOTROPIC, screen);
  std::vector<std::uint8_t> wmf(size);
  if (size > 0)
    GetWinMetaFileBits(handle_, size, wmf.data(), MM_ANISOTROPIC, screen);
  ReleaseDC(nullptr, screen);
  if (size == 0)
    throw EInvalidGraphicOperation("Cannot convert the metafile");
  int inch = inch_ != 0 ? inch_ : 96;
  std::uint16_t header[11] = {};
  header[0] = static_cast<std::uint16_t>(kPlaceableKey & 0xFFFF);
  header[1] = static_cast<std::uint16_t>(kPlaceableKey >> 16);
  header[5] = static_cast<std::uint16_t>(MulDiv(mmWidth_, inch, 2540));
  header[6] = static_cast<std::uint16_t>(MulDiv(mmHeight_, inch, 2540));
  header[7] = static_cast<std::uint16_t>(inch);
  for (int i = 0; i < 10; ++i)
    header[10] ^= header[i];
  std::vector<std::uint8_t> bytes(kPlaceableHeaderSize);
  std::memcpy(bytes.data(), header, kPlaceableHeaderSize);
  bytes.insert(bytes.end(), wmf.begin(), wmf.end());
  return bytes;
}

void TMetafile::LoadFromStream(TStream& stream) {
  LoadFromBytes(ReadStreamBytes(stream));
}

void TMetafile::SaveToStream(TStream& stream) {
  WriteStreamBytes(stream, enhanced_ ? EmfBytes() : PlaceableWmfBytes());
}

void TMetafile::ReadData(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadSizedBlock(stream);
  if (bytes.empty()) {
    Clear();
    Changed(this);
    return;
  }
  LoadFromBytes(bytes);
}

void TMetafile::WriteData(TStream& stream) {
  WriteSizedBlock(stream, enhanced_ ? EmfBytes() : PlaceableWmfBytes());
}

// ---- TMetafileCanvas --------------------------------------------------------

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice)
    : TMetafileCanvas(metafile, referenceDevice, AnsiString(), AnsiString()) {}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice, const AnsiString& creator,
                                 const AnsiString& title)
    : metafile_(metafile) {
  HDC reference = referenceDevice != nullptr ? referenceDevice : GetDC(nullptr);
  // A size set on the metafile becomes the frame; without one GDI measures
  // the drawing.
  RECT frame{0, 0, metafile->MMWidth(), metafile->MMHeight()};
  bool sized = frame.right > 0 && frame.bottom > 0;
  std::wstring description;
  if (!creator.empty() || !title.empty())
    description = WideOf(creator) + L'\0' + WideOf(title) + L'\0' + L'\0';
  HDC dc = CreateEnhMetaFileW(reference, nullptr, sized ? &frame : nullptr,
                              description.empty() ? nullptr : description.c_str());
  if (referenceDevice == nullptr)
    ReleaseDC(nullptr, reference);
  if (dc == nullptr)
    throw EOutOfResources("Out of system resources");
  SetHandle(dc);
}

TMetafileCanvas::~TMetafileCanvas() {
  HDC dc = HandleAllocated() ? Handle() : nullptr;
  SetHandle(nullptr);  // deselects pen, brush and font while the DC is open
  if (dc == nullptr)
    return;
  HENHMETAFILE finished = CloseEnhMetaFile(dc);
  if (finished == nullptr)
    return;
  int mmWidth = metafile_->MMWidth();
  int mmHeight = metafile_->MMHeight();
  metafile_->SetHandle(finished);
  // A size chosen before recording stays; GDI's frame may differ by a unit.
  if (mmWidth > 0 && mmHeight > 0) {
    metafile_->SetMMWidth(mmWidth);
    metafile_->SetMMHeight(mmHeight);
  }
}
