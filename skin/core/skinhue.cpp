#include "skin/core/skinhue.h"

#include <functional>
#include <vector>

#include "skin/core/alphagraph.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/pixelbytes.h"

namespace {

using TColorChange = std::function<TColor(TColor)>;

TColor PixelColor(const std::uint8_t* p) { return static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16); }

void SetPixelColor(std::uint8_t* p, TColor c) {
  p[0] = static_cast<std::uint8_t>(ColorChannel(c, 2));
  p[1] = static_cast<std::uint8_t>(ColorChannel(c, 1));
  p[2] = static_cast<std::uint8_t>(ColorChannel(c, 0));
}

// Changes the pixels of a 24- or 32-bit view (alpha untouched), leaving
// clFuchsia and, with KeepGrey, grey pixels.
void ChangePixels(const TPixelView& v, const TColorChange& Change, bool KeepGrey) {
  if (!v.Is24() && !v.Is32())
    return;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      std::uint8_t* p = v.Pixel(x, y);
      if (IsFuchsiaPixel(p) || (KeepGrey && p[0] == p[1] && p[1] == p[2]))
        continue;
      SetPixelColor(p, Change(PixelColor(p)));
    }
}

void ChangeImagePixels(TBitmap& Image, const TColorChange& Change) {
  if (Image.PixelFormat() != pf32bit)
    Image.SetPixelFormat(pf24bit);
  ChangePixels(PixelViewOf(&Image), Change, false);
}

TColor ChangeSet(TColor C, const TColorChange& Change) { return C == -1 ? C : Change(C); }

void ChangeSectionColours(TsGeneralData& g, const TColorChange& Change) {
  g.Color = ChangeSet(g.Color, Change);
  g.HotColor = ChangeSet(g.HotColor, Change);
  g.GlowColor = ChangeSet(g.GlowColor, Change);
  g.HotGlowColor = ChangeSet(g.HotGlowColor, Change);
  for (TColor& c : g.FontColor)
    c = ChangeSet(c, Change);
  for (TColor& c : g.HotFontColor)
    c = ChangeSet(c, Change);
  for (TsGradArray* stops : {&g.GradientArray, &g.HotGradientArray})
    for (auto& stop : *stops) {
      stop.StartColor = Change(stop.StartColor);
      stop.EndColor = Change(stop.EndColor);
    }
}

int FindGlobalMask(const TsLoadedSkin& Skin, const AnsiString& Name) {
  for (std::size_t i = 0; i < Skin.Masks.size(); ++i)
    if (Skin.Masks[i].SectionName == "GLOBALINFO" && Skin.Masks[i].PropertyName == Name)
      return static_cast<int>(i);
  return -1;
}

// An area of the master bitmap copied aside and put back.
struct KeptArea {
  RECT R;
  std::vector<std::uint8_t> Bytes;
};

void ChangeSkin(TsLoadedSkin& Skin, const TColorChange& Change, const std::vector<int>& KeptMasks) {
  std::vector<KeptArea> kept;
  const TPixelView master = Skin.MasterBitmap ? PixelViewOf(Skin.MasterBitmap.get()) : TPixelView{};
  std::vector<bool> skipOwn(Skin.Masks.size(), false);
  for (int index : KeptMasks) {
    const TsMaskData& m = Skin.Masks[index];
    if (m.Image) {
      skipOwn[index] = true;
    } else if (master.Assigned()) {
      KeptArea area{m.R, {}};
      for (int y = m.R.top; y < m.R.bottom; ++y)
        for (int x = m.R.left; x < m.R.right; ++x)
          area.Bytes.insert(area.Bytes.end(), master.Pixel(x, y), master.Pixel(x, y) + 3);
      kept.push_back(std::move(area));
    }
  }
  if (master.Assigned())
    ChangePixels(master, Change, true);
  for (const KeptArea& area : kept) {
    std::size_t i = 0;
    for (int y = area.R.top; y < area.R.bottom; ++y)
      for (int x = area.R.left; x < area.R.right; ++x, i += 3)
        std::copy_n(area.Bytes.data() + i, 3, master.Pixel(x, y));
  }
  for (std::size_t i = 0; i < Skin.Masks.size(); ++i)
    if (Skin.Masks[i].Image && !skipOwn[i])
      ChangeImagePixels(*Skin.Masks[i].Image, Change);
  for (TsGeneralData& g : Skin.Sections)
    ChangeSectionColours(g, Change);
}

// The title icons that keep their colours, and their own-bitmap glows.
std::vector<int> KeptIcons(const TsLoadedSkin& Skin) {
  std::vector<int> kept;
  const int keepHue = Skin.Data->BIKeepHue;
  if (keepHue == 0)
    return kept;
  std::vector<AnsiString> names{"BICONCLOSE", "SICONCLOSE"};
  if (keepHue == 1)
    for (const char* n : {"BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP", "SICONMAX", "SICONMIN", "SICONNORM"})
      names.push_back(n);
  for (const AnsiString& name : names) {
    const int icon = FindGlobalMask(Skin, name);
    if (icon >= 0)
      kept.push_back(icon);
    const int glow = FindGlobalMask(Skin, name + "GLOW0");
    if (glow >= 0 && Skin.Masks[glow].Image)
      kept.push_back(glow);
  }
  return kept;
}

}  // namespace

void ChangeSkinHue(TsLoadedSkin& Skin, int Degrees) {
  if (Degrees == 0)
    return;
  const TColorChange turn = [Degrees](TColor c) { return ChangeHue(Degrees, c); };
  ChangeSkin(Skin, turn, KeptIcons(Skin));
  Skin.Data->Shadow1Color = turn(Skin.Data->Shadow1Color);
  Skin.Data->BorderColor = turn(Skin.Data->BorderColor);
}

void ChangeSkinSaturation(TsLoadedSkin& Skin, int Saturation) {
  if (Saturation == 0)
    return;
  const int percent = SaturationPercent(Saturation);
  ChangeSkin(Skin, [percent](TColor c) { return ChangeSaturation(c, percent); }, {});
}
