#include "skin/controls/smemo.h"

#include "classlib/forms/application.h"
#include "skin/controls/slabel.h"
#include "skin/core/skincommands.h"
#include "skin/core/svclutils.h"

BEGIN_PUBLISHED(TsMemo)
  PROPERTY(OnScrollCaret, OnScrollCaret, OnScrollCaret),
  PROPERTY(OnVScroll, OnVScroll, OnVScroll),
  PROPERTY(BoundLabel, BoundLabel, SetBoundLabel),
  PROPERTY_RO(SkinData, SkinData),
  PROPERTY(DisabledKind, DisabledKindNames, SetDisabledKindNames).Default(TsDisabledKindSet{TsDisabledKindName::Blended}),
END_PUBLISHED

TsMemo::TsMemo(TComponent* AOwner)
    : TMemo(AOwner),
      FSkinData(std::make_unique<TsCommonData>(this, true)),
      FBoundLabel(std::make_unique<TsBoundLabel>(this, FSkinData.get())) {
  FSkinData->SetControlKind(ckMemo);
  if (FSkinData->SkinSection().empty())
    FSkinData->SetSkinSection("EDIT");
  SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
  FSkinData->OwnerLoaded();
}

// The caption goes before the memo's other components and its skin state
// after them.
TsMemo::~TsMemo() { FBoundLabel.reset(); }

void TsMemo::Loaded() {
  TMemo::Loaded();
  FSkinData->OwnerLoaded();
}

void TsMemo::Notification(TComponent* AComponent, TOperation Operation) {
  TMemo::Notification(AComponent, Operation);
  if (Operation == opRemove)
    FSkinData->ComponentRemoved(AComponent);
}

void TsMemo::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value)
    return;
  FDisabledKind = Value;
  FSkinData->InvalidateOwner();
}

TsDisabledKindSet TsMemo::DisabledKindNames() const { return TsDisabledKindSet::FromBits(FDisabledKind); }

void TsMemo::SetDisabledKindNames(TsDisabledKindSet Value) { SetDisabledKind(Value.Bits()); }

void TsMemo::WndProc(TMessage& Message) {
  if (Message.Msg == CM_FONTCHANGED && Showing() && HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  if (AnswerSkinCommand(Message))
    return;
  if (ControlCanPaint(this) && FSkinData->IsSkinned())
    HandleSkinned(Message);
  else
    TMemo::WndProc(Message);
  FollowWithBoundLabel(Message);
}

bool TsMemo::AnswerSkinCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
    case SkinCmdSkinRemoved:
    case SkinCmdRefresh:
      if (!FSkinData->IsForManager(Message.LParam))
        return false;
      FSkinData->HandleCommonSkinCommand(Message);
      if (SkinCommandOf(Message) == SkinCmdSkinRemoved && HandleAllocated())
        RecreateWnd();
      else if (SkinCommandOf(Message) == SkinCmdRefresh && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    default:
      return AnswerSkinnedControlQuery(Message);
  }
}

void TsMemo::HandleSkinned(TMessage& Message) {
  if (Message.Msg == WM_PAINT && FSkinData->IsPaintLocked()) {
    FSkinData->PaintLocked = true;
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    EndPaint(Handle(), &ps);
    return;
  }
  if (Message.Msg != WM_PAINT)
    FSkinData->HandleCommonMessage(Message);
  TMemo::WndProc(Message);
  switch (Message.Msg) {
    case WM_SETFONT:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
      FSkinData->InvalidateOwner();
      break;
    case EM_SCROLLCARET:
      if (OnScrollCaret)
        OnScrollCaret(this);
      break;
    case WM_VSCROLL:
      if (OnVScroll)
        OnVScroll(this);
      break;
    default:
      break;
  }
}

void TsMemo::FollowWithBoundLabel(const TMessage& Message) {
  TsEditLabel* label = FBoundLabel ? FBoundLabel->TheLabel() : nullptr;
  if (label == nullptr)
    return;
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      break;
    case CM_VISIBLECHANGED:
      label->SetVisible(Visible());
      break;
    case CM_ENABLEDCHANGED:
      label->SetEnabled(Enabled() || (FDisabledKind & dkBlended) == 0);
      break;
    case CM_BIDIMODECHANGED:
      label->SetBiDiMode(BiDiMode());
      break;
    default:
      return;
  }
  FBoundLabel->UpdatePosition();
}
