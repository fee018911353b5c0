// TQRImage prints a picture held in the layout; TQRDBImage prints the
// picture of a blob field of the current record. Both paint a preview of
// themselves on the design surface and print on the run's page in device
// pixels converted from their size in 0.1 mm. Without Stretch a picture
// prints at the size it has on the screen: its pixels over the screen's
// pixels per inch, clipped to the control's area.
//
// The report runner paints barcodes into TQRImage proxies through
// BitmapCanvas.
#pragma once
#include <memory>

#include "classlib/graphics/picture.h"
#include "reportengine/report/qrprintable.h"
#include "reportengine/report/quickrep.h"

class TDataSet;
class TField;

class TQRImage : public TQRPrintable, public IQRBackgroundPicture {
  DECLARE_CLASS(TQRImage, TQRPrintable)

public:
  explicit TQRImage(TComponent* AOwner);
  ~TQRImage() override;

  void Print(int OfsX, int OfsY) override;

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  // The picture's palette when it holds a bitmap, else none.
  HPALETTE GetPalette();
  // As the report's background image: the picture's graphic, or none.
  TGraphic* BackgroundGraphic() override;

  // The canvas barcodes are painted into: an empty picture first gets a
  // bitmap of the control's size; a picture holding another kind of graphic
  // has none (nullptr).
  TCanvas* BitmapCanvas();

protected:
  void Paint() override;

private:
  // With AutoSize the bounds take the picture's size; the control is opaque
  // only when a bitmap covers it; repaint.
  void PictureChanged();

  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FStretch = false;
};

class TQRDBImage : public TQRPrintable {
  DECLARE_CLASS(TQRDBImage, TQRPrintable)

public:
  explicit TQRDBImage(TComponent* AOwner);
  ~TQRDBImage() override;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Prepare() override;
  void Print(int OfsX, int OfsY) override;
  void Unprepare() override;
  // The control's height; bound to a blob field, the height of the field's
  // picture (0 for an empty or damaged one).
  void MeasureHeight(int& Height) override;

  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  AnsiString DataField() const { return FDataField; }
  void SetDataField(const AnsiString& Value) { FDataField = Value; }
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* Value);
  // The field of the run (set by Prepare), or nullptr.
  TField* BoundField() const { return FBoundField; }
  // The design-time picture; a change only marks it and repaints.
  TPicture* Picture() const { return FPicture.get(); }
  bool PictureChanged() const { return FPictureChanged; }
  HPALETTE GetPalette();

protected:
  void Paint() override;

private:
  // The picture of the bound blob field: nullptr when no blob field is
  // bound; an empty picture when the field is empty or its bytes are no
  // bitmap.
  std::unique_ptr<TPicture> LoadFieldPicture() const;
  void DrawOnPage(TPicture& Picture, int OfsX, int OfsY);

  std::unique_ptr<TPicture> FPicture;
  bool FPictureChanged = false;
  bool FCenter = true;
  bool FStretch = false;
  AnsiString FDataField;
  TDataSet* FDataSet = nullptr;
  TField* FBoundField = nullptr;
};
