// TMetafile: an enhanced metafile. Width and Height are screen pixels,
// MMWidth and MMHeight hundredths of a millimetre. Enhanced chooses what
// SaveToStream writes: EMF, or a placeable WMF. LoadFromStream reads both.
//
// TMetafileCanvas records into a metafile: the reference DC (nullptr = the
// screen) gives the device the drawing is meant for; destroying the canvas
// completes the metafile and hands it to its TMetafile.
#pragma once
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/graphic.h"

class TMetafile : public TGraphic {
  DECLARE_CLASS(TMetafile, TGraphic)

public:
  TMetafile() = default;
  ~TMetafile() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;
  void Clear();

  bool Empty() override { return handle_ == nullptr; }
  int Width() override;
  int Height() override;
  void SetWidth(int value) override;
  void SetHeight(int value) override;
  int MMWidth() const { return mmWidth_; }
  int MMHeight() const { return mmHeight_; }
  void SetMMWidth(int value);
  void SetMMHeight(int value);
  bool Enhanced() const { return enhanced_; }
  void SetEnhanced(bool value) { enhanced_ = value; }
  // Units per inch of a placeable WMF (0 until one is loaded; 96 when saving).
  int Inch() const { return inch_; }
  void SetInch(int value) { inch_ = value; }

  HENHMETAFILE Handle() const { return handle_; }
  // Adopts a metafile; its frame gives the size.
  void SetHandle(HENHMETAFILE metafile);
  HENHMETAFILE ReleaseHandle();

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

  // The EMF file image of the metafile.
  std::vector<std::uint8_t> EmfBytes() const;
  void LoadFromBytes(const std::vector<std::uint8_t>& bytes);

private:
  std::vector<std::uint8_t> PlaceableWmfBytes() const;
  void LoadPlaceableWmf(const std::vector<std::uint8_t>& bytes);

  HENHMETAFILE handle_ = nullptr;
  int mmWidth_ = 0;
  int mmHeight_ = 0;
  int inch_ = 0;
  bool enhanced_ = true;
};

class TMetafileCanvas : public TCanvas {
  DECLARE_CLASS(TMetafileCanvas, TCanvas)

public:
  TMetafileCanvas(TMetafile* metafile, HDC referenceDevice);
  // With a description ("creator\0title") stored in the metafile's header.
  TMetafileCanvas(TMetafile* metafile, HDC referenceDevice, const AnsiString& creator, const AnsiString& title);
  ~TMetafileCanvas() override;

private:
  TMetafile* metafile_;
};
