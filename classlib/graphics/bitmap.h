// TBitmap: a bitmap held as a DIB section (or, for pfDevice, a bitmap of the
// screen's format), with a canvas to draw on it.
//
// Changing PixelFormat converts the existing pixels (24 -> 32 bit leaves the
// alpha bytes 0); changing Width or Height keeps the format and the colour
// table and the pixels that still fit; new area is white. ScanLine(y) points
// at row y whichever way the rows lie in memory, so the distance from one row
// to the next is negative for bottom-up DIBs.
#pragma once
#include <memory>

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/dib.h"
#include "classlib/graphics/graphic.h"

DOZURI_ENUM(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit", "pf32bit",
            "pfCustom");

enum TBitmapHandleType { bmDIB, bmDDB };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
  DECLARE_CLASS(TBitmap, TGraphic)

public:
  TBitmap();
  ~TBitmap() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;

  bool Empty() override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  void SetWidth(int value) override { SetSize(value, height_); }
  void SetHeight(int value) override { SetSize(width_, value); }
  void SetSize(int width, int height);

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;
  void LoadFromResourceName(HINSTANCE instance, const AnsiString& name);
  void LoadFromResourceID(HINSTANCE instance, int id);
  // A packed DIB (info header, colour table, pixels), as resources and the
  // clipboard hold bitmaps.
  void LoadFromPackedDib(const std::uint8_t* data, std::size_t size);

  TCanvas& Canvas();

  HBITMAP Handle();
  // Adopts a bitmap (DIB section or device bitmap); this bitmap deletes it.
  void SetHandle(HBITMAP bitmap);
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Gives up the bitmap handle to the caller; a new blank image of the same
  // size and format is made when one is needed again.
  HBITMAP ReleaseHandle();
  TBitmapHandleType HandleType() const { return ddb_ ? bmDDB : bmDIB; }
  void SetHandleType(TBitmapHandleType value);

  TPixelFormat PixelFormat() const { return format_; }
  void SetPixelFormat(TPixelFormat value);
  bool Monochrome() const;
  void SetMonochrome(bool value);
  // The palette of a palette format (made from the colour table; owned by
  // the bitmap), else nullptr unless one was set.
  HPALETTE Palette();
  // Takes over a palette: its entries become the colour table.
  void SetPalette(HPALETTE palette);

  void* ScanLine(int y);
  // True when the DIB's first row in memory is the top row.
  bool TopDown() const { return dib_.TopDown; }

  TColor TransparentColor();
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode value);

  // Keeps the image as BMP bytes only and frees the GDI objects; the next use
  // makes them again.
  void Dormant();
  // Drops the kept BMP bytes while a handle holds the image.
  void FreeImage();

protected:
  void Changed(TObject* sender) override;

private:
  friend class TBitmapCanvas;
  void HandleNeeded();
  void FreeHandles();
  void FreeCanvasHandle();
  void AdoptDib(const DibFormat& format, DibSection section);
  void LoadParsed(const struct ParsedDib& parsed);
  void LoadBmpBytes(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> BmpBytes();
  // A new image of that format and size with the old pixels copied in.
  void Rebuild(TPixelFormat format, int width, int height, std::vector<RGBQUAD> colors);
  void CanvasChanged(TObject* sender);

  HBITMAP handle_ = nullptr;
  void* bits_ = nullptr;
  bool ddb_ = false;
  DibFormat dib_;
  TPixelFormat format_ = pfDevice;
  int width_ = 0;
  int height_ = 0;
  HPALETTE palette_ = nullptr;
  std::vector<std::uint8_t> dormant_;
  std::unique_ptr<TCanvas> canvas_;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
};
