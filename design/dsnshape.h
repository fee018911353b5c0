// Drag outlines: rectangles drawn in XOR on the whole screen while the user
// drags controls, a new control's rectangle or a rubber band, with the
// cursor held inside the container the drag runs in.
//
// Drawing a rectangle twice in XOR restores the screen, so an outline moves
// by drawing its last rectangle again and then the new one; hiding draws
// the last one again for good. The cursor is held only while an outline is
// shown: hiding or freeing the outline always lets it go.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/controls/control.h"
#include "classlib/graphics/canvas.h"

// One outline rectangle on a canvas.
class TFundamentalShape {
public:
  enum TState { NotDrawn = 0, Drawn = 1, Hidden = 2 };

  explicit TFundamentalShape(TCanvas& Canvas) : FCanvas(Canvas) {}
  virtual ~TFundamentalShape() = default;
  TFundamentalShape(const TFundamentalShape&) = delete;
  TFundamentalShape& operator=(const TFundamentalShape&) = delete;

  // Erases the rectangle drawn last and draws one at (X, Y) plus the offset,
  // Width by Height; a negative size goes to the left of or above that
  // point. A hidden shape draws nothing any more.
  virtual void DrawAt(int X, int Y);
  // Erases what is drawn; the shape stays hidden.
  void Hide();

  int Width = 0;
  int Height = 0;
  TPoint Offset{0, 0};
  int PenWidth = 2;
  TPenStyle PenStyle = psSolid;
  TColor Color = clGray;
  TState State() const { return FState; }
  // The rectangle drawn last, from its start corner to its far corner.
  const TRect& LastRect() const { return FLastRect; }

private:
  void PreparePen();
  void Draw(const TRect& Rect);

  TCanvas& FCanvas;
  TRect FLastRect{0, 0, 0, 0};
  TState FState = NotDrawn;
};

// The outline of one drag: a rectangle per control dragged, or one free
// rectangle, drawn on the whole screen.
class TMultiShape {
public:
  // Takes the screen's device context.
  TMultiShape();
  // Hides the outline (letting the cursor go) and gives the context back.
  virtual ~TMultiShape();
  TMultiShape(const TMultiShape&) = delete;
  TMultiShape& operator=(const TMultiShape&) = delete;

  // ---- Overridables, in slot order ----
  virtual TFundamentalShape* CreateControlShape();
  virtual TFundamentalShape* CreateFrameShape();
  // Holds the cursor inside Control's screen rectangle.
  virtual void Show(TControl* Control);
  // Draws every rectangle at Point (screen coordinates).
  virtual void MoveTo(TPoint Point);
  // Lets the cursor go and erases every rectangle for good.
  virtual void Hide();

  // A rectangle of Control's size, placed where the control is on the
  // screen relative to the origin.
  void AddControl(TControl* Control);
  // Drops every rectangle and adds one empty one at the origin.
  void SetSingleRect();
  // The size of the first rectangle.
  void SetWidth(int Value);
  void SetHeight(int Value);

  TPoint Origin{0, 0};
  TColor Color = clGray;
  int PenWidth = 2;
  TPenStyle PenStyle = psSolid;
  int Count() const { return static_cast<int>(FShapes.size()); }
  TFundamentalShape* Shapes(int Index) const { return FShapes.at(Index).get(); }
  // True while the cursor is held.
  bool Clipping() const { return FClipping; }
  const TRect& ClipRect() const { return FClipRect; }

private:
  TFundamentalShape* AddShape(TFundamentalShape* Shape);
  void ReleaseCursor();

  HDC FScreen;
  std::unique_ptr<TCanvas> FCanvas;
  std::vector<std::unique_ptr<TFundamentalShape>> FShapes;
  TRect FClipRect{0, 0, 0, 0};
  bool FClipping = false;
};
