#include "components/vtformheader.h"

#include "classlib/classes/typinfo.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/gradient.h"
#include "classlib/graphics/imagelist.h"
#include "skin/core/skinmanager.h"

namespace {

constexpr TColor kDefaultStartColor = static_cast<TColor>(0xCE9363);
constexpr TColor kDefaultEndColor = static_cast<TColor>(0xFFEFE5);
constexpr int kGradientSteps = 50;
constexpr int kTitleLeft = 40;
constexpr int kImageLeft = 5;
constexpr int kMarkLeft = 15;
constexpr int kMarkSize = 20;

AnsiString WithoutAccelerators(const AnsiString& Caption) {
  AnsiString result;
  for (char c : Caption)
    if (c != '&')
      result += c;
  return result;
}

}  // namespace

BEGIN_PUBLISHED(TVTFormHeader)
  PROPERTY(StartColor, StartColor, SetStartColor).TypeName("TColor").Default(kDefaultStartColor),
  PROPERTY(EndColor, EndColor, SetEndColor).TypeName("TColor").Default(kDefaultEndColor),
  PROPERTY(Title, Title, SetTitle),
  PROPERTY(TitleFont, TitleFont, SetTitleFont),
  // Always "s1.02": nothing to write, and a stream that carries it reads.
  PROPERTY(About, About, SetAbout).Stored(false),
  PROPERTY(ImageList, ImageList, SetImageList),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(MenuItem, MenuItem, SetMenuItem),
END_PUBLISHED

TVTFormHeader::TVTFormHeader(TComponent* AOwner)
    : TsPanel(AOwner), FTitleFont(std::make_unique<TFont>()), FImageChangeLink(std::make_unique<TChangeLink>()) {
  FTitle = Caption();
  SetCaption(" ");
  SetBevelOuter(bvLowered);
  SetBevelWidth(2);
  SetHeight(30);
  SetAlign(alTop);
  FTitleFont->SetName("MS Sans Serif");
  FTitleFont->SetStyle(TFontStyles{fsBold});
  FTitleFont->SetSize(14);
  FTitleFont->SetColor(clWhite);
  FTitleFont->OnChange = Method<&TVTFormHeader::TitleFontChanged>(this);
  FImageChangeLink->OnChange = Method<&TVTFormHeader::ImageListChanged>(this);
  OnPaint = Method<&TVTFormHeader::SkinPaint>(this);
}

TVTFormHeader::~TVTFormHeader() { FTitleFont->OnChange = TNotifyEvent(); }

// ---- Painting -----------------------------------------------------------------
// The gradient leaves the outer line of the left and top bevel and the
// bottom bevel showing; on the right it runs two pixels past the client
// area (clipped), over the bevel.
void TVTFormHeader::Paint() {
  TsPanel::Paint();
  TCanvas& canvas = *Canvas();
  TRect area = ClientRect();
  area.left += 1;
  area.top += 1;
  area.right += 2;
  area.bottom -= 2;
  GradientFillRect(canvas, area, FStartColor, FEndColor, fdLeftToRight, kGradientSteps);
  canvas.SetFont(*FTitleFont);
  canvas.Brush().SetStyle(bsClear);
  // The title label, while there is one, shows the title itself.
  if (FTitleLabel == nullptr)
    canvas.TextOut(kTitleLeft, (Height() - canvas.TextHeight("A")) / 2, FTitle);
  PaintMark(canvas);
}

void TVTFormHeader::PaintMark(TCanvas& Canvas) {
  if (FImageList != nullptr && FImageIndex >= 0) {
    FImageList->Draw(Canvas, kImageLeft, Height() / 2 - FImageList->Height() / 2, FImageIndex);
    return;
  }
  const int top = (Height() - kMarkSize) / 2;
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(FEndColor);
  Canvas.Pen().SetColor(FEndColor);
  Canvas.Ellipse(kMarkLeft, top, kMarkLeft + kMarkSize, top + kMarkSize);
}

// With an active skin manager the title label is kept and the mark is drawn
// on the skinned background; without one the handler frees the label and
// removes itself, and the repaint it asks for is the plain one.
void TVTFormHeader::SkinPaint(TObject*, TCanvas* Canvas) {
  TsSkinManager* manager = SkinData()->SkinManager();
  if (manager == nullptr || !manager->Active()) {
    FreeTitleLabel();
    OnPaint = TPaintEvent();
    Invalidate();
    return;
  }
  UpdateTitleLabel();
  PaintMark(*Canvas);
}

