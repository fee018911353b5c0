// Grips: how the design controller shows its selection.
//
// A single selected control gets grips, small square windows placed around
// it among its siblings, which the user drags to resize it. The grip handler
// is a receiver of the selection list: it keeps one handler rect per
// selected control, in selection order, and each rect keeps the grips of its
// control. With several controls selected the base handler shows inactive
// grey grips; the group-mark handler gives each control a rect without grips
// whose control shows grey marks in its corners instead.
//
// The grip kinds carry Japanese position words: Hidari (left), Migi (right),
// ue (top), shita (bottom), Naka (middle). The four corner kinds live here,
// the four middle kinds in dsnsub8.h.
//
// Grips have no owner; they are children of the control's parent and so may
// be freed with that parent. A grip freed so tells its rect, which then never
// touches it again; a rect freeing its grips first lets go of them. Nothing is
// freed twice either way.
#pragma once
#include <memory>
#include <vector>

#include "classlib/controls/customcontrol.h"
#include "design/core/postednotices.h"
#include "design/core/targetlist.h"

class THandlerRect;
class TMultiHandler;
class TMultiShape;

// The edges of its control a grip moves.
struct TGripEdges {
  bool Left = false;
  bool Top = false;
  bool Right = false;
  bool Bottom = false;
};

// ---- TSmallRect ---------------------------------------------------------------------
// One grip: a square window filled with its colour. It is active while its
// colour is the active colour; an inactive grip ignores presses.
class TSmallRect : public TCustomControl {
  DECLARE_CLASS(TSmallRect, TCustomControl)

public:
  // A grip of Rect's control, with Rect's settings; made without an owner.
  explicit TSmallRect(THandlerRect* Rect);
  ~TSmallRect() override;

  // ---- Overridables, in slot order ----
  // The outline of a resize.
  virtual void CreateOutline();
  // Places the grip beside its control.
  virtual void SetControl() = 0;
  virtual TGripEdges Edges() const = 0;
  virtual TCursor GripCursor() const = 0;

  bool Active() const { return Color() == FActiveColor; }
  // Inactive colour and the default cursor.
  void Disable();
  // The control the grip resizes; nullptr once it died.
  TControl* Target() const { return FControl; }
  void ControlDied() { FControl = nullptr; }
  // The grip moves over to another control (placed at the next PlaceGrips).
  void Retarget(TControl* Control);
  // Whether PlaceAt brings the grip to the front (not when it is there).
  void SetRaise(bool Value) { FRaise = Value; }
  // The rect frees the grip: the grip no longer reports to it.
  void Detach() { FRect = nullptr; }
  TMultiShape* Outline() const { return FOutline.get(); }

  // The bounds a release at Point (grip coordinates, snapped) gives, before
  // a negative width or height is flipped: the edges the grip moves follow
  // the point, the others stay.
  TRect Resized(TPoint Point) const;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A posted hide notice hides the grips of a rect still kept as spare.
  void WndProc(TMessage& Message) override;

  // Moves the grip to (X, Y) of the control's parent, grip size square.
  void PlaceAt(int X, int Y);
  int GripSize() const { return FGripSize; }

private:
  TPoint Snapped(int X, int Y) const;
  // The window of the control, or of its parent for a non-windowed one.
  HWND ControlWindow() const;

  THandlerRect* FRect;
  TControl* FControl;
  bool FRaise = true;
  int FGripSize;
  int FGridWidth;
  int FGridHeight;
  TColor FActiveColor;
  TColor FInactiveColor;
  TColor FOutlineColor;
  int FOutlinePenWidth;
  TPoint FPress{0, 0};
  std::unique_ptr<TMultiShape> FOutline;
  TLifeToken FLife;
};

// Top left corner: left and top edges.
class THidariueRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {true, true, false, false}; }
  TCursor GripCursor() const override { return crSizeNWSE; }
};

// Top right corner: right and top edges.
class TMigiueRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {false, true, true, false}; }
  TCursor GripCursor() const override { return crSizeNESW; }
};

// Bottom left corner: left and bottom edges.
class THidarishitaRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {true, false, false, true}; }
  TCursor GripCursor() const override { return crSizeNESW; }
};

// Bottom right corner: right and bottom edges.
class TMigishitaRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {false, false, true, true}; }
  TCursor GripCursor() const override { return crSizeNWSE; }
};

// ---- THandlerRect -------------------------------------------------------------------
// The grips of one control. Made in two steps (the grips a rect makes
// depend on its class): construct, then Start.
class THandlerRect {
public:
  THandlerRect(const TMultiHandler& Handler, TControl* Control);
  // Frees the grips it still has.
  virtual ~THandlerRect();
  THandlerRect(const THandlerRect&) = delete;
  THandlerRect& operator=(const THandlerRect&) = delete;

  template <class T>
  static T* Make(const TMultiHandler& Handler, TControl* Control) {
    auto* rect = new T(Handler, Control);
    try {
      rect->Start();
    } catch (...) {
      delete rect;
      throw;
    }
    return rect;
  }

