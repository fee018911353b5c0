#include "classlib/graphics/icon.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/dib.h"

IMPLEMENT_CLASS(TIcon)

namespace {

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

[[noreturn]] void InvalidIcon() {
  throw EInvalidGraphic("Icon image is not valid");
}

struct IconEntry {
  int Width, Height, BitCount;
  std::uint32_t Size, Offset;
};

std::vector<IconEntry> ParseIconDirectory(const std::vector<std::uint8_t>& data) {
  if (data.size() < 6 || U16(data.data()) != 0 || U16(data.data() + 2) != 1)
    InvalidIcon();
  std::size_t count = U16(data.data() + 4);
  if (count == 0 || 6 + count * 16 > data.size())
    InvalidIcon();
  std::vector<IconEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data.data() + 6 + i * 16;
    IconEntry entry{e[0] == 0 ? 256 : e[0], e[1] == 0 ? 256 : e[1], U16(e + 6), U32(e + 8), U32(e + 12)};
    if (entry.Size == 0 || entry.Offset > data.size() || entry.Size > data.size() - entry.Offset)
      InvalidIcon();
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

TIcon::TIcon() : wantedWidth_(GetSystemMetrics(SM_CXICON)), wantedHeight_(GetSystemMetrics(SM_CYICON)) {}

TIcon::~TIcon() {
  FreeHandle();
}

void TIcon::FreeHandle() {
  if (handle_ != nullptr)
    DestroyIcon(handle_);
  handle_ = nullptr;
}

void TIcon::SetSize(int width, int height) {
  wantedWidth_ = width;
  wantedHeight_ = height;
  if (!data_.empty()) {
    PickImage();
    Changed(this);
  }
}

void TIcon::PickImage() {
  std::vector<IconEntry> entries = ParseIconDirectory(data_);
  const IconEntry* best = nullptr;
  int bestDistance = INT_MAX;
  for (const IconEntry& e : entries) {
    int distance = std::abs(e.Width - wantedWidth_) + std::abs(e.Height - wantedHeight_);
    if (distance < bestDistance || (distance == bestDistance && e.BitCount > best->BitCount)) {
      best = &e;
      bestDistance = distance;
    }
  }
  HICON icon = CreateIconFromResourceEx(const_cast<std::uint8_t*>(data_.data()) + best->Offset, best->Size, TRUE,
                                        0x00030000, best->Width, best->Height, LR_DEFAULTCOLOR);
  if (icon == nullptr)
    InvalidIcon();
  FreeHandle();
  handle_ = icon;
  width_ = best->Width;
  height_ = best->Height;
}

HICON TIcon::Handle() {
  return handle_;
}

void TIcon::SetHandle(HICON icon) {
  if (icon == handle_)
    return;
  FreeHandle();
  data_.clear();
  handle_ = icon;
  width_ = height_ = 0;
  ICONINFO info{};
  if (icon != nullptr && GetIconInfo(icon, &info)) {
    BITMAP bm{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    width_ = bm.bmWidth;
    height_ = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor != nullptr)
      DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON released = handle_;
  handle_ = nullptr;
  data_.clear();
  width_ = height_ = 0;
  return released;
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (Source == nullptr) {
    FreeHandle();
    data_.clear();
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  auto* other = dynamic_cast<TIcon*>(Source);
  if (other == nullptr) {
    TGraphic::Assign(Source);
    return;
  }
  FreeHandle();
  data_ = other->data_;
  wantedWidth_ = other->wantedWidth_;
  wantedHeight_ = other->wantedHeight_;
  if (!data_.empty()) {
    PickImage();
  } else if (other->handle_ != nullptr) {
    handle_ = CopyIcon(other->handle_);
    width_ = other->width_;
    height_ = other->height_;
  } else {
    width_ = height_ = 0;
  }
  Changed(this);
}

void TIcon::Draw(TCanvas& canvas, const RECT& r) {
  if (handle_ != nullptr)
    DrawIconEx(canvas.Handle(), r.left, r.top, handle_, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadStreamBytes(stream);
  std::vector<std::uint8_t> previous = std::move(data_);
  data_ = std::move(bytes);
  try {
    PickImage();
  } catch (...) {
    data_ = std::move(previous);
    throw;
  }
  Changed(this);
}

std::vector<std::uint8_t> TIcon::IcoFromHandle() {
  ICONINFO info{};
  if (handle_ == nullptr || !GetIconInfo(handle_, &info))
    return {};
  int width = width_, height = height_;
  DibFormat color = DibFormat::For(pf32bit, width, height);
  DibFormat mask = DibFormat::For(pf1bit, width, height);
  std::vector<std::uint8_t> colorInfo = color.InfoBytes();
  std::vector<std::uint8_t> maskInfo = mask.InfoBytes();
  std::vector<std::uint8_t> colorBits(color.ImageSize()), maskBits(mask.ImageSize());
  HDC dc = GetDC(nullptr);
  if (info.hbmColor != nullptr)
    GetDIBits(dc, info.hbmColor, 0, height, colorBits.data(), reinterpret_cast<BITMAPINFO*>(colorInfo.data()),
              DIB_RGB_COLORS);
  GetDIBits(dc, info.hbmMask, 0, height, maskBits.data(), reinterpret_cast<BITMAPINFO*>(maskInfo.data()),
            DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  // The image's header has the doubled height of colour and mask together.
  std::vector<std::uint8_t> header(colorInfo.begin(), colorInfo.begin() + 40);
  std::int32_t doubled = height * 2;
  std::memcpy(header.data() + 8, &doubled, 4);
  std::uint32_t imageSize = static_cast<std::uint32_t>(header.size() + colorBits.size() + maskBits.size());
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(static_cast<std::uint8_t>(width >= 256 ? 0 : width));
  out.push_back(static_cast<std::uint8_t>(height >= 256 ? 0 : height));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageSize);
  Put32(out, 22);
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), colorBits.begin(), colorBits.end());
  out.insert(out.end(), maskBits.begin(), maskBits.end());
  return out;
}

void TIcon::SaveToStream(TStream& stream) {
  WriteStreamBytes(stream, data_.empty() ? IcoFromHandle() : data_);
}