// Only what differs is set, so a paint that calls this changes nothing once
// the label is in place and asks for no further painting.
void TVTFormHeader::UpdateTitleLabel() {
  if (FTitleLabel == nullptr) {
    FTitleLabel = new TLabel(this);
    FTitleLabel->SetTransparent(true);
    FTitleLabel->SetAutoSize(true);
    FTitleLabel->Font()->Assign(FTitleFont.get());
    FTitleLabel->SetCaption(FTitle);
    FTitleLabel->SetParent(this);
  }
  if (FTitleLabel->Caption() != FTitle)
    FTitleLabel->SetCaption(FTitle);
  const TFont& font = *FTitleLabel->Font();
  if (font.Name() != FTitleFont->Name() || font.Size() != FTitleFont->Size() ||
      font.Style() != FTitleFont->Style() || font.Color() != FTitleFont->Color())
    FTitleLabel->Font()->Assign(FTitleFont.get());
  const int top = (Height() - FTitleLabel->Height()) / 2;
  if (FTitleLabel->Left() != kTitleLeft || FTitleLabel->Top() != top)
    FTitleLabel->SetBounds(kTitleLeft, top, FTitleLabel->Width(), FTitleLabel->Height());
}

void TVTFormHeader::FreeTitleLabel() {
  if (FTitleLabel == nullptr)
    return;
  TLabel* label = FTitleLabel;
  FTitleLabel = nullptr;
  label->Free();
}

// ---- Properties -------------------------------------------------------------------
void TVTFormHeader::SetStartColor(TColor Value) {
  if (Value == FStartColor)
    return;
  FStartColor = Value;
  Repaint();
}

void TVTFormHeader::SetEndColor(TColor Value) {
  if (Value == FEndColor)
    return;
  FEndColor = Value;
  Repaint();
}

void TVTFormHeader::SetTitle(const AnsiString& Value) {
  if (Value == FTitle)
    return;
  FTitle = Value;
  if (FTitleLabel != nullptr)
    FTitleLabel->SetCaption(FTitle);
  Repaint();
  if (OnTitleChanged)
    OnTitleChanged(this);
}

void TVTFormHeader::SetTitleFont(TFont* Value) {
  FTitleFont->Assign(Value);
  Invalidate();
}

void TVTFormHeader::TitleFontChanged(TObject*) {
  if (FTitleLabel != nullptr)
    FTitleLabel->Font()->Assign(FTitleFont.get());
  Invalidate();
}

void TVTFormHeader::SetImageIndex(TImageIndex Value) {
  if (Value == FImageIndex)
    return;
  FImageIndex = Value;
  Invalidate();
  if (OnImageIndexChanged)
    OnImageIndexChanged(this);
}

void TVTFormHeader::SetImageList(TImageList* Value) {
  // A list that is being freed has already dropped the link.
  if (FImageChangeLink->Sender() != nullptr)
    FImageChangeLink->Sender()->UnRegisterChanges(FImageChangeLink.get());
  FImageList = Value;
  if (Value != nullptr) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  if (Visible())
    Repaint();
}

void TVTFormHeader::ImageListChanged(TObject*) {
  if (Visible())
    Repaint();
}

void TVTFormHeader::SetMenuItem(TMenuItem* Value) {
  FMenuItem = Value;
  if (Value == nullptr)
    return;
  Value->FreeNotification(this);
  SetImageIndex(Value->ImageIndex());
  SetTitle(WithoutAccelerators(Value->Caption()));
}

void TVTFormHeader::Notification(TComponent* AComponent, TOperation Operation) {
  TsPanel::Notification(AComponent, Operation);
  if (Operation != opRemove || ComponentState().Contains(csDestroying))
    return;
  if (AComponent == FTitleLabel)
    FTitleLabel = nullptr;
  if (AComponent == FImageList)
    SetImageList(nullptr);
  if (AComponent == FMenuItem)
    SetMenuItem(nullptr);
}

// ---- Operations -------------------------------------------------------------------
// The images are taken without listening to the list's changes; a removal
// notice is still asked for, so that the header never keeps a freed list.
void TVTFormHeader::AssignComponent(TVTFormHeader* Source, bool WithImages) {
  if (Source == nullptr)
    return;
  FTitleFont->SetColor(Source->TitleFont()->Color());
  SetStartColor(Source->StartColor());
  SetEndColor(Source->EndColor());
  if (!WithImages)
    return;
  FImageList = Source->ImageList();
  if (FImageList != nullptr)
    FImageList->FreeNotification(this);
  FImageIndex = Source->ImageIndex();
  Invalidate();
}

AnsiString TVTFormHeader::GetTanim() const {
  return "Form başlığı: renk geçişli zemin üzerinde başlık yazısı ve simge gösteren panel.";
}
