#include "skin/core/commondata.h"

#include <initializer_list>
#include <utility>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/system/strutils.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"

BEGIN_PUBLISHED(TsCommonData)
  PROPERTY(CustomColor, CustomColor, SetCustomColor).Default(false),
  PROPERTY(CustomFont, CustomFont, SetCustomFont).Default(false),
  PROPERTY(SkinManager, SkinManager, SetSkinManager).Stored<&Self::IsSkinManagerStored>(),
  PROPERTY(SkinSection, SkinSection, SetSkinSection),
END_PUBLISHED

namespace {

struct KindRange {
  int First, Last;
};
struct KindSection {
  const char* Section;
  std::initializer_list<KindRange> Kinds;
};

const KindSection kDefaultSections[] = {
    {"EDIT", {{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 84}, {96, 97}, {131, 131}, {140, 140}, {227, 227}}},
    {"COMBOBOX", {{11, 18}, {81, 82}}},
    {"BAR", {{19, 19}}},
    {"BARTITLE", {{20, 20}}},
    {"CHECKBOX", {{32, 32}, {152, 152}}},
    {"RADIOBUTTON", {{33, 33}}},
    {"PANEL", {{51, 51}, {59, 59}, {68, 68}, {73, 73}}},
    {"PANEL_LOW", {{52, 52}, {58, 58}}},
    {"TOOLBAR", {{53, 54}, {60, 60}}},
    {"DRAGBAR", {{56, 56}}},
    {"TABSHEET", {{57, 57}}},
    {"GROUPBOX", {{74, 74}, {226, 226}}},
    {"SPLITTER", {{75, 75}}},
    {"SPEEDBUTTON", {{92, 92}, {95, 95}}},
    {"BUTTON", {{93, 94}}},
    {"TOOLBUTTON", {{98, 98}}},
    {"PAGECONTROL", {{141, 141}, {143, 143}}},
    {"STATUSBAR", {{151, 151}}},
    {"GAUGE", {{161, 161}}},
    {"TRACKBAR", {{165, 165}}},
};

bool IsLoadingOrDying(const TComponent* Component) {
  TComponentState state = Component->ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying);
}

// Whether a control can be painted now: it has a parent, a window when it
// is windowed, and is not being made, read, loaded or destroyed.
bool ControlCanPaint(TControl* Control) {
  if (Control == nullptr)
    return false;
  auto* window = dynamic_cast<TWinControl*>(Control);
  if (window != nullptr && !window->HandleAllocated())
    return false;
  TControlState state = Control->ControlState();
  if (state.Contains(csCreating) || state.Contains(csReadingState) || IsLoadingOrDying(Control))
    return false;
  return Control->Parent() != nullptr;
}

}  // namespace

AnsiString DefaultSectionOfKind(int ControlKind) {
  for (const KindSection& entry : kDefaultSections)
    for (const KindRange& range : entry.Kinds)
      if (ControlKind >= range.First && ControlKind <= range.Last)
        return entry.Section;
  return "";
}

TsCommonData::TsCommonData(TPersistent* Owner)
    : FOwnerControl(dynamic_cast<TControl*>(Owner)), FOwnerObject(Owner) {}

TsSkinManager* TsCommonData::SkinManager() const {
  return FOwnSkinManager != nullptr ? FOwnSkinManager : DefaultManager();
}

void TsCommonData::SetSkinSection(const AnsiString& Value) {
  if (Value == FSkinSection)
    return;
  FSkinSection = Value.empty() ? AnsiString("UNKNOWN") : AnsiUpperCase(Value);
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || manager->SectionCount() == 0)
    FSectionIndex = -1;
  else
    ResolveSection();
  TellOwnerOfChange(manager);
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == DefaultManager())
    Value = nullptr;
  if (Value == FOwnSkinManager)
    return;
  FOwnSkinManager = Value;
  auto* owner = dynamic_cast<TComponent*>(FOwnerObject);
  if (Value != nullptr && owner != nullptr)
    Value->FreeNotification(owner);
  if (owner != nullptr && owner->ComponentState().Contains(csLoading))
    return;
  if (Value != nullptr && Value->SectionCount() > 0)
    ResolveSection();
  else
    FSectionIndex = -1;
  TellOwnerOfChange(Value);
}

