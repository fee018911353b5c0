// A group box: an etched frame with a caption in its top edge that holds
// other controls, painted by the control itself.
#pragma once
#include "classlib/controls/customcontrol.h"

class TCustomGroupBox : public TCustomControl {
  DECLARE_CLASS(TCustomGroupBox, TCustomControl)

public:
  explicit TCustomGroupBox(TComponent* AOwner);

protected:
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void CreateParams(TCreateParams& Params) override;

private:
  void CMTextChanged(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  // The height of one line of the caption's font.
  int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
  DECLARE_CLASS(TGroupBox, TCustomGroupBox)

public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
