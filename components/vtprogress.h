// TVTProgress: a windowless bar that shows Position between 0 and Max, filled
// in two plain colours or with two pictures, with a centred text ("Statement",
// optionally the position and maximum, then the percentage) drawn inverting
// so that it reads over the filled and the empty part alike. It paints
// through an off-screen bitmap.
#pragma once
#include <memory>

#include "classlib/controls/control.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"

// Fill direction: vtVertical fills across the width from the left,
// vtHorizontal upward from the bottom.
enum TOreiention { vtHorizontal, vtVertical };
DOZURI_ENUM(TOreiention, "vtHorizontal", "vtVertical");

class TVTProgress : public TGraphicControl {
  DECLARE_CLASS(TVTProgress, TGraphicControl)

public:
  explicit TVTProgress(TComponent* AOwner);
  ~TVTProgress() override;

  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TColor ForeColor() const { return FForeColor; }
  void SetForeColor(TColor Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  double Position() const { return FPosition; }
  void SetPosition(double Value);
  double Max() const { return FMax; }
  void SetMax(double Value);
  double Min() const { return FMin; }
  void SetMin(double Value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);
  TBitmap* BackImage() const { return FBackImage.get(); }
  void SetBackImage(TBitmap* Value);
  TBitmap* ForeImage() const { return FForeImage.get(); }
  void SetForeImage(TBitmap* Value);
  TOreiention Oriention() const { return FOriention; }
  void SetOriention(TOreiention Value);
  const AnsiString& Statement() const { return FStatement; }
  void SetStatement(const AnsiString& Value);
  bool ShowPosition() const { return FShowPosition; }
  void SetShowPosition(bool Value);
  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.03"; }
  void SetAbout(const AnsiString&) {}

  // The percentage rounded to a whole number.
  int GetPosition() const;
  // A short description of the component.
  AnsiString GetTanim() const;
  // The text the bar shows (when ShowText).
  AnsiString BarText() const;

protected:
  void Paint() override;

private:
  // Position as a percentage of Max, kept within 0..100 (0 when Max <= 0).
  double Percentage() const;
  void PaintFrame(TCanvas& Canvas, TRect& Bar);
  void PaintColours(TCanvas& Canvas, const TRect& Bar, double Fill);
  void PaintPictures(TCanvas& Canvas, const TRect& Bar, double Fill);
  void PaintText(TBitmap& Bar);
  void PictureChanged(TBitmap& Picture);

  TColor FBackColor = static_cast<TColor>(0xFFFFFF);
  TColor FForeColor = static_cast<TColor>(0xFF0000);
  TBorderStyle FBorderStyle = bsSingle;
  bool FCtl3D = true;
  double FPosition = 0;
  double FMax = 100;
  double FMin = 0;
  bool FShowText = true;
  std::unique_ptr<TBitmap> FBackImage;
  std::unique_ptr<TBitmap> FForeImage;
  TOreiention FOriention = vtVertical;
  AnsiString FStatement;
  bool FShowPosition = false;
};
