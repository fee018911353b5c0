#include "skin/core/animeffects.h"

BEGIN_PUBLISHED(TacBtnEffects)
  PROPERTY(Events, Events, SetEvents).Default(TacBtnEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp}),
END_PUBLISHED

BEGIN_PUBLISHED(TacFormAnimation)
  PROPERTY(Active, Active, SetActive).Default(true),
  PROPERTY(Time, Time, SetTime).Default(0),
END_PUBLISHED

BEGIN_PUBLISHED(TacFormShow)
  PROPERTY(Mode, Mode, SetMode).Default(atAero),
END_PUBLISHED

BEGIN_PUBLISHED(TacFormHide)
  PROPERTY(Mode, Mode, SetMode).Default(atAero),
END_PUBLISHED

IMPLEMENT_CLASS(TacPageChange)

BEGIN_PUBLISHED(TacDialogShow)
  PROPERTY(Mode, Mode, SetMode).Default(atAero),
END_PUBLISHED

// Time is the base class's property: its stored default stays 0, so a skin
// change's 100 ms are written out.
BEGIN_PUBLISHED(TacSkinChanging)
  PROPERTY(Mode, Mode, SetMode).Default(atFading),
END_PUBLISHED

BEGIN_PUBLISHED(TacAnimEffects)
  PROPERTY(Buttons, Buttons, SetButtons),
  PROPERTY(DialogShow, DialogShow, SetDialogShow),
  PROPERTY(FormShow, FormShow, SetFormShow),
  PROPERTY(FormHide, FormHide, SetFormHide),
  PROPERTY(DialogHide, DialogHide, SetDialogHide),
  PROPERTY(PageChange, PageChange, SetPageChange),
  PROPERTY(SkinChanging, SkinChanging, SetSkinChanging),
END_PUBLISHED

TacAnimEffects::TacAnimEffects()
    : FButtons(new TacBtnEffects),
      FDialogShow(new TacDialogShow),
      FFormShow(new TacFormShow),
      FFormHide(new TacFormHide),
      FDialogHide(new TacFormHide),
      FPageChange(new TacPageChange),
      FSkinChanging(new TacSkinChanging) {}

TacAnimEffects::~TacAnimEffects() {
  delete FSkinChanging;
  delete FPageChange;
  delete FDialogHide;
  delete FFormHide;
  delete FFormShow;
  delete FDialogShow;
  delete FButtons;
}
