// TPNGGraphic: a bitmap that loads PNG files. The decoded image becomes an
// ordinary DIB-section bitmap (1, 4, 8, 24 or 32 bits per pixel; 32-bit
// images keep straight alpha in the fourth byte) and 32-bit images draw with
// their per-pixel alpha.
//
// The class is registered with TPicture for the extension "png". Inside a
// component stream (a picture's "Data") the graphic's data is the PNG file
// it was loaded from, kept byte for byte and written back unchanged.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "support/png/pngreader.h"

class TPNGGraphic : public TBitmap {
  DECLARE_CLASS(TPNGGraphic, TBitmap)

public:
  TPNGGraphic();

  // Copies the header information and the PNG file of another PNG graphic,
  // then the bitmap.
  void Assign(TPersistent* Source) override;
  // 32-bit images blend with their straight alpha over the canvas through
  // the skin library's alpha drawing (stretched when r is not the image's
  // size, reflected below it when Reflected); others draw as a bitmap.
  void Draw(TCanvas& canvas, const RECT& r) override;

  // Decodes the PNG that starts at the stream's position; the stream then
  // stands just behind the IEND chunk.
  void LoadFromStream(TStream& stream) override;
  // Writes the PNG file the image came from; an image that came from no PNG
  // file is saved as a bitmap.
  void SaveToStream(TStream& stream) override;
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;
  // A PNG file stored as an RCDATA resource of the module.
  void LoadFromResourceName(HINSTANCE instance, const AnsiString& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

  const acpng::TPngHeaderInfo& HeaderInfo() const { return header_; }
  // The PNG file of the last successful load (empty when there was none).
  const std::vector<std::uint8_t>& PngData() const { return pngData_; }

  // Draw adds a mirrored reflection below an image drawn at its own size.
  bool Reflected() const { return reflected_; }
  void SetReflected(bool value) { reflected_ = value; }

private:
  void TakeImage(const acpng::TPngImage& image);
  void StretchWithAlpha(TBitmap& stretched, int width, int height);
  void ReportProgress(acpng::TProgressStage stage, int percent, bool redraw, const acpng::TProgressRect& rect,
                      const char* message);

  acpng::TPngHeaderInfo header_;
  std::vector<std::uint8_t> pngData_;
  bool reflected_ = false;
};

// Registers TPNGGraphic with TPicture for "png" unless it is already. The
// unit does so at start-up; a program calls it at its start so the unit is
// part of it (a library unit nothing calls is left out when linking).
void RegisterPngFormat();
