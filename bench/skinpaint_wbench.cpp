// What users feel of skin painting: a form full of skinned controls
// repainting while it is resized or fading. Each case runs our painter and
// plain GDI on the same bitmaps in the same run, alternating which goes
// first, and prints the median of the rounds in megapixels per second for
// both sides and the ratio of their times (ours / GDI), at 1000 x 1000 and
// at control size (200 x 30, repeated to a megapixel).
//   section painting into a 24-bit cache, against BitBlt SRCCOPY of a
//     finished cache of that size: an opaque colour with a border mask and
//     corners (goal 2x), Transparency 50 over a parent bitmap and a gradient
//     over a texture (goal 4x).
//   alpha blending: DrawAlphaBitmap of a 32-bit image against AlphaBlend
//     with per-pixel alpha (on its premultiplied copy); the fade frame
//     BlendSameSize24 against AlphaBlend with constant alpha. Goal 1.5x.
//   resampling: SmoothResize (Mitchell) to half and to double size against
//     StretchBlt in HALFTONE mode, per megapixel of source. Goal 3x.
//   a form of 100 skinned panels: every panel resized, then the whole form
//     repainted at once, against the same form whose panels have no skin
//     manager (the standard panel's painting). Goal 3x.
// The skin is the in-memory test skin. Build and run inside tools/desktop
// (rounds 9 unless given):
//   cmake --build build/win --target skinpaint_wbench
//   DOZURI_BUILD=$PWD/build tools/desktop build/win/bench/skinpaint_wbench.exe [rounds]
// bench-deps (Windows): dozuri_testskin dozuri_skin_controls dozuri_skin_core dozuri_forms msimg32
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "skin/controls/spanel.h"
#include "skin/core/alphabitmaps.h"
#include "skin/core/alphagraph.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/resamplebitmap.h"
#include "skin/core/sectionpaint.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skingradient.h"
#include "tests/skin/testskin.h"

namespace {

int gRounds = 9;

// One size a case runs at: a picture of Width x Height painted Repeats
// times (about a megapixel in all).
struct TPaintSize {
  const char* Name;
  int Width, Height, Repeats;
  double Megapixels() const { return static_cast<double>(Width) * Height * Repeats / 1e6; }
};
const TPaintSize kSizes[] = {{"1000x1000", 1000, 1000, 1}, {"200x30 x167", 200, 30, 167}};

// One side of a case: paints the picture once.
using TPaint = std::function<void()>;

double TimeSide(const TPaint& Paint, int Repeats) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < Repeats; ++i)
    Paint();
  GdiFlush();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double MedianOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct TCaseTimes {
  double Ours, Gdi;  // seconds, medians of the rounds
};

// Times both sides alternately and prints one line.
TCaseTimes RunCase(const char* Name, const TPaintSize& Size, double Megapixels, double Goal, const TPaint& Ours,
             const TPaint& Gdi) {
  TimeSide(Ours, 1);
  TimeSide(Gdi, 1);
  std::vector<double> ours, gdi;
  for (int round = 0; round < gRounds; ++round) {
    if (round % 2 == 0) {
      ours.push_back(TimeSide(Ours, Size.Repeats));
      gdi.push_back(TimeSide(Gdi, Size.Repeats));
    } else {
      gdi.push_back(TimeSide(Gdi, Size.Repeats));
      ours.push_back(TimeSide(Ours, Size.Repeats));
    }
  }
  const double oursTime = MedianOf(ours), gdiTime = MedianOf(gdi);
  const double ratio = oursTime / gdiTime;
  std::printf("%-34s %-12s %10.1f %10.1f %7.2f %6.1f  %s\n", Name, Size.Name, Megapixels / oursTime,
              Megapixels / gdiTime, ratio, Goal, ratio <= Goal ? "ok" : "MISSED");
  std::fflush(stdout);
  return {oursTime, gdiTime};
}

// A 24-bit picture of soft diagonal stripes.
std::unique_ptr<TBitmap> Picture24(int Width, int Height, int Seed) {
  std::unique_ptr<TBitmap> b(CreateBitmap24(Width, Height));
  const TPixelView v = PixelViewOf(b.get());
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      std::uint8_t* p = v.Pixel(x, y);
      p[0] = static_cast<std::uint8_t>((x + y + Seed) & 0xFF);
      p[1] = static_cast<std::uint8_t>((x * 3 + Seed) & 0xFF);
      p[2] = static_cast<std::uint8_t>((y * 5 + Seed * 7) & 0xFF);
    }
  return b;
}

