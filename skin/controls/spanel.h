// TsPanel: the skinned panel. It owns its skin state (SkinData) and, while
// it is not skinned, paints exactly as the standard panel does and then
// calls OnPaint, so that a descendant or a form can draw over it. Skinned
// (a manager holding its section), it paints its section, border mask and
// corners, then its caption in the section's font colours, either from its
// cache bitmap or straight onto the device context. It answers the skin
// commands that concern it, skinned or not.
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

  // The skinned painting onto DC (0: the canvas's); nothing while the panel
  // is not showing or not skinned. NotifyChildren ends the paint lock of the
  // windowed children afterwards.
  virtual void PaintSkin(HDC DC, bool NotifyChildren);
  // The caption inside Rect on Canvas, else on a canvas made for DC; its
  // top is measured from BorderWidth, not from Rect's top.
  virtual void PaintCaption(const TRect& Rect, TCanvas* Canvas, HDC DC);
  // Renders the whole skinned panel into the cache bitmap.
  void PrepareCache();
  // n x BevelWidth + BorderWidth, n counting the bevels that are not bvNone.
  int FrameWidth() const;

protected:
  void Paint() override;
  void PaintWindow(HDC DC) override;
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
  // The background query (command 0x22), answered only with a section and
  // a border mask; false leaves the command to the normal handling.
  bool AnswerBackgroundQuery(TMessage& Message);
  // The messages handled while the panel is skinned and can paint.
  void HandleSkinned(TMessage& Message);
  bool HandleSkinnedCommand(TMessage& Message);
  void SharedThenStandard(TMessage& Message);
  void SkinnedPaintMessage(TMessage& Message);
  void PaintThroughWindowDC(HDC Given);
  void SkinnedEraseBackground(TMessage& Message);
  void SkinnedPrint(TMessage& Message);
  void PaintFromCache(HDC DC);
  void PaintDirect(HDC DC);
  void PaintBorderedFill(HDC DC, int BorderWidth, TColor Fill);
  void PaintCaptionAndHandler(HDC DC, bool OwnCanvas);
  // The client rectangle shrunk by the frame width on every side.
  TRect CaptionRect();

  std::unique_ptr<TsCommonData> FSkinData;
};
