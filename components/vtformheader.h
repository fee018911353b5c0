// TVTFormHeader: the title strip at the top of the program's windows. A
// 30-pixel panel aligned to the top, painted with a horizontal gradient from
// StartColor to EndColor, the title in TitleFont at the left, and left of it
// either an image of ImageList or a round mark in EndColor.
//
// It is a skinned panel; as long as no active skin manager exists it paints
// itself in this plain way only (its skin handler removes itself from
// OnPaint on the first paint). With an active manager the panel's skin is
// the background, a transparent label in the title font shows the title and
// the handler draws the image or the round mark over the skin.
#pragma once
#include <memory>

#include "classlib/graphics/colors.h"
#include "classlib/graphics/font.h"
#include "skin/controls/spanel.h"

class TChangeLink;
class TImageList;
class TLabel;
class TMenuItem;

// An index into an image list; below 0 means no image.
using TImageIndex = int;

class TVTFormHeader : public TsPanel {
  DECLARE_CLASS(TVTFormHeader, TsPanel)

public:
  explicit TVTFormHeader(TComponent* AOwner);
  ~TVTFormHeader() override;

  TColor StartColor() const { return FStartColor; }
  void SetStartColor(TColor Value);
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value);
  const AnsiString& Title() const { return FTitle; }
  void SetTitle(const AnsiString& Value);
  TFont* TitleFont() const { return FTitleFont.get(); }
  void SetTitleFont(TFont* Value);
  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.02"; }
  void SetAbout(const AnsiString&) {}
  TImageList* ImageList() const { return FImageList; }
  void SetImageList(TImageList* Value);
  TImageIndex ImageIndex() const { return FImageIndex; }
  void SetImageIndex(TImageIndex Value);
  // The header takes over the item's image index and its caption (without
  // the "&" accelerator marks) as its title.
  TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* Value);

  // Copies the title font colour and both gradient colours of Source and,
  // with WithImages, its image list and image index (without listening to
  // that list's changes).
  void AssignComponent(TVTFormHeader* Source, bool WithImages);
  // A short description of the component.
  AnsiString GetTanim() const;

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // The label that shows the title under an active skin manager; nullptr
  // without one.
  TLabel* TitleLabel() const { return FTitleLabel; }

  // Called after Title changed, and after ImageIndex changed.
  TNotifyEvent OnTitleChanged;
  TNotifyEvent OnImageIndexChanged;

protected:
  void Paint() override;

private:
  // The skin handler in OnPaint: without an active skin manager it takes
  // itself out, so that only the plain painting runs from then on.
  void SkinPaint(TObject* Sender, TCanvas* Canvas);
  // The image of ImageIndex, or the round mark when there is none to show.
  void PaintMark(TCanvas& Canvas);
  // Makes the title label when missing and gives it the title, the title
  // font and its place: left 40, centred in the height.
  void UpdateTitleLabel();
  void FreeTitleLabel();
  void ImageListChanged(TObject* Sender);
  void TitleFontChanged(TObject* Sender);

  TColor FStartColor = static_cast<TColor>(0xCE9363);
  TColor FEndColor = static_cast<TColor>(0xFFEFE5);
  AnsiString FTitle;
  std::unique_ptr<TFont> FTitleFont;
  TImageList* FImageList = nullptr;
  TImageIndex FImageIndex = -1;
  TMenuItem* FMenuItem = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TLabel* FTitleLabel = nullptr;
};