// A 32-bit image with every alpha from 0 to 255 (straight alpha), and its
// premultiplied copy for AlphaBlend.
void AlphaImages(int Width, int Height, std::unique_ptr<TBitmap>& Straight, std::unique_ptr<TBitmap>& Premultiplied) {
  Straight.reset(CreateBitmap32(Width, Height));
  Premultiplied.reset(CreateBitmap32(Width, Height));
  const TPixelView s = PixelViewOf(Straight.get()), p = PixelViewOf(Premultiplied.get());
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      std::uint8_t* a = s.Pixel(x, y);
      std::uint8_t* b = p.Pixel(x, y);
      const int alpha = (x * 7 + y * 3) & 0xFF;
      const int colour[3] = {(x * 5) & 0xFF, (y * 9) & 0xFF, 0x80};
      for (int c = 0; c < 3; ++c) {
        a[c] = static_cast<std::uint8_t>(colour[c]);
        b[c] = static_cast<std::uint8_t>(colour[c] * alpha / 255);
      }
      a[3] = b[3] = static_cast<std::uint8_t>(alpha);
    }
}

void AlphaCases(const TPaintSize& Size) {
  const int w = Size.Width, h = Size.Height;
  std::unique_ptr<TBitmap> straight, premultiplied;
  AlphaImages(w, h, straight, premultiplied);
  auto ground = Picture24(w, h, 1);
  auto target = Picture24(w, h, 2);
  const RECT area{0, 0, w, h};
  HDC targetDC = target->Canvas().Handle();
  HDC premultipliedDC = premultiplied->Canvas().Handle();
  RunCase(
      "DrawAlphaBitmap / AlphaBlend", Size, Size.Megapixels(), 1.5,
      [&] { DrawAlphaBitmap(area, area, target.get(), straight.get(), TPixelBackground{}, false, kNoTint, 0, false); },
      [&] {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(targetDC, 0, 0, w, h, premultipliedDC, 0, 0, w, h, blend);
      });
  HDC groundDC = ground->Canvas().Handle();
  const TPixelView targetView = PixelViewOf(target.get()), groundView = PixelViewOf(ground.get());
  RunCase(
      "BlendSameSize24 / AlphaBlend const", Size, Size.Megapixels(), 1.5,
      [&] { BlendSameSize24(targetView, groundView, 128); },
      [&] {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 127, 0};
        AlphaBlend(targetDC, 0, 0, w, h, groundDC, 0, 0, w, h, blend);
      });
}

void ResampleCases(const TPaintSize& Size) {
  const int w = Size.Width, h = Size.Height;
  auto source = Picture24(w, h, 3);
  HDC sourceDC = source->Canvas().Handle();
  struct TScale {
    const char* Name;
    int Width, Height;
  };
  const TScale scales[] = {{"SmoothResize half / HALFTONE", w / 2, h / 2},
                           {"SmoothResize double / HALFTONE", w * 2, h * 2}};
  for (const TScale& scale : scales) {
    std::unique_ptr<TBitmap> ours(CreateBitmap24(scale.Width, scale.Height));
    std::unique_ptr<TBitmap> gdi(CreateBitmap24(scale.Width, scale.Height));
    HDC gdiDC = gdi->Canvas().Handle();
    SetStretchBltMode(gdiDC, HALFTONE);
    SetBrushOrgEx(gdiDC, 0, 0, nullptr);
    RunCase(
        scale.Name, Size, Size.Megapixels(), 3.0,
        [&] { SmoothResize(source.get(), ours.get(), scale.Width, scale.Height, rfMitchell); },
        [&] { StretchBlt(gdiDC, 0, 0, scale.Width, scale.Height, sourceDC, 0, 0, w, h, SRCCOPY); });
  }
}

// The sections a form full of skinned controls paints: an opaque panel with
// a 12 x 12 border mask (edges 4 wide, centre drawn) and 4 x 4 corners, a
// half transparent glass over its parent, and a gradient over a 32 x 32
// texture at 50 and 50 percent.
struct TBenchSkin {
  skin_test::TestSkin Skin;
  int Opaque, Glass, Textured;

