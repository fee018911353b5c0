// TsMemo: the memo with skin state, a bound caption and a disabled look.
// Without a skin it is the standard memo: its window procedure is left to
// the base and it paints as TMemo does. Skinned it also fires OnScrollCaret
// and OnVScroll; the skinned frame and scroll bars drawn by a window
// adapter come later.
#pragma once
#include <memory>

#include "classlib/classes/events.h"
#include "classlib/classes/typinfo.h"
#include "classlib/stdctrls/memo.h"
#include "skin/controls/sboundlabel.h"
#include "skin/core/commondata.h"
#include "skin/core/skinglyphs.h"

// The published form of TsDisabledKind: the flags as a set of names.
enum class TsDisabledKindName { Blended, Grayed };
DOZURI_ENUM(TsDisabledKindName, "dkBlended", "dkGrayed");
DOZURI_SET(TsDisabledKindSet, TsDisabledKindName);

class TsMemo : public TMemo {
  DECLARE_CLASS(TsMemo, TMemo)

public:
  explicit TsMemo(TComponent* AOwner);
  ~TsMemo() override;

  TsCommonData* SkinData() const { return FSkinData.get(); }
  TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }
  void SetBoundLabel(TsBoundLabel*) {}
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);

  TNotifyEvent OnScrollCaret;
  TNotifyEvent OnVScroll;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

private:
  TsDisabledKindSet DisabledKindNames() const;
  void SetDisabledKindNames(TsDisabledKindSet Value);
  bool AnswerSkinCommand(TMessage& Message);
  void HandleSkinned(TMessage& Message);
  // Keeps the bound caption beside the memo after the base has handled Message.
  void FollowWithBoundLabel(const TMessage& Message);

  std::unique_ptr<TsCommonData> FSkinData;
  std::unique_ptr<TsBoundLabel> FBoundLabel;
  TsDisabledKind FDisabledKind = dkBlended;
};
