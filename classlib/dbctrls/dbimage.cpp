#include "classlib/dbctrls/dbimage.h"

#include "classlib/classes/streams.h"
#include "classlib/graphics/bitmap.h"

BEGIN_PUBLISHED(TDBImage)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Center, Center, SetCenter).Default(true),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(DataField, DataField, SetDataField),
  PROPERTY(DataSource, DataSource, SetDataSource),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(Stretch, Stretch, SetStretch).Default(false),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
END_PUBLISHED

TDBImage::TDBImage(TComponent* AOwner) : TCustomControl(AOwner), FDataLink(this), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  FDataLink.OnDataChange = [this](TObject*) { LoadPicture(); };
  FDataLink.OnActiveChange = [this](TObject*) { LoadPicture(); };
}

void TDBImage::SetDataSource(TDataSource* Value) { FDataLink.SetControlDataSource(Value); }

void TDBImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TDBImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TDBImage::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  FDataLink.NotifyRemoved(AComponent, Operation);
}

void TDBImage::Dispatch(TMessage& Message) {
  if (FDataLink.AnswerQuery(Message))
    return;
  TCustomControl::Dispatch(Message);
}

// The field's bytes are a bitmap as a graphic field keeps it; a damaged or
// foreign value empties the picture rather than failing the data set's move.
void TDBImage::LoadPicture() {
  TField* field = FDataLink.Field();
  FPicture->SetGraphic(nullptr);
  if (field != nullptr && !field->IsNull()) {
    try {
      TStringStream stream(field->AsString());
      FPicture->Bitmap().LoadFromStream(stream);
    } catch (const Exception&) {
      FPicture->SetGraphic(nullptr);
    }
  }
  Invalidate();
}

void TDBImage::Paint() {
  TCanvas& canvas = *Canvas();
  TRect client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(client);
  TGraphic* graphic = FPicture->Graphic();
  if (graphic == nullptr || graphic->Empty())
    return;
  int w = FPicture->Width(), h = FPicture->Height();
  if (FStretch) {
    canvas.StretchDraw(client, *graphic);
    return;
  }
  int x = FCenter ? (client.right - w) / 2 : 0;
  int y = FCenter ? (client.bottom - h) / 2 : 0;
  canvas.Draw(x, y, *graphic);
}
