// What lies behind a control: the background query a transparent control
// sends its parent (skin command 0x22), and the background source painting
// routines take, made from a bitmap or from an answered query.
#pragma once
#include <windows.h>

#include "classlib/graphics/colors.h"

class TBitmap;
class TControl;

// Answer kinds of a background query.
constexpr unsigned char bqNoAnswer = 0;
constexpr unsigned char bqColor = 1;
constexpr unsigned char bqBitmap = 2;

// Passed by pointer with the background query: the asker fills Area,
// PleaseDraw and TargetDC, the answerer the rest.
struct TsBackgroundQuery {
  TBitmap* Bitmap = nullptr;   // holds the background (answer kind 2)
  TColor Color = clFuchsia;    // the background colour (kind 1); clFuchsia: none given
  int OffsetX = 0, OffsetY = 0;  // the asker's origin inside Bitmap
  RECT Area{0, 0, 0, 0};       // the part the asker wants
  unsigned char AnswerKind = bqNoAnswer;
  unsigned char PleaseDraw = 0;  // 1: draw Area straight into TargetDC
  HDC TargetDC = nullptr;
};

// What a painting routine paints over: a bitmap with the control's origin
// at (X, Y) when Ready, else FillColor (clFuchsia: unknown).
struct TsBackgroundSource {
  TBitmap* Bitmap = nullptr;
  int X = 0, Y = 0;
  TColor FillColor = 0;
  bool Ready = false;
};

// The library's empty source: no bitmap, fill colour 0, not ready.
extern const TsBackgroundSource EmptyBackgroundSource;

// A source of that bitmap and offsets, FillColor clFuchsia, Ready.
TsBackgroundSource MakeBackgroundSource(TBitmap* Bitmap, int X, int Y);
// Kind 2 gives MakeBackgroundSource of the answer; any other a source
// without bitmap holding the offsets and ColorToRGB of the answer's colour.
TsBackgroundSource BackgroundToSource(const TsBackgroundQuery& Query);

// Ask a window (a control) for its background. True when it answered. An
// unanswered query that asked for drawing has the window paint itself into
// TargetDC; otherwise the answer becomes a colour: the default manager's
// GLOBALINFO colour (clBtnFace without manager) for a window, the control's
// answer to skin command 0x15 (its Color when that is 0) for a control.
bool QueryWindowBackground(TsBackgroundQuery& Query, HWND Wnd, bool PleaseDraw);
bool QueryControlBackground(TsBackgroundQuery& Query, TControl* Control, bool PleaseDraw);
