// TSplashF: the start-up splash, a borderless white window of 500 x 310
// centred on the screen showing the splash picture with the program's name
// painted over it in two semi-transparent caption layers. Its fade
// component fades it in when it is first activated.
#pragma once
#include "app/splash/vtanimate.h"
#include "classlib/forms/forms.h"
#include "support/layers/image32.h"

class TSplashF : public TForm {
  DECLARE_CLASS(TSplashF, TForm)

public:
  explicit TSplashF(TComponent* AOwner);

  TImage32* ImageSplash = nullptr;
  TVtAnimate* VtAnimate1 = nullptr;

  void FormCreate(TObject* Sender);

  // Adds a layer the size of Image's bitmap and draws Text on it centred
  // across, at Y, in bold FontName of Size points: a grey shadow 2 pixels
  // right and down, then the text in white; the layer is blended with
  // Alpha. A text wider than the image starts left of it and is cut there.
  static void AddCaptionLayer(TImage32* Image, int Y, const AnsiString& Text, unsigned Alpha, int Size,
                              const AnsiString& FontName);
};

extern TSplashF* SplashF;
