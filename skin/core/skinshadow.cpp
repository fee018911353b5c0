#include "skin/core/skinshadow.h"

#include <windows.h>

#include <optional>

#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/skindata.h"
#include "skin/core/skinstartup.h"
#include "support/png/graphic/pngicons.h"
#include "support/png/graphic/pnggraphic.h"

namespace {

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
  // The library's start-up loads the program's own picture; a test may put
  // another one (or none) in its place.
  const auto& slot = ShadowPictureSlot();
  return slot.has_value() ? slot->get() : ShadowPictureActive;
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
