// Blob fields: values of any length kept beside the record. TMemoField
// holds text, TGraphicField a picture's stream (the picture classes read and
// write it through LoadFromStream/SaveToStream). Grids show "(Blob)",
// "(Memo)" or "(Graphic)", upper-cased when the field holds data.
#pragma once
#include "classlib/data/field.h"

class TStream;

enum TBlobType { btBlob, btMemo, btGraphic };

class TBlobField : public TField {
  DECLARE_CLASS(TBlobField, TField)

public:
  explicit TBlobField(TComponent* AOwner);

  bool IsBlob() const override { return true; }
  // Bytes held now.
  int BlobSize() const { return static_cast<int>(GetAsString().size()); }
  // Replaces the value with the rest of Stream (from its position).
  void LoadFromStream(TStream& Stream);
  // Writes the value at the stream's position.
  void SaveToStream(TStream& Stream) const;
  void LoadFromFile(const AnsiString& FileName);
  void SaveToFile(const AnsiString& FileName) const;

protected:
  void CheckTypeSize(int Value) override;
  void ClearValue() override { SetAsStringValue(AnsiString()); }
  void GetText(AnsiString& Text, bool DisplayText) const override;
  AnsiString GetAsString() const override;
  void SetAsStringValue(const AnsiString& Value) override;
  Variant GetAsVariant() const override { return Variant(GetAsString()); }
  void SetVarValue(const Variant& Value) override { SetAsStringValue(VarToStr(Value)); }
  // The type name in the grid text.
  virtual const char* BlobTypeName() const { return "Blob"; }
};

class TMemoField : public TBlobField {
  DECLARE_CLASS(TMemoField, TBlobField)

public:
  explicit TMemoField(TComponent* AOwner);

protected:
  const char* BlobTypeName() const override { return "Memo"; }
};

class TGraphicField : public TBlobField {
  DECLARE_CLASS(TGraphicField, TBlobField)

public:
  explicit TGraphicField(TComponent* AOwner);

protected:
  const char* BlobTypeName() const override { return "Graphic"; }
};