  // ---- Overridables, in slot order ----
  // The four corner grips.
  virtual void CreateGrips();
  // Every grip goes to its place beside the control (unless grips are gone).
  virtual void PlaceGrips();

  // Every grip turns inactive.
  void DisableGrips();
  // Remembers the control's bounds (a press on a grip, the end of a resize).
  void SaveBounds();
  void ControlDied();
  // The grips stay where they are, kept for a later Retarget; they hide
  // once waiting messages are handled, unless a Retarget came first.
  void KeepAsSpare();
  bool IsSpare() const { return FSpare; }
  void HideGrips();
  // Whether the grips are the front children of their parent, in order.
  bool GripsInFront() const;
  // Takes the active grips it has over to Control, a control of the same
  // parent; false (nothing changed) when they cannot serve it.
  bool Retarget(TControl* Control);
  // A grip was freed by someone else (with the control's parent).
  void GripDestroyed(TSmallRect* Grip);

  TControl* Control() const { return FControl; }
  bool GripsGone() const { return FGripsGone; }
  int GripCount() const { return static_cast<int>(FGrips.size()); }
  TSmallRect* Grips(int Index) const { return FGrips.at(Index); }

  int SavedLeft = 0;
  int SavedTop = 0;
  int SavedWidth = 0;
  int SavedHeight = 0;
  int GripSize;
  int GridWidth;
  int GridHeight;
  TColor ActiveColor;
  TColor InactiveColor;
  TColor OutlineColor;
  int OutlinePenWidth;

protected:
  // Makes the grips and puts them among the control's siblings.
  void Start();
  // A new grip of this rect (nothing without a parent to put it on).
  template <class T>
  void AddGrip() {
    if (FControl == nullptr || FControl->Parent() == nullptr)
      return;
    T* grip = new T(this);
    FGrips.push_back(grip);
    grip->SetCursor(grip->GripCursor());
  }

private:
  TControl* FControl;
  std::vector<TSmallRect*> FGrips;
  bool FGripsGone = false;
  bool FSpare = false;
};

// A control of a multi-selection: no grips; its control shows group marks,
// which a repaint brings and a repaint after the rect is gone takes away.
class THandlerGrRect : public THandlerRect {
public:
  using THandlerRect::THandlerRect;
  ~THandlerGrRect() override;

  void CreateGrips() override {}
  // Repaints the control (or the parent of a non-windowed one).
  void PlaceGrips() override;
};

// ---- TMultiHandler --------------------------------------------------------------------
// The grip handler: one rect per selected control, kept at the index the
// control has in the selection list (an entry that got no rect, such as a
// component that is no control or a second entry of a control, holds none).
class TMultiHandler : public TReceiveTargets {
public:
  TMultiHandler() = default;
  ~TMultiHandler() override;

  void ItemDeath(int Index) override;
  // A single control gets active grips; from two on every grip is inactive.
  // The control's window is then told (message 1599) to refresh group marks.
  void Add(TComponent* Component) override;
  void Clear() override;
  // One control left: it gets the grips of a single selection again.
  void Delete(int Index) override;
  // Frees grips kept from a cleared selection that no new one took over.
  void Update() override;
  void FreeSpare() { FSpare.reset(); }

  // ---- Overridables, in slot order ----
  virtual THandlerRect* CreateRect(TControl* Control);

  // The number of rects, and the one at a selection index (or nullptr).
  int RectCount() const;
  THandlerRect* Rects(int Index) const;
  THandlerRect* RectOf(const TControl* Control) const;

  int GripSize = 6;
  int GridWidth = 6;
  int GridHeight = 6;
  TColor ActiveColor = 0;
  TColor InactiveColor = 0x808080;
  TColor OutlineColor = 0x808080;
  int OutlinePenWidth = 2;

protected:
  // Adds the rect of a control that has none yet.
  virtual void AddRect(TControl* Control);
  // The index of the one rect there is, or -1.
  int OnlyRect() const;
  void Append(THandlerRect* Rect) { FRects.emplace_back(Rect); }
  void Replace(int Index, THandlerRect* Rect) { FRects.at(Index).reset(Rect); }
  // The rect for the first control of a selection: the grips of the last
  // single selection moved over when they can serve it, else a new one.
  THandlerRect* FirstRect(TControl* Control);
  // Message 1599 to the control's window (a non-windowed control: its parent's).
  static void TellGroupMarks(TControl* Control);

  std::vector<std::unique_ptr<THandlerRect>> FRects;

private:
  // The rect of the last single selection cleared, until a new selection
  // takes it over or the next update frees it. Making and
  // destroying the grip windows costs far more than moving them, and a
  // selection moving from one control to the next does this every time.
  std::unique_ptr<THandlerRect> FSpare;
};

// The group-mark handler: from two selected controls on, every control gets
// a rect without grips and shows group marks.
class TMultiGrHandler : public TMultiHandler {
protected:
  void AddRect(TControl* Control) override;
};

// The window that shows a control: its own, or its parent's for a
// non-windowed control; nullptr when there is none (yet).
HWND DesignWindowOf(TControl* Control);
