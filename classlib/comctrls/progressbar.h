// The progress bar over comctl32's progress class.
#pragma once
#include "classlib/controls/wincontrol.h"

enum TProgressBarOrientation { pbHorizontal, pbVertical };
DOZURI_ENUM(TProgressBarOrientation, "pbHorizontal", "pbVertical");

class TProgressBar : public TWinControl {
  DECLARE_CLASS(TProgressBar, TWinControl)

public:
  explicit TProgressBar(TComponent* AOwner);

  int Min() const { return FMin; }
  void SetMin(int Value) { SetRange(Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetRange(FMin, Value); }
  // The bar's position, kept within Min..Max.
  int Position() const;
  void SetPosition(int Value);
  int Step() const { return FStep; }
  void SetStep(int Value);
  // Advances by Step, wrapping to Min past Max as the bar does.
  void StepIt();
  void StepBy(int Delta);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void SetRange(int AMin, int AMax);

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;  // while there is no window
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};
