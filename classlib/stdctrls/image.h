// An image: a picture painted by the parent, at its size from the top left
// corner, centred (Center), or stretched to the control (Stretch, keeping
// the aspect with Proportional). Transparent leaves the picture's
// transparent colour unpainted. AutoSize fits the control to the picture.
#pragma once
#include <memory>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/graphics/picture.h"

class TImage : public TGraphicControl {
  DECLARE_CLASS(TImage, TGraphicControl)

public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // The canvas of the picture's bitmap (made, at the control's size, when
  // the picture is empty). Raises EInvalidOperation for other graphics.
  TCanvas* Canvas();
  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

  TNotifyEvent OnProgress;

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);

  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FDrawing = false;
};
