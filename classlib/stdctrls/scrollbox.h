// Scrolling containers. A TScrollingWinControl shows the window's own
// scroll bars when its children (or the Range given) reach past the client
// area and moves the children when the bars move. Each bar is described by
// a TControlScrollBar: Range (the scrolled extent; with AutoScroll it
// follows the children), Position, Increment (one line), Tracking (scroll
// while the thumb is dragged).
#pragma once
#include <memory>

#include "classlib/classes/persistent.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/stdctrls/scrollbar.h"

class TScrollingWinControl;

class TControlScrollBar : public TPersistent {
  DECLARE_CLASS(TControlScrollBar, TPersistent)

public:
  TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind);

  TScrollBarKind Kind() const { return FKind; }
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Range() const { return FRange; }
  void SetRange(int Value);
  TScrollBarInc Increment() const { return FIncrement; }
  void SetIncrement(TScrollBarInc Value) { FIncrement = Value < 1 ? 1 : Value; }
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  // The client extent along this bar.
  int ControlSize();
  // True while the window shows this bar.
  bool IsScrollBarVisible();
  void Assign(TPersistent* Source) override;

private:
  friend class TScrollingWinControl;
  // The largest position: the range less what the client shows.
  int MaxPosition();
  void Update();
  void ScrollMessage(TMessage& Message);

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FPosition = 0;
  int FRange = 0;
  TScrollBarInc FIncrement = 8;
  bool FTracking = false;
  bool FVisible = true;
  int FMargin = 0;
  bool FUpdating = false;
};

class TScrollingWinControl : public TWinControl {
  DECLARE_CLASS(TScrollingWinControl, TWinControl)

public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Scrolls so that the control is in view.
  void ScrollInView(TControl* AControl);
  // Moves every child by (DeltaX, DeltaY) and scrolls the window's pixels.
  void ScrollBy(int DeltaX, int DeltaY);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Resize() override;
  // Works out the ranges from the children (AutoScroll) and updates the bars.
  void UpdateScrollBars();

private:
  friend class TControlScrollBar;
  // The extent the children reach along a bar, scrolled back to 0.
  int ChildExtent(TScrollBarKind Kind);

  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
  bool FUpdatingBars = false;
};

class TScrollBox : public TScrollingWinControl {
  DECLARE_CLASS(TScrollBox, TScrollingWinControl)

public:
  explicit TScrollBox(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TBorderStyle FBorderStyle = bsSingle;
};
