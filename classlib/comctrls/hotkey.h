// The hot key field over comctl32's hot key class: it shows and takes a
// key with its modifiers, as a shortcut value of the menus.
#pragma once
#include "classlib/controls/wincontrol.h"
#include "classlib/forms/shortcuts.h"

enum THKModifier { hkShift, hkCtrl, hkAlt, hkExt };
DOZURI_ENUM(THKModifier, "hkShift", "hkCtrl", "hkAlt", "hkExt");
DOZURI_SET(THKModifiers, THKModifier);
enum THKInvalidKey { hcNone, hcShift, hcCtrl, hcAlt, hcShiftCtrl, hcShiftAlt, hcCtrlAlt, hcShiftCtrlAlt };
DOZURI_ENUM(THKInvalidKey, "hcNone", "hcShift", "hcCtrl", "hcAlt", "hcShiftCtrl", "hcShiftAlt", "hcCtrlAlt",
            "hcShiftCtrlAlt");
DOZURI_SET(THKInvalidKeys, THKInvalidKey);

class THotKey : public TWinControl {
  DECLARE_CLASS(THotKey, TWinControl)

public:
  explicit THotKey(TComponent* AOwner);

  // The key and its Shift/Ctrl/Alt as a shortcut (scShift, scCtrl, scAlt).
  TShortCut HotKey() const;
  void SetHotKey(TShortCut Value);
  // The modifiers added to a key typed with an invalid combination.
  THKModifiers Modifiers() const { return FModifiers; }
  void SetModifiers(THKModifiers Value);
  THKInvalidKeys InvalidKeys() const { return FInvalidKeys; }
  void SetInvalidKeys(THKInvalidKeys Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

private:
  void UpdateRules();

  TShortCut FHotKey = scAlt | 'A';  // while there is no window
  THKModifiers FModifiers{hkAlt};
  THKInvalidKeys FInvalidKeys{hcNone, hcShift};
};
