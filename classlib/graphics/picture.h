// TPicture: holds one graphic of any registered class. Loading a file picks
// the class by the file's extension; the "Data" of a picture in a component
// stream is the graphic's class name as a short string followed by the
// graphic's own data.
#pragma once
#include "classlib/graphics/graphic.h"

class TBitmap;
class TIcon;
class TMetafile;

class TPicture : public TPersistent {
  DECLARE_CLASS(TPicture, TPersistent)

public:
  TPicture();
  ~TPicture() override;

  void Assign(TPersistent* Source) override;

  TGraphic* Graphic() const { return graphic_; }
  // Holds a copy of value (nullptr empties the picture).
  void SetGraphic(TGraphic* value);
  // The graphic as that class; a graphic of another class is replaced by an
  // empty one of this class.
  TBitmap& Bitmap();
  TIcon& Icon();
  TMetafile& Metafile();

  int Width() const;
  int Height() const;

  // Raises EInvalidGraphic "Unknown picture file extension (.xyz)".
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName);

  // The "Data" property.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  void DefineProperties(TFiler& Filer) override;

  // Graphic classes by file extension ("bmp", without the dot).
  static void RegisterFileFormat(const AnsiString& extension, const AnsiString& description, TClass graphicClass);
  static void UnregisterGraphicClass(TClass graphicClass);
  // The class registered for an extension, or nullptr.
  static TClass FileFormatClass(const AnsiString& extension);

  TNotifyEvent OnChange;
  TProgressEvent OnProgress;

protected:
  void Changed(TObject* sender);

private:
  void Replace(TGraphic* graphic);
  template <class G>
  G& ForceType();
  void GraphicChanged(TObject* sender);
  void GraphicProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                       const RECT& r, const AnsiString& msg);

  TGraphic* graphic_ = nullptr;
};
