// The eight-grip variant of the grips: the four middle grips, the rect that
// adds them to the corner grips, and the handler of the controller both
// hosts use (a single selection gets eight grips, a multi-selection group
// marks).
#pragma once
#include "design/dsnhandle.h"

// Top middle: top edge.
class TNakaueRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {false, true, false, false}; }
  TCursor GripCursor() const override { return crSizeNS; }
};

// Bottom middle: bottom edge.
class TNakashitaRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {false, false, false, true}; }
  TCursor GripCursor() const override { return crSizeNS; }
};

// Right middle: right edge.
class TNakamigiRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {false, false, true, false}; }
  TCursor GripCursor() const override { return crSizeWE; }
};

// Left middle: left edge.
class TNakahidariRect : public TSmallRect {
public:
  using TSmallRect::TSmallRect;
  void SetControl() override;
  TGripEdges Edges() const override { return {true, false, false, false}; }
  TCursor GripCursor() const override { return crSizeWE; }
};

// The corner grips, then the four middle ones.
class THandler8Rect : public THandlerRect {
public:
  using THandlerRect::THandlerRect;
  void CreateGrips() override;
};

class TMultiDpHandler : public TMultiGrHandler {
public:
  THandlerRect* CreateRect(TControl* Control) override;
};
