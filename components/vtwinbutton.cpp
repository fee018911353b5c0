#include "components/vtwinbutton.h"

#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/gradient.h"
#include "classlib/graphics/imagelist.h"

namespace {

constexpr TColor kDefaultRaiseCol = clWhite;
constexpr TColor kDefaultOverCol = clBlue;
constexpr int kFaceGradientSteps = 50;

TFillDirection FillDirectionOf(TVtGradient Gradient) {
  switch (Gradient) {
    case grBottomToTop: return fdBottomToTop;
    case grLeftToRight: return fdLeftToRight;
    case grRightToLeft: return fdRightToLeft;
    default: return fdTopToBottom;
  }
}

// Glyph and caption side by side, as the glyph's position says.
void PlaceGlyphAndCaption(TVtButtonContent& C, TPicPos Align, int W, int H, SIZE G, SIZE T, int o) {
  const int GW = G.cx, GH = G.cy, TW = T.cx, TH = T.cy;
  switch (Align) {
    case poLeft:
      C.CaptionPos = Point(W / 2 + (GW - TW) / 2 + o + 4, H / 2 + o - TH / 2);
      C.GlyphPos = Point(o + W / 2 - (GW + TW) / 2, H / 2 + o - GH / 2);
      break;
    case poRight: {
      const int X0 = W / 2 - (GW + TW) / 2 - 1;
      C.CaptionPos = Point(X0 + o, H / 2 + o - TH / 2);
      C.GlyphPos = Point(X0 + TW + o + 5, H / 2 + o - GH / 2);
      break;
    }
    case poTop: {
      const int X0 = W / 2 - GW / 2;
      const int Y0 = H / 2 - (GH + TH) / 2 - 2;
      C.GlyphPos = Point(X0 + o, Y0 + o);
      C.CaptionPos = Point(W / 2 + o - TW / 2, Y0 + GH + o + 3);
      break;
    }
    case poBottom: {
      // The glyph is centred across as it is above the caption.
      const int X0 = W / 2 - GW / 2;
      const int Y0 = H / 2 - (GH + TH) / 2 - 1;
      C.CaptionPos = Point(W / 2 + o - TW / 2, Y0 + o);
      C.GlyphPos = Point(X0 + o, Y0 + TH + o);
      break;
    }
  }
}

}  // namespace

TVtButtonContent PlaceButtonContent(TPicPos Align, int Width, int Height, SIZE Glyph, SIZE Text, bool ShowCaption,
                                    int Offset) {
  TVtButtonContent content;
  content.HasGlyph = Glyph.cx > 0 && Glyph.cy > 0;
  content.HasCaption = ShowCaption;
  const int o = Offset;
  if (content.HasGlyph && content.HasCaption) {
    PlaceGlyphAndCaption(content, Align, Width, Height, Glyph, Text, o);
  } else if (content.HasGlyph) {
    content.GlyphPos = Point(o + (Width - Glyph.cx) / 2, o + (Height - Glyph.cy) / 2);
  } else if (content.HasCaption) {
    content.CaptionPos = Point(Width / 2 + o - Text.cx / 2, Height / 2 + o - Text.cy / 2);
  }
  return content;
}

