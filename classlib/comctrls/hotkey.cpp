#include "classlib/comctrls/hotkey.h"

#include "classlib/comctrls/comctrls.h"

BEGIN_PUBLISHED(THotKey)
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(HotKey, HotKey, SetHotKey).Default(scAlt | 'A'),
  PROPERTY(InvalidKeys, InvalidKeys, SetInvalidKeys).Default(THKInvalidKeys{hcNone, hcShift}),
  PROPERTY(Modifiers, Modifiers, SetModifiers).Default(THKModifiers{hkAlt}),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
END_PUBLISHED

namespace {

// The shortcut's modifiers as the window's HOTKEYF_ flags and back.
WORD ShortCutToHotKey(TShortCut Value) {
  BYTE flags = 0;
  if (Value & scShift)
    flags |= HOTKEYF_SHIFT;
  if (Value & scCtrl)
    flags |= HOTKEYF_CONTROL;
  if (Value & scAlt)
    flags |= HOTKEYF_ALT;
  return MAKEWORD(Value & 0xFF, flags);
}

TShortCut HotKeyToShortCut(WORD Value) {
  TShortCut result = LOBYTE(Value);
  BYTE flags = HIBYTE(Value);
  if (flags & HOTKEYF_SHIFT)
    result |= scShift;
  if (flags & HOTKEYF_CONTROL)
    result |= scCtrl;
  if (flags & HOTKEYF_ALT)
    result |= scAlt;
  return result;
}

}  // namespace

THotKey::THotKey(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 19);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void THotKey::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_HOTKEY_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, HOTKEY_CLASSW);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void THotKey::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateRules();
  SendMessageW(FHandle, HKM_SETHOTKEY, ShortCutToHotKey(FHotKey), 0);
}

void THotKey::DestroyWnd() {
  FHotKey = HotKey();
  TWinControl::DestroyWnd();
}

TShortCut THotKey::HotKey() const {
  if (FHandle != nullptr)
    return HotKeyToShortCut(static_cast<WORD>(SendMessageW(FHandle, HKM_GETHOTKEY, 0, 0)));
  return FHotKey;
}

void THotKey::SetHotKey(TShortCut Value) {
  FHotKey = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, HKM_SETHOTKEY, ShortCutToHotKey(Value), 0);
}

void THotKey::SetModifiers(THKModifiers Value) {
  FModifiers = Value;
  UpdateRules();
}

void THotKey::SetInvalidKeys(THKInvalidKeys Value) {
  FInvalidKeys = Value;
  UpdateRules();
}

void THotKey::UpdateRules() {
  if (!HandleAllocated())
    return;
  static constexpr WORD kInvalid[] = {HKCOMB_NONE, HKCOMB_S,  HKCOMB_C,  HKCOMB_A,
                                      HKCOMB_SC,   HKCOMB_SA, HKCOMB_CA, HKCOMB_SCA};
  WORD invalid = 0;
  for (int i = hcNone; i <= hcShiftCtrlAlt; ++i)
    if (FInvalidKeys.Contains(static_cast<THKInvalidKey>(i)))
      invalid |= kInvalid[i];
  WORD modifiers = 0;
  if (FModifiers.Contains(hkShift))
    modifiers |= HOTKEYF_SHIFT;
  if (FModifiers.Contains(hkCtrl))
    modifiers |= HOTKEYF_CONTROL;
  if (FModifiers.Contains(hkAlt))
    modifiers |= HOTKEYF_ALT;
  if (FModifiers.Contains(hkExt))
    modifiers |= HOTKEYF_EXT;
  SendMessageW(FHandle, HKM_SETRULES, invalid, MAKELPARAM(modifiers, 0));
}
