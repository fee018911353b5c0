#include "classlib/stdctrls/paintbox.h"

BEGIN_PUBLISHED(TPaintBox)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Constraints, Constraints, SetConstraints),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnPaint, OnPaint, OnPaint),
END_PUBLISHED

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = FControlStyle + TControlStyle{csReplicatable};
  SetBounds(0, 0, 105, 105);
}

// The canvas comes with the control's font and colour; at design time an
// outline shows where the box is.
void TPaintBox::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  canvas.Brush().SetColor(Color());
  if (ComponentState().Contains(csDesigning)) {
    canvas.Pen().SetStyle(psDash);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(0, 0, Width(), Height());
  }
  if (OnPaint)
    OnPaint(this);
}
