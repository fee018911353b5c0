// TIcon: an icon from an ICO file. Of the file's images the one nearest the
// wanted size (SetSize; the system icon size by default) becomes the handle;
// the file itself is kept and saved again unchanged. An icon given as a
// handle is saved as a one-image 32-bit ICO file.
#pragma once
#include "classlib/graphics/graphic.h"

class TIcon : public TGraphic {
  DECLARE_CLASS(TIcon, TGraphic)

public:
  TIcon();
  ~TIcon() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;

  bool Empty() override { return handle_ == nullptr && data_.empty(); }
  int Width() override { return width_; }
  int Height() override { return height_; }
  // The wanted size; an icon loaded from a file picks its image again.
  void SetWidth(int value) override { SetSize(value, wantedHeight_); }
  void SetHeight(int value) override { SetSize(wantedWidth_, value); }
  void SetSize(int width, int height);

  HICON Handle();
  // Adopts an icon; this object destroys it.
  void SetHandle(HICON icon);
  HICON ReleaseHandle();

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

private:
  void FreeHandle();
  void PickImage();
  std::vector<std::uint8_t> IcoFromHandle();

  HICON handle_ = nullptr;
  std::vector<std::uint8_t> data_;  // the ICO file the icon came from
  int width_ = 0;
  int height_ = 0;
  int wantedWidth_;
  int wantedHeight_;
};
