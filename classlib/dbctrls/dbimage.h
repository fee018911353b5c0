// TDBImage: shows the picture held by a graphic (blob) field of the
// current record, at its size, centred (Center) or stretched (Stretch). A
// value that holds no readable picture shows nothing.
#pragma once
#include <memory>

#include "classlib/controls/customcontrol.h"
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/graphics/picture.h"

class TDBImage : public TCustomControl {
  DECLARE_CLASS(TDBImage, TCustomControl)

public:
  explicit TDBImage(TComponent* AOwner);

  TDataSource* DataSource() const { return FDataLink.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const AnsiString& DataField() const { return FDataLink.FieldName(); }
  void SetDataField(const AnsiString& Value) { FDataLink.SetFieldName(Value); }
  TField* Field() const { return FDataLink.Field(); }
  TPicture* Picture() const { return FPicture.get(); }
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool ReadOnly() const { return FDataLink.ReadOnly(); }
  void SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }

  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Paint() override;

private:
  void LoadPicture();

  TControlFieldLink FDataLink;
  std::unique_ptr<TPicture> FPicture;
  bool FCenter = true;
  bool FStretch = false;
};
