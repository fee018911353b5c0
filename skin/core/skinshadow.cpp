#include "skin/core/skinshadow.h"

#include <windows.h>

#include <optional>

#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/skindata.h"
#include "support/png/graphic/pngicons.h"
#include "support/png/graphic/pnggraphic.h"

namespace {

std::unique_ptr<TBitmap> LoadShadowResource(const wchar_t* Name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, Name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (resource == nullptr)
    return nullptr;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  const DWORD size = SizeofResource(module, resource);
  if (bytes == nullptr || size == 0)
    return nullptr;
  TMemoryStream data;
  data.WriteBuffer(bytes, static_cast<std::int32_t>(size));
  data.SetPosition(0);
  auto picture = std::make_unique<TPNGGraphic>();
  try {
    picture->LoadFromStream(data);
  } catch (const Exception&) {
    return nullptr;
  }
  if (picture->Width() <= 0 || picture->Height() <= 0)
    return nullptr;
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->Assign(picture.get());
  bitmap->SetPixelFormat(pf32bit);
  return bitmap;
}

std::optional<std::unique_ptr<TBitmap>>& ShadowPictureSlot() {
  static std::optional<std::unique_ptr<TBitmap>> slot;
  return slot;
}

}  // namespace

std::unique_ptr<TBitmap> CopyMaskImage32(const TsMaskData& Mask, TBitmap& Source, int Index) {
  const int width = MaskFrameWidth(Mask), height = MaskFrameHeight(Mask);
  const int left = Mask.R.left + Index * width, top = Mask.R.top;
  if (width <= 0 || height <= 0 || left < 0 || top < 0 || left + width > Source.Width() ||
      top + height > Source.Height())
    return nullptr;
  auto result = std::make_unique<TBitmap>();
  result->SetPixelFormat(pf32bit);
  result->SetSize(width, height);
  const TPixelView from = PixelViewOf(&Source);
  const TPixelView to = PixelViewOf(result.get());
  if (from.BitCount < 24)
    return nullptr;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* s = from.Pixel(left + x, top + y);
      std::uint8_t* d = to.Pixel(x, y);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
      d[3] = from.BitCount == 32 ? s[3] : 0xFF;
    }
  return result;
}

TBitmap* BuiltInShadowPicture() {
  auto& slot = ShadowPictureSlot();
  if (!slot.has_value())
    slot = LoadShadowResource(L"acSHDA");
  return slot->get();
}

void SetBuiltInShadowPicture(std::unique_ptr<TBitmap> Picture) { ShadowPictureSlot() = std::move(Picture); }

bool DwmCompositionEnabled() {
  using IsEnabled = HRESULT(WINAPI*)(BOOL*);
  static const IsEnabled entry = [] {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (dwm == nullptr)
      return IsEnabled(nullptr);
    return reinterpret_cast<IsEnabled>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  }();
  BOOL enabled = FALSE;
  return entry != nullptr && SUCCEEDED(entry(&enabled)) && enabled;
}
