#include "classlib/graphics/screenfacts.h"

#include <windows.h>

#include <mutex>

namespace {
const TScreenFacts* gSubstitute = nullptr;

// The screen's facts as last read; a run on its own thread asks too.
struct ReadFacts {
  std::mutex lock;
  bool valid = false;
  TScreenFacts facts;
};

ReadFacts& Kept() {
  static ReadFacts kept;
  return kept;
}

TScreenFacts KeptScreenFacts() {
  ReadFacts& kept = Kept();
  std::lock_guard<std::mutex> guard(kept.lock);
  if (!kept.valid) {
    kept.facts = ReadScreenFacts();
    kept.valid = true;
  }
  return kept.facts;
}
}  // namespace

TScreenFacts ReadScreenFacts() {
  TScreenFacts facts;
  HDC dc = GetDC(nullptr);
  if (dc != nullptr) {
    facts.PixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    facts.NumColors = GetDeviceCaps(dc, NUMCOLORS);
    facts.BitsPerPixel = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
  }
  return facts;
}

TScreenFacts ScreenFacts() {
  return gSubstitute != nullptr ? *gSubstitute : KeptScreenFacts();
}

void ScreenFactsChanged() {
  ReadFacts& kept = Kept();
  std::lock_guard<std::mutex> guard(kept.lock);
  kept.valid = false;
}

ScreenFactsScope::ScreenFactsScope(const TScreenFacts& facts) : saved_(gSubstitute), facts_(facts) {
  gSubstitute = &facts_;
}

ScreenFactsScope::~ScreenFactsScope() {
  gSubstitute = saved_;
}
