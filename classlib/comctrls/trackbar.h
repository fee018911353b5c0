// The track bar over comctl32's track bar class. OnChange fires once for
// each change of Position the user makes (the bar reports a move and the
// end of the move; only a new position counts).
#pragma once
#include "classlib/controls/wincontrol.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
DOZURI_ENUM(TTrackBarOrientation, "trHorizontal", "trVertical");
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
DOZURI_ENUM(TTickMark, "tmBottomRight", "tmTopLeft", "tmBoth");
enum TTickStyle { tsNone, tsAuto, tsManual };
DOZURI_ENUM(TTickStyle, "tsNone", "tsAuto", "tsManual");

class TTrackBar : public TWinControl {
  DECLARE_CLASS(TTrackBar, TWinControl)

public:
  explicit TTrackBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const;
  void SetPosition(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int LineSize() const { return FLineSize; }
  void SetLineSize(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Changed();

private:
  void CNScroll(TMessage& Message);

  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;  // the last position reported (and kept without a window)
  int FFrequency = 1;
  int FLineSize = 1;
  int FPageSize = 2;
  TTrackBarOrientation FOrientation = trHorizontal;
  TTickMark FTickMarks = tmBottomRight;
  TTickStyle FTickStyle = tsAuto;
};
