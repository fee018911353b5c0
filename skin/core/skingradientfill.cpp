#include "skin/core/skingradientfill.h"

#include "skin/core/skinbitmaps.h"

namespace {

using TGradientFill = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

struct GradientEntry {
  HMODULE Library = nullptr;
  TGradientFill Fill = nullptr;

  GradientEntry() {
    Library = LoadLibraryW(L"msimg32.dll");
    if (Library != nullptr)
      Fill = reinterpret_cast<TGradientFill>(reinterpret_cast<void*>(GetProcAddress(Library, "GradientFill")));
  }
  ~GradientEntry() {
    if (Library != nullptr)
      FreeLibrary(Library);
  }
};

GradientEntry& Entry() {
  static GradientEntry entry;
  return entry;
}

[[maybe_unused]] const bool kLookedUp = (Entry(), true);

TRIVERTEX Vertex(int x, int y, TColor color) {
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>((color & 0xFF) << 8);
  v.Green = static_cast<COLOR16>(((color >> 8) & 0xFF) << 8);
  v.Blue = static_cast<COLOR16>(((color >> 16) & 0xFF) << 8);
  v.Alpha = 0;
  return v;
}

// Five vertices (corners and centre) from the first five stops' start
// colours, a missing stop repeating the colour before it; four triangles.
void PaintFourCorner(TBitmap* B, RECT R, const TsGradArray& A) {
  if (Entry().Fill == nullptr)
    return;
  const POINT points[5] = {{R.left, R.top},
                           {R.left + (R.right - R.left) / 2, R.top + (R.bottom - R.top) / 2},
                           {R.right, R.top},
                           {R.right, R.bottom},
                           {R.left, R.bottom}};
  TRIVERTEX vertices[5];
  TColor colour = A[0].StartColor;
  for (int i = 0; i < 5; ++i) {
    if (static_cast<std::size_t>(i) < A.size())
      colour = A[i].StartColor;
    vertices[i] = Vertex(points[i].x, points[i].y, colour);
  }
  GRADIENT_TRIANGLE triangles[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
  Entry().Fill(B->Canvas().Handle(), vertices, 5, triangles, 4, GRADIENT_FILL_TRIANGLE);
}

}  // namespace

bool TriangleGradientSupported() { return Entry().Fill != nullptr; }

void PaintGradient(TBitmap* B, const RECT& Area, const TsGradArray& A, int Off) {
  if (B == nullptr || A.empty() || Area.right <= Area.left || Area.bottom <= Area.top)
    return;
  RECT R = Area;
  R.left = std::max<LONG>(R.left, 0);
  R.top = std::max<LONG>(R.top, 0);
  R.right = std::min<LONG>(R.right, B->Width());
  R.bottom = std::min<LONG>(R.bottom, B->Height());
  if (R.right <= R.left || R.bottom <= R.top)
    return;
  if (A[0].Direction == gdFourCorner) {
    PaintFourCorner(B, R, A);
    return;
  }
  PaintGradientBands(PixelViewOf(B), {R.left, R.top, R.right, R.bottom}, A, Off);
}
