// The facts about the screen the graphics classes depend on: its resolution
// and its colour count. Tests substitute them (the 96 and 120 dpi cases, a
// 256-colour screen) with ScreenFactsScope; the program reads the screen.
#pragma once

struct TScreenFacts {
  int PixelsPerInch = 96;
  // GetDeviceCaps(NUMCOLORS): -1 on screens with more than 256 colours.
  int NumColors = -1;
  int BitsPerPixel = 32;
};

// The facts in force: the substitute of the innermost scope, else the
// screen's. The screen's are read once and kept: fonts, units and pictures
// ask for them many times per printed label, and each reading costs a
// screen DC. They are read again after ScreenFactsChanged.
TScreenFacts ScreenFacts();

// The display changed (resolution, colours): the next ScreenFacts reads
// the screen again. The application calls it on WM_DISPLAYCHANGE.
void ScreenFactsChanged();

// Reads the screen's own facts (GetDeviceCaps of the screen DC).
TScreenFacts ReadScreenFacts();

class ScreenFactsScope {
public:
  explicit ScreenFactsScope(const TScreenFacts& facts);
  ~ScreenFactsScope();
  ScreenFactsScope(const ScreenFactsScope&) = delete;
  ScreenFactsScope& operator=(const ScreenFactsScope&) = delete;

private:
  const TScreenFacts* saved_;
  TScreenFacts facts_;
};
