// THintWindow: the small window that shows a control's Hint under the mouse.
// It is a borderless popup owned by the application window, painted in the
// application's HintColor, never activated.
#pragma once
#include "classlib/controls/customcontrol.h"

class THintWindow : public TCustomControl {
  DECLARE_CLASS(THintWindow, TCustomControl)

public:
  explicit THintWindow(TComponent* AOwner);

  // The screen rectangle (at the origin) the text needs, at most MaxWidth wide.
  virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint);
  // Shows the text in the rectangle (screen coordinates) without activating.
  virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
};

// The part of a hint before "|" (the short hint the window shows).
AnsiString GetShortHint(const AnsiString& Hint);
// The part after "|", or the whole hint when it has none.
AnsiString GetLongHint(const AnsiString& Hint);
