// TVtWinButton: a windowed button that paints itself. A flat face in the
// button's colour or a gradient, a two-pixel highlight on the left and top
// edges, a black frame, an optional glyph (a bitmap, or an image of an image
// list) on one of four sides of the caption, a hover colour for the caption,
// a sunken look while pressed, a drop-down menu and a modal result that goes
// to the form it sits on with every click.
#pragma once
#include <memory>

#include "classlib/controls/customcontrol.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/font.h"

class TChangeLink;
class TImageList;
class TPopupMenu;

// Where the glyph sits relative to the caption.
enum TPicPos { poLeft, poRight, poTop, poBottom };
DOZURI_ENUM(TPicPos, "poLeft", "poRight", "poTop", "poBottom");

// How the face is filled: the button colour, or a gradient running the
// named way from GradStartCl to GradEndCl.
enum TVtGradient { grNone, grTopToBottom, grBottomToTop, grLeftToRight, grRightToLeft };
DOZURI_ENUM(TVtGradient, "grNone", "grTopToBottom", "grBottomToTop", "grLeftToRight", "grRightToLeft");

// Where the glyph and the caption of a button go (client coordinates of
// their top left corners); a part that is not drawn has Has... false.
struct TVtButtonContent {
  bool HasGlyph = false;
  bool HasCaption = false;
  TPoint GlyphPos{};
  TPoint CaptionPos{};
};

// Places a glyph of Glyph's size (0 x 0: none) and a caption of Text's size
// (ShowCaption false: none) in a button of Width x Height, shifted by
// Offset pixels right and down (2 while pressed). Glyph and caption are
// placed side by side as Align says; either alone is centred. Divisions
// truncate.
TVtButtonContent PlaceButtonContent(TPicPos Align, int Width, int Height, SIZE Glyph, SIZE Text, bool ShowCaption,
                                    int Offset);

class TVtWinButton : public TCustomControl {
  DECLARE_CLASS(TVtWinButton, TCustomControl)

public:
  explicit TVtWinButton(TComponent* AOwner);
  ~TVtWinButton() override;

  TColor RaiseCol() const { return FRaiseCol; }
  void SetRaiseCol(TColor Value);
  TColor OverCol() const { return FOverCol; }
  void SetOverCol(TColor Value);
  // The glyph picture; its transparent colour shows as the button colour.
  TBitmap* Glpyh() const { return FGlpyh.get(); }
  void SetGlpyh(TBitmap* Value);
  TPicPos GlphyAlign() const { return FGlphyAlign; }
  void SetGlphyAlign(TPicPos Value);
  // The glyph when Glpyh is empty: Images[ImageIndex].
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // Dropped down under the button by a left click, Enter or Space.
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  // Given to the form the button is on at every click, 0 included.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Its colour is the caption's colour while the button is disabled.
  TFont* GrayedFont() const { return FGrayedFont.get(); }
  void SetGrayedFont(TFont* Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  TVtGradient Gradient() const { return FGradient; }
  void SetGradient(TVtGradient Value);
  TColor GradStartCl() const { return FGradStartCl; }
  void SetGradStartCl(TColor Value);
  TColor GradEndCl() const { return FGradEndCl; }
  void SetGradEndCl(TColor Value);
  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.06"; }
  void SetAbout(const AnsiString&) {}
  // A short description of the component.
  AnsiString GetTanim() const;

  // Drawn sunken (a click or Space is under way).
  bool Pressed() const { return FPressed; }

  void Click() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void WMContextMenu(TMessage& Message) override;
  // Opens the drop-down menu under the button; returns once it has closed.
  virtual void DropDown();

private:
  bool Designing() const;
  // The glyph's size, 0 x 0 when there is none to draw.
  SIZE GlyphSize();
  TVtButtonContent Content(TCanvas& Canvas, int Offset);
  void PaintFace(TCanvas& Canvas);
  void PaintFrame(TCanvas& Canvas, const TRect& Rect);
  void PaintContent(TCanvas& Canvas, int Offset, TColor CaptionColor);
  void PaintGlyph(TCanvas& Canvas, TPoint Pos);
  void PaintCaption(TCanvas& Canvas, TPoint Pos, TColor Color);
  // Draws the caption in OverCol straight onto the window (hover).
  void PaintHoverCaption();
  void Release();
  void ImagesChanged(TObject* Sender);
  void GrayedFontChanged(TObject* Sender);
  void GlyphChanged(TObject* Sender);

  TColor FRaiseCol = clWhite;
  TColor FOverCol = clBlue;
  std::unique_ptr<TBitmap> FGlpyh;
  TPicPos FGlphyAlign = poLeft;
  TImageList* FImages = nullptr;
  int FImageIndex = -1;
  TPopupMenu* FDropDownMenu = nullptr;
  TModalResult FModalResult = mrNone;
  std::unique_ptr<TFont> FGrayedFont;
  bool FShowCaption = true;
  TVtGradient FGradient = grNone;
  TColor FGradStartCl = clBlack;
  TColor FGradEndCl = clBlack;
  std::unique_ptr<TChangeLink> FImageChangeLink;

  bool FPressed = false;
  bool FMouseHeld = false;
};