void TsCommonData::TellOwnerOfChange(TsSkinManager* Manager) {
  if (FOwnerControl == nullptr || IsLoadingOrDying(FOwnerControl) || FOwnerControl->Parent() == nullptr)
    return;
  const bool skinned = Manager != nullptr && Manager->SectionCount() > 0 && Manager->IsSectionIndexValid(FSectionIndex);
  SendControlSkinCommand(FOwnerControl, skinned ? SkinCmdRefresh : SkinCmdSkinRemoved,
                         reinterpret_cast<LPARAM>(Manager));
}

void TsCommonData::SetCustomColor(bool Value) {
  if (Value == FCustomColor)
    return;
  FCustomColor = Value;
  InvalidateOwner();
}

void TsCommonData::SetCustomFont(bool Value) {
  if (Value == FCustomFont)
    return;
  FCustomFont = Value;
  InvalidateOwner();
}

bool TsCommonData::IsSkinned(bool CheckActive) const {
  TsSkinManager* manager = SkinManager();
  if (manager == nullptr || manager->ComponentState().Contains(csDestroying))
    return false;
  if (!manager->IsSectionIndexValid(FSectionIndex))
    return false;
  auto* owner = dynamic_cast<TComponent*>(FOwnerObject);
  if (owner != nullptr && owner->ComponentState().Contains(csDestroying))
    return false;
  return !CheckActive || manager->Active();
}

void TsCommonData::OwnerLoaded() { PickDefaultSection(); }

void TsCommonData::PickDefaultSection() {
  if (!FSkinSection.empty()) {
    ResolveSection();
    return;
  }
  AnsiString section = DefaultSectionOfKind(FControlKind);
  SetSkinSection(section.empty() && FOwnerObject != nullptr ? FOwnerObject->ClassName() : section);
}

void TsCommonData::ResolveSection() {
  CacheInvalid = true;
  TsSkinManager* manager = SkinManager();
  FSectionIndex = manager != nullptr ? manager->FindSection(FSkinSection) : -1;
}

void TsCommonData::InvalidateOwner() {
  if (FOwnerControl == nullptr || IsLoadingOrDying(FOwnerControl))
    return;
  CacheInvalid = true;
  if (ControlCanPaint(FOwnerControl))
    FOwnerControl->Invalidate();
}

void TsCommonData::ComponentRemoved(TComponent* AComponent) {
  if (AComponent != nullptr && AComponent == FOwnSkinManager) {
    FOwnSkinManager = nullptr;
    FSectionIndex = -1;
  }
}

bool TsCommonData::IsForManager(LPARAM LParam) const {
  return reinterpret_cast<TsSkinManager*>(LParam) == SkinManager();
}

bool TsCommonData::HandleCommonSkinCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
      if (IsForManager(Message.LParam))
        ResolveSection();
      return false;
    case SkinCmdSkinRemoved:
      if (IsForManager(Message.LParam)) {
        if (FOwnSkinManager != nullptr && FOwnSkinManager->ComponentState().Contains(csDestroying))
          FOwnSkinManager = nullptr;
        FSectionIndex = -1;
        PaintLocked = true;
      }
      return false;
    case SkinCmdRefresh:
      if (IsForManager(Message.LParam)) {
        CacheInvalid = true;
        PaintLocked = false;
      }
      return false;
    case SkinCmdAreYouSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdIsLocked:
      Message.Result = CacheInvalid || PaintLocked ? 1 : 0;
      return true;
    default:
      return false;
  }
}