BEGIN_PUBLISHED(TVtWinButton)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(RaiseCol, RaiseCol, SetRaiseCol).TypeName("TColor").Default(kDefaultRaiseCol),
  PROPERTY(OverCol, OverCol, SetOverCol).TypeName("TColor").Default(kDefaultOverCol),
  PROPERTY(Glpyh, Glpyh, SetGlpyh),
  PROPERTY(GlphyAlign, GlphyAlign, SetGlphyAlign).Default(poLeft),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(DropDownMenu, DropDownMenu, SetDropDownMenu),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ModalResult, ModalResult, SetModalResult).Default(0),
  PROPERTY(GrayedFont, GrayedFont, SetGrayedFont),
  PROPERTY(ShowCaption, ShowCaption, SetShowCaption).Default(true),
  PROPERTY(Gradient, Gradient, SetGradient).Default(grNone),
  PROPERTY(GradStartCl, GradStartCl, SetGradStartCl).TypeName("TColor"),
  PROPERTY(GradEndCl, GradEndCl, SetGradEndCl).TypeName("TColor"),
  // Always "s1.06": nothing to write, and a stream that carries it reads.
  PROPERTY(About, About, SetAbout).Stored(false),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TVtWinButton::TVtWinButton(TComponent* AOwner)
    : TCustomControl(AOwner),
      FGlpyh(std::make_unique<TBitmap>()),
      FGrayedFont(std::make_unique<TFont>()),
      FImageChangeLink(std::make_unique<TChangeLink>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 100, 30);
  Font()->SetName("Arial");
  Font()->SetStyle(TFontStyles{fsBold});
  Font()->SetSize(8);
  Font()->SetColor(clBlack);
  FGrayedFont->SetName("Arial");
  FGrayedFont->SetStyle(TFontStyles{fsBold});
  FGrayedFont->SetSize(8);
  FGrayedFont->SetColor(clGrayText);
  SetShowHint(true);
  SetTabStop(true);
  SetParentColor(true);
  SetCursor(crHandPoint);
  FGrayedFont->OnChange = Method<&TVtWinButton::GrayedFontChanged>(this);
  FGlpyh->OnChange = Method<&TVtWinButton::GlyphChanged>(this);
  FImageChangeLink->OnChange = Method<&TVtWinButton::ImagesChanged>(this);
}

TVtWinButton::~TVtWinButton() {
  FGrayedFont->OnChange = TNotifyEvent();
  FGlpyh->OnChange = TNotifyEvent();
  if (FImageChangeLink->Sender() != nullptr)
    FImageChangeLink->Sender()->UnRegisterChanges(FImageChangeLink.get());
}

bool TVtWinButton::Designing() const { return ComponentState().Contains(csDesigning); }

AnsiString TVtWinButton::GetTanim() const {
  return "Düğme: renk geçişli ya da düz zeminli, resimli, açılır menülü ve pencere sonucu veren düğme.";
}

// ---- Painting -----------------------------------------------------------------
SIZE TVtWinButton::GlyphSize() {
  if (!FGlpyh->Empty())
    return SIZE{FGlpyh->Width(), FGlpyh->Height()};
  if (FImages != nullptr && FImageIndex >= 0 && FImageIndex < FImages->Count())
    return SIZE{FImages->Width(), FImages->Height()};
  return SIZE{0, 0};
}

TVtButtonContent TVtWinButton::Content(TCanvas& Canvas, int Offset) {
  const AnsiString caption = Caption();
  const bool showCaption = FShowCaption && !caption.empty();
  SIZE text{0, 0};
  if (showCaption) {
    Canvas.SetFont(*Font());
    text = Canvas.TextExtent(caption);
  }
  return PlaceButtonContent(FGlphyAlign, Width(), Height(), GlyphSize(), text, showCaption, Offset);
}

void TVtWinButton::PaintFace(TCanvas& Canvas) {
  const TRect face = Rect(1, 1, Width() - 1, Height() - 1);
  if (FGradient == grNone) {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Color());
    Canvas.FillRect(face);
    return;
  }
  GradientFillRect(Canvas, face, FGradStartCl, FGradEndCl, FillDirectionOf(FGradient), kFaceGradientSteps);
}

void TVtWinButton::PaintFrame(TCanvas& Canvas, const TRect& Rect) {
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(clBlack);
  Canvas.FrameRect(Rect);
}

void TVtWinButton::PaintGlyph(TCanvas& Canvas, TPoint Pos) {
  if (!FGlpyh->Empty()) {
    // The glyph's see-through colour becomes the button colour.
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(FGlpyh->Width(), FGlpyh->Height());
    glyph.Canvas().Brush().SetColor(Color());
    glyph.Canvas().FillRect(Rect(0, 0, glyph.Width(), glyph.Height()));
    const COLORREF key = ColorToRGB(FGlpyh->TransparentColor());
    TransparentBlt(glyph.Canvas().Handle(), 0, 0, glyph.Width(), glyph.Height(), FGlpyh->Canvas().Handle(), 0, 0,
                   FGlpyh->Width(), FGlpyh->Height(), key);
    Canvas.Draw(Pos.x, Pos.y, glyph);
    return;
  }
  const bool enabled = Enabled() || Designing();
  FImages->Draw(Canvas, Pos.x, Pos.y, FImageIndex, enabled);
}