  TBenchSkin() {
    TsGeneralData& panel = Skin.AddSection("PANEL");
    panel.Color = 0xD8E0E8;
    Skin.AddImageMask("PANEL", "BORDERSMASK", itisaBorder, 12, 12, 0x808080).StretchMode = smDrawCentre;
    for (const char* corner : {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"})
      Skin.AddImageMask("PANEL", corner, itisaGlyph, 4, 4, 0x404040);
    Skin.AddSection("GLASS").Transparency = 50;
    TsGeneralData& textured = Skin.AddSection("TEXTURED");
    textured.ImagePercent = 50;
    textured.GradientPercent = 50;
    textured.GradientData = "$FFFFFF;$C08040;100;0;0";
    ParseGradientData(textured.GradientData, textured.GradientArray);
    Skin.AddImageMask("TEXTURED", "PATTERN", itisaTexture, 32, 32, 0x60A0C0);
    Skin.Apply();
    Opaque = Skin.SectionIndex("PANEL");
    Glass = Skin.SectionIndex("GLASS");
    Textured = Skin.SectionIndex("TEXTURED");
  }
};

void SectionCases(const TPaintSize& Size, TBenchSkin& Skin) {
  const int w = Size.Width, h = Size.Height;
  auto parent = Picture24(w, h, 4);
  auto finished = Picture24(w, h, 5);
  std::unique_ptr<TBitmap> cache(CreateBitmap24(w, h));
  auto target = Picture24(w, h, 6);
  HDC finishedDC = finished->Canvas().Handle();
  HDC targetDC = target->Canvas().Handle();
  const RECT area{0, 0, w, h};
  const TPaint copy = [&] { BitBlt(targetDC, 0, 0, w, h, finishedDC, 0, 0, SRCCOPY); };
  TsSkinManager* manager = Skin.Skin.Manager();
  struct TSectionCase {
    const char* Name;
    int Section;
    AnsiString SectionName;
    TsBackgroundSource Source;
    double Goal;
  };
  const TSectionCase cases[] = {
      {"opaque section+border / BitBlt", Skin.Opaque, "PANEL", EmptyBackgroundSource, 2.0},
      {"transparency 50 / BitBlt", Skin.Glass, "GLASS", MakeBackgroundSource(parent.get(), 0, 0), 4.0},
      {"gradient over texture / BitBlt", Skin.Textured, "TEXTURED", EmptyBackgroundSource, 4.0},
  };
  for (const TSectionCase& c : cases)
    RunCase(
        c.Name, Size, Size.Megapixels(), c.Goal,
        [&] {
          PaintSectionWithCorners(c.Section, c.SectionName, c.Source, true, 0, area, POINT{0, 0}, cache.get(),
                                  manager, -1, -1);
        },
        copy);
}

// A shown form of 10 x 10 panels, skinned by Manager when it is given.
class TPanelGrid {
public:
  static constexpr int kColumns = 10, kRows = 10, kPanelWidth = 60, kPanelHeight = 30;

  explicit TPanelGrid(TsSkinManager* Manager) : form_(new TForm(nullptr)) {
    form_->SetBounds(20, 20, kColumns * kPanelWidth + 40, kRows * kPanelHeight + 60);
    for (int i = 0; i < kColumns * kRows; ++i) {
      auto* panel = new TsPanel(form_);
      panel->SetParent(form_);
      panel->SetBounds((i % kColumns) * kPanelWidth, (i / kColumns) * kPanelHeight, kPanelWidth, kPanelHeight);
      panel->SetCaption("Panel");
      if (Manager != nullptr)
        panel->SkinData()->SetSkinManager(Manager);
      panels_.push_back(panel);
    }
    form_->Show();
    Application->ProcessMessages();
  }
  ~TPanelGrid() { form_->Free(); }
  TPanelGrid(const TPanelGrid&) = delete;
  TPanelGrid& operator=(const TPanelGrid&) = delete;

  bool Skinned() const { return panels_.front()->SkinData()->IsSkinned(); }

  // Every panel one pixel narrower or wider than last time, then the whole
  // form painted before returning.
  void ResizeAndRepaint() {
    narrow_ = !narrow_;
    const int width = kPanelWidth - (narrow_ ? 1 : 0);
    for (TsPanel* panel : panels_)
      panel->SetBounds(panel->Left(), panel->Top(), width, kPanelHeight);
    RedrawWindow(form_->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

private:
  TForm* form_;
  std::vector<TsPanel*> panels_;
  bool narrow_ = false;
};

void PanelFormCase(TBenchSkin& Skin) {
  SetDefaultManager(nullptr);
  TPanelGrid skinned(Skin.Skin.Manager());
  TPanelGrid plain(nullptr);
  if (!skinned.Skinned() || plain.Skinned()) {
    std::printf("100 skinned panels: the panels are not skinned as meant; case skipped\n");
    return;
  }
  const TPaintSize size{"100 panels", TPanelGrid::kColumns * TPanelGrid::kPanelWidth,
                        TPanelGrid::kRows * TPanelGrid::kPanelHeight, 1};
  const TCaseTimes times = RunCase("100 skinned panels / no manager", size, size.Megapixels(), 3.0,
                                   [&] { skinned.ResizeAndRepaint(); }, [&] { plain.ResizeAndRepaint(); });
  std::printf("  one resize and repaint: skinned %.1f ms, no manager %.1f ms\n", times.Ours * 1000,
              times.Gdi * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1)
    gRounds = std::max(1, std::atoi(argv[1]));
  std::printf("skin painting against plain GDI, median of %d rounds (MP/s; resampling per source MP)\n", gRounds);
  std::printf("%-34s %-12s %10s %10s %7s %6s\n", "case", "size", "ours", "GDI", "ratio", "goal");
  TBenchSkin skin;
  for (const TPaintSize& size : kSizes) {
    SectionCases(size, skin);
    AlphaCases(size);
    ResampleCases(size);
  }
  Application->Initialize();
  PanelFormCase(skin);
  return 0;
}
