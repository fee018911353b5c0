// The skin manager's animation options, edited in the form designer: which
// button events animate, and whether and how forms, dialogs, pages and a
// skin change are shown animated. Portable: no Win32.
#pragma once
#include <cstdint>

#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"

enum TacAnimType { atFading, atAero };
DOZURI_ENUM(TacAnimType, "atFading", "atAero");

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
DOZURI_ENUM(TacBtnEvent, "beMouseEnter", "beMouseLeave", "beMouseDown", "beMouseUp");
DOZURI_SET(TacBtnEvents, TacBtnEvent);

class TacBtnEffects : public TPersistent {
  DECLARE_CLASS(TacBtnEffects, TPersistent)

public:
  TacBtnEvents Events() const { return FEvents; }
  void SetEvents(TacBtnEvents Value) { FEvents = Value; }
  // The manager sets itself as the owner.
  TPersistent* Owner = nullptr;

private:
  TacBtnEvents FEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};
};

// One animation: on or off, its time in milliseconds and its kind.
class TacFormAnimation : public TPersistent {
  DECLARE_CLASS(TacFormAnimation, TPersistent)

public:
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  std::uint16_t Time() const { return FTime; }
  void SetTime(std::uint16_t Value) { FTime = Value; }
  TacAnimType Mode() const { return FMode; }
  void SetMode(TacAnimType Value) { FMode = Value; }

protected:
  bool FActive = true;
  std::uint16_t FTime = 0;
  TacAnimType FMode = atAero;
};

class TacFormShow : public TacFormAnimation {
  DECLARE_CLASS(TacFormShow, TacFormAnimation)
};
class TacFormHide : public TacFormAnimation {
  DECLARE_CLASS(TacFormHide, TacFormAnimation)
};
class TacPageChange : public TacFormAnimation {
  DECLARE_CLASS(TacPageChange, TacFormAnimation)
};
class TacDialogShow : public TacFormAnimation {
  DECLARE_CLASS(TacDialogShow, TacFormAnimation)
};
// A skin change fades the forms in over 100 ms.
class TacSkinChanging : public TacFormAnimation {
  DECLARE_CLASS(TacSkinChanging, TacFormAnimation)

public:
  TacSkinChanging() {
    FTime = 100;
    FMode = atFading;
  }
};

class TacAnimEffects : public TPersistent {
  DECLARE_CLASS(TacAnimEffects, TPersistent)

public:
  TacAnimEffects();
  ~TacAnimEffects() override;
  TacAnimEffects(const TacAnimEffects&) = delete;
  TacAnimEffects& operator=(const TacAnimEffects&) = delete;

  TacBtnEffects* Buttons() const { return FButtons; }
  TacDialogShow* DialogShow() const { return FDialogShow; }
  TacFormShow* FormShow() const { return FFormShow; }
  TacFormHide* FormHide() const { return FFormHide; }
  TacFormHide* DialogHide() const { return FDialogHide; }
  TacPageChange* PageChange() const { return FPageChange; }
  TacSkinChanging* SkinChanging() const { return FSkinChanging; }
  // The published objects are owned; the streaming reader fills them in place.
  void SetButtons(TacBtnEffects*) {}
  void SetDialogShow(TacDialogShow*) {}
  void SetFormShow(TacFormShow*) {}
  void SetFormHide(TacFormHide*) {}
  void SetDialogHide(TacFormHide*) {}
  void SetPageChange(TacPageChange*) {}
  void SetSkinChanging(TacSkinChanging*) {}

  // The manager sets itself as the owner of this object and its Buttons.
  TPersistent* Manager = nullptr;

private:
  TacBtnEffects* FButtons;
  TacDialogShow* FDialogShow;
  TacFormShow* FFormShow;
  TacFormHide* FFormHide;
  TacFormHide* FDialogHide;
  TacPageChange* FPageChange;
  TacSkinChanging* FSkinChanging;
};
