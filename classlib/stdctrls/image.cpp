#include "classlib/stdctrls/image.h"

#include "classlib/graphics/bitmap.h"

BEGIN_PUBLISHED(TImage)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSize, AutoSize, SetAutoSize).Default(false),
  PROPERTY(Center, Center, SetCenter).Default(false),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Picture, Picture, SetPicture),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(Proportional, Proportional, SetProportional).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle = FControlStyle + TControlStyle{csReplicatable};
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TRect TImage::DestRect() {
  int pw = FPicture->Width(), ph = FPicture->Height();
  int cw = ClientWidth(), ch = ClientHeight();
  int w = pw, h = ph;
  if (FStretch || (FProportional && (pw > cw || ph > ch))) {
    if (FProportional && pw > 0 && ph > 0) {
      // The largest size with the picture's aspect that fits.
      if (static_cast<long long>(cw) * ph < static_cast<long long>(ch) * pw) {
        w = cw;
        h = static_cast<int>(static_cast<long long>(ph) * cw / pw);
      } else {
        h = ch;
        w = static_cast<int>(static_cast<long long>(pw) * ch / ph);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r = Bounds(0, 0, w, h);
  if (FCenter)
    OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TCanvas& canvas = *TGraphicControl::Canvas();
  TGraphic* graphic = FPicture->Graphic();
  if (graphic == nullptr || graphic->Empty())
    return;
  FDrawing = true;
  try {
    if (graphic->Transparent() != FTransparent)
      graphic->SetTransparent(FTransparent);
    canvas.StretchDraw(DestRect(), *graphic);
  } catch (...) {
    FDrawing = false;
    throw;
  }
  FDrawing = false;
}

TCanvas* TImage::Canvas() {
  if (FPicture->Graphic() == nullptr || FPicture->Graphic()->Empty()) {
    TBitmap& bitmap = FPicture->Bitmap();
    bitmap.SetSize(Width(), Height());
  }
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (bitmap == nullptr)
    throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return &bitmap->Canvas();
}

// A new or changed picture repaints (and resizes the control with AutoSize).
void TImage::PictureChanged(TObject*) {
  if (FDrawing)
    return;
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  if (TGraphic* graphic = FPicture->Graphic())
    if (graphic->Transparent() != FTransparent && !graphic->Empty())
      graphic->SetTransparent(FTransparent);
  Invalidate();
}

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  PictureChanged(nullptr);
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value)
    return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value)
    return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  if (FProportional == Value)
    return;
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  PictureChanged(nullptr);
}
