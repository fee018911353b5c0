// TsPanel: the skinned panel. It owns its skin state (SkinData) and, while
// it is not skinned, paints exactly as the standard panel does and then
// calls OnPaint, so that a descendant or a form can draw over it. It answers
// the skin commands that concern it, skinned or not.
//
// For descendants: SkinData exists from the panel's constructor on, before
// their own constructor code runs, and is freed after their destructor.
// OnPaint is an ordinary event: a descendant may set it in its constructor
// and clear it from inside the handler; from then on painting is the
// standard panel's again.
#pragma once
#include <memory>

#include "classlib/classes/events.h"
#include "classlib/controls/extctrls.h"
#include "skin/core/commondata.h"

class TCanvas;

DOZURI_EVENT(TPaintEvent, void(TObject* Sender, TCanvas* Canvas));

class TsPanel : public TPanel {
  DECLARE_CLASS(TsPanel, TPanel)

public:
  explicit TsPanel(TComponent* AOwner);
  ~TsPanel() override;

  TsCommonData* SkinData() const { return FSkinData.get(); }

  void WndProc(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Called after the standard painting, while the panel is showing; also by
  // WM_PRINT. OnMouseEnter and OnMouseLeave (the control's events) fire on
  // every CM_MOUSEENTER and CM_MOUSELEAVE the panel receives, including
  // those that tell of its children.
  TPaintEvent OnPaint;

protected:
  void Paint() override;
  // The mouse events fire from WndProc, for every enter and leave message.
  void MouseEnter() override {}
  void MouseLeave() override {}

private:
  // Answers the skin commands the panel takes skinned or not; false for
  // the others, which go on to the normal handling.
  bool AnswerSkinCommand(TMessage& Message);
  void ForwardSkinChange(TMessage& Message, bool OwnFirst);
  // The messages the panel handles itself while it is not skinned.
  bool HandleUnskinned(TMessage& Message);
  void PrintWithHandler(TMessage& Message);

  std::unique_ptr<TsCommonData> FSkinData;
};
