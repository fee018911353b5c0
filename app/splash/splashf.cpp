#include "app/splash/splashf.h"

#include <windows.h>

#include "app/shell/programidentity.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/graphics/bitmap.h"

TSplashF* SplashF = nullptr;

BEGIN_PUBLISHED(TSplashF)
  METHOD(FormCreate),
END_PUBLISHED

TSplashF::TSplashF(TComponent* AOwner) : TForm(AOwner) {
  SetName("SplashF");
  SetBorderStyle(bsNone);
  SetColor(clWhite);
  SetPosition(poScreenCenter);
  SetClientWidth(500);
  SetClientHeight(310);
  ImageSplash = MakeControl<TImage32>(this, this, "ImageSplash");
  ImageSplash->SetAlign(alClient);
  TBitmap picture;
  picture.LoadFromResourceName(GetModuleHandleW(nullptr), "SPLASHPICTURE");
  ImageSplash->Bitmap()->Assign(picture);
  VtAnimate1 = new TVtAnimate(this);
  VtAnimate1->SetName("VtAnimate1");
  VtAnimate1->SetActive(true);
  VtAnimate1->SetStartStep(5);
  VtAnimate1->SetStopStep(5);
  OnCreate = Method<&TSplashF::FormCreate>(this);
  // What reading the form's description would do once its components are
  // made: the fade component takes over the form's events.
  VtAnimate1->HookOwnerFormEvents();
}

void TSplashF::FormCreate(TObject*) {
  AddCaptionLayer(ImageSplash, 50, ProgramName, 30, 100, "Tahoma");
  AddCaptionLayer(ImageSplash, 110, ProgramName, 170, 36, "Tahoma");
}

void TSplashF::AddCaptionLayer(TImage32* Image, int Y, const AnsiString& Text, unsigned Alpha, int Size,
                               const AnsiString& FontName) {
  TBitmapLayer* layer = Image->Layers()->Add();
  TBitmap32* bitmap = layer->Bitmap();
  bitmap->SetSize(Image->Bitmap()->Width(), Image->Bitmap()->Height());
  layer->SetLocation(RECT{0, 0, bitmap->Width(), bitmap->Height()});
  bitmap->Font()->SetName(FontName);
  bitmap->Font()->SetSize(Size);
  bitmap->Font()->SetStyle(TFontStyles{fsBold});
  bitmap->SetDrawMode(dmBlend);
  bitmap->SetMasterAlpha(Alpha);
  const int x = (bitmap->Width() - bitmap->TextWidth(Text)) / 2;
  bitmap->RenderText(x + 2, Y + 2, Text, 1, 0xFF7F7F7Fu);
  bitmap->RenderText(x, Y, Text, 1, 0xFFFFFFFFu);
  Image->Changed();
}