void TVtWinButton::PaintCaption(TCanvas& Canvas, TPoint Pos, TColor Color) {
  Canvas.SetFont(*Font());
  Canvas.Font().SetColor(Color);
  if (FGradient != grNone) {
    Canvas.Brush().SetStyle(bsClear);
  } else {
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(this->Color());
  }
  Canvas.TextOut(Pos.x, Pos.y, Caption());
}

void TVtWinButton::PaintContent(TCanvas& Canvas, int Offset, TColor CaptionColor) {
  const TVtButtonContent content = Content(Canvas, Offset);
  if (content.HasGlyph)
    PaintGlyph(Canvas, content.GlyphPos);
  if (content.HasCaption) {
    const TColor color = Enabled() || Designing() ? CaptionColor : FGrayedFont->Color();
    PaintCaption(Canvas, content.CaptionPos, color);
  }
}

void TVtWinButton::Paint() {
  TCanvas& canvas = *Canvas();
  const int w = Width(), h = Height();
  PaintFace(canvas);
  if (FPressed) {
    PaintContent(canvas, 2, FOverCol);
    PaintFrame(canvas, Rect(0, 0, w, h));
  } else {
    PaintFrame(canvas, Rect(0, 0, w, h));
    PaintFrame(canvas, Rect(0, 0, w - 1, h - 1));
    PaintContent(canvas, 0, Font()->Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FRaiseCol);
    canvas.FillRect(Rect(0, 0, 2, h - 1));
    canvas.FillRect(Rect(0, 0, w - 1, 2));
  }
  if (Focused() && TabStop() && !Designing()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.Font().SetColor(clBlack);
    canvas.DrawFocusRect(Rect(3, 3, w - 3, h - 3));
    PaintFrame(canvas, Rect(0, 0, w, h));
    if (!FPressed && FShowCaption) {
      const TVtButtonContent content = Content(canvas, 0);
      if (content.HasCaption && Enabled())
        PaintCaption(canvas, content.CaptionPos, FOverCol);
    }
  }
}

void TVtWinButton::PaintHoverCaption() {
  if (!HandleAllocated() || !FShowCaption)
    return;
  TCanvas& canvas = *Canvas();
  const TVtButtonContent content = Content(canvas, FPressed ? 2 : 0);
  if (content.HasCaption)
    PaintCaption(canvas, content.CaptionPos, FOverCol);
}

// ---- Mouse and keys --------------------------------------------------------------------
void TVtWinButton::MouseEnter() {
  TCustomControl::MouseEnter();
  if (!Enabled() || Designing())
    return;
  PaintHoverCaption();
  if (FMouseHeld)
    MouseDown(mbLeft, TShiftState{ssLeft}, 10, 10);
}

void TVtWinButton::MouseLeave() {
  TCustomControl::MouseLeave();
  FPressed = false;
  Invalidate();
}

void TVtWinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Designing())
    return;
  if (Button == mbLeft && TabStop() && CanFocus() && !Focused())
    SetFocus();
  if (Button == mbLeft && Enabled()) {
    FMouseHeld = true;
    FPressed = true;
    TCustomControl::MouseDown(Button, Shift, X, Y);
    Invalidate();
    if (FDropDownMenu != nullptr) {
      DropDown();
      MouseUp(mbLeft, Shift, X, Y);
    }
    return;
  }
  if (Button == mbRight && Enabled()) {
    auto* menu = PopupMenu();
    if (menu == nullptr)
      return;
    if (TCustomForm* form = GetParentForm(this); form != nullptr && form->HandleAllocated())
      SendMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
    menu->SetPopupComponent(this);
    const TPoint screen = ClientToScreen(Point(X, Y));
    menu->Popup(screen.x, screen.y);
  }
}

void TVtWinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool wasPressed = FPressed;
  FMouseHeld = false;
  FPressed = false;
  Invalidate();
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (wasPressed)
    Click();
}

void TVtWinButton::Release() {
  if (!FPressed && !FMouseHeld)
    return;
  FPressed = false;
  FMouseHeld = false;
  Invalidate();
}

