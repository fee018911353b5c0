// TsCommonData: the skin state a skinned control owns. It names the skin
// section the control paints from, the manager it takes the skin from (its
// own, else the application's default one), whether the control keeps its
// own colour and font, and answers whether the control is skinned at all.
// Without a manager, or with one that has loaded no skin, it is not, and the
// control paints as the class library's control does.
#pragma once
#include "classlib/classes/persistent.h"
#include "classlib/controls/messages.h"

class TComponent;
class TControl;
class TsSkinManager;

// The control kind of panels; its default section is "PANEL".
constexpr int ckPanel = 51;

class TsCommonData : public TPersistent {
  DECLARE_CLASS(TsCommonData, TPersistent)

public:
  // Owner: the control (or other object) whose skin state this is.
  explicit TsCommonData(TPersistent* Owner);

  // ---- Published ----
  // Upper case; "UNKNOWN" after an empty assignment; empty until set.
  const AnsiString& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const AnsiString& Value);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  // The manager in use: the own one when set, else the default one (nullptr
  // when there is none).
  TsSkinManager* SkinManager() const;
  // Sets the own manager; the default manager is kept as "none of its own".
  void SetSkinManager(TsSkinManager* Value);

  TsSkinManager* OwnSkinManager() const { return FOwnSkinManager; }
  TControl* OwnerControl() const { return FOwnerControl; }
  TPersistent* GetOwner() override { return FOwnerObject; }

  // The kind of control, which picks the default section.
  int ControlKind() const { return FControlKind; }
  void SetControlKind(int Value) { FControlKind = Value; }
  int SectionIndex() const { return FSectionIndex; }

  // True when a manager exists, is not being destroyed, holds the section
  // and the owner is not being destroyed; with CheckActive the manager must
  // also be active.
  bool IsSkinned(bool CheckActive = false) const;

  // Called by the owner after construction and after loading: gives an
  // empty section the default one of the control kind.
  void OwnerLoaded();
  // The default section of the control kind; for a kind without one, the
  // owner's class name.
  void PickDefaultSection();
  // Looks the section up in the manager again.
  void ResolveSection();
  // Marks the look as stale and repaints the owner when it can paint.
  void InvalidateOwner();
  // The owner tells of a component being removed; a removed own manager is
  // forgotten.
  void ComponentRemoved(TComponent* AComponent);

  // The handling every skinned control shares for the skin command message.
  // True when the command was answered (Result set) and the owner should
  // not pass the message on.
  bool HandleCommonSkinCommand(TMessage& Message);

  bool PaintLocked = false;
  bool CacheInvalid = true;

private:
  bool IsSkinManagerStored() { return FOwnSkinManager != nullptr; }
  bool IsForManager(LPARAM LParam) const;
  // Sends the owner the refresh or removal command after a change of
  // section or manager.
  void TellOwnerOfChange(TsSkinManager* Manager);

  AnsiString FSkinSection;
  bool FCustomFont = false;
  bool FCustomColor = false;
  TsSkinManager* FOwnSkinManager = nullptr;
  int FSectionIndex = -1;
  int FControlKind = 0;
  TControl* FOwnerControl = nullptr;
  TPersistent* FOwnerObject = nullptr;
};

// The default section of a control kind, or "" for a kind without one.
AnsiString DefaultSectionOfKind(int ControlKind);