void TVtWinButton::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == VK_RETURN) {
    if (FDropDownMenu != nullptr)
      DropDown();
    else
      Click();
  } else if (Key == VK_SPACE) {
    FPressed = true;
    Invalidate();
    if (FDropDownMenu != nullptr)
      DropDown();
  } else if (FPressed) {
    Release();
  }
}

void TVtWinButton::KeyUp(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  if (!FPressed)
    return;
  const bool click = Key == VK_SPACE && FDropDownMenu == nullptr;
  Release();
  if (click)
    Click();
}

void TVtWinButton::Click() {
  if (CanFocus())
    Release();
  if (TCustomForm* form = GetParentForm(this))
    form->SetModalResult(FModalResult);
  TCustomControl::Click();
}

void TVtWinButton::DropDown() {
  if (FDropDownMenu == nullptr)
    return;
  if (TCustomForm* form = GetParentForm(this); form != nullptr && form->HandleAllocated())
    SendMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
  FDropDownMenu->SetPopupComponent(this);
  const TPoint screen = ClientToScreen(Point(1, Height() + 1));
  FDropDownMenu->Popup(screen.x, screen.y);
}

// The right button shows the popup menu on its way down; the context menu
// message that follows it must not show it a second time. From the keyboard
// the menu shows as usual.
void TVtWinButton::WMContextMenu(TMessage& Message) {
  const bool fromKeyboard = Message.XPos() == -1 && Message.YPos() == -1;
  if (!fromKeyboard && PopupMenuComponent() != nullptr) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WMContextMenu(Message);
}

// Enter is the button's own key while it has the focus, not the form's.
void TVtWinButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_RETURN) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::Dispatch(Message);
      Release();
      Invalidate();
      return;
  }
  TCustomControl::Dispatch(Message);
}

void TVtWinButton::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TVtWinButton::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

// ---- Properties ----------------------------------------------------------------------
void TVtWinButton::SetRaiseCol(TColor Value) {
  FRaiseCol = Value;
  Invalidate();
}

void TVtWinButton::SetOverCol(TColor Value) { FOverCol = Value; }

void TVtWinButton::SetGlpyh(TBitmap* Value) {
  FGlpyh->Assign(Value);
  Invalidate();
}

void TVtWinButton::GlyphChanged(TObject*) { Invalidate(); }

void TVtWinButton::SetGlphyAlign(TPicPos Value) {
  if (Value == FGlphyAlign)
    return;
  FGlphyAlign = Value;
  Invalidate();
}

void TVtWinButton::SetImages(TImageList* Value) {
  // A list that is being freed has already dropped the link.
  if (FImageChangeLink->Sender() != nullptr)
    FImageChangeLink->Sender()->UnRegisterChanges(FImageChangeLink.get());
  FImages = Value;
  if (Value != nullptr) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  Invalidate();
}

void TVtWinButton::ImagesChanged(TObject*) { Invalidate(); }

void TVtWinButton::SetImageIndex(int Value) {
  if (Value == FImageIndex)
    return;
  FImageIndex = Value;
  Invalidate();
}

void TVtWinButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TVtWinButton::SetGrayedFont(TFont* Value) {
  if (Value != Font())
    FGrayedFont->Assign(Value);
  Invalidate();
}

void TVtWinButton::GrayedFontChanged(TObject*) { Invalidate(); }

void TVtWinButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption)
    return;
  FShowCaption = Value;
  Invalidate();
}

void TVtWinButton::SetGradient(TVtGradient Value) {
  if (Value == FGradient)
    return;
  FGradient = Value;
  Invalidate();
}

void TVtWinButton::SetGradStartCl(TColor Value) {
  if (Value == FGradStartCl)
    return;
  FGradStartCl = Value;
  Invalidate();
}

void TVtWinButton::SetGradEndCl(TColor Value) {
  if (Value == FGradEndCl)
    return;
  FGradEndCl = Value;
  Invalidate();
}

void TVtWinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FImages) {
    FImages = nullptr;
    if (!ComponentState().Contains(csDestroying))
      Invalidate();
  }
  if (AComponent == FDropDownMenu)
    FDropDownMenu = nullptr;
}
