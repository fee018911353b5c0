#include "skin/controls/spanel.h"

#include "classlib/controls/controlcanvas.h"
#include "classlib/forms/application.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"

BEGIN_PUBLISHED(TsPanel)
  PROPERTY_RO(SkinData, SkinData),
  PROPERTY(OnPaint, OnPaint, OnPaint),
END_PUBLISHED

TsPanel::TsPanel(TComponent* AOwner) : TPanel(AOwner), FSkinData(std::make_unique<TsCommonData>(this)) {
  FSkinData->SetControlKind(ckPanel);
  FSkinData->OwnerLoaded();
}

TsPanel::~TsPanel() = default;

void TsPanel::Loaded() {
  TPanel::Loaded();
  FSkinData->OwnerLoaded();
}

void TsPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TPanel::Notification(AComponent, Operation);
  if (Operation == opRemove)
    FSkinData->ComponentRemoved(AComponent);
}

void TsPanel::Paint() {
  TPanel::Paint();
  if (!Showing() || !OnPaint)
    return;
  // A copy: the handler may clear or replace OnPaint while it runs.
  TPaintEvent handler = OnPaint;
  handler(this, Canvas());
}

// Without a loaded skin the panel is never skinned, so the unskinned
// handling below is all it does beside the skin commands.
void TsPanel::WndProc(TMessage& Message) {
  if (!AnswerSkinCommand(Message) && !HandleUnskinned(Message))
    TPanel::WndProc(Message);
  if (Message.Msg == CM_MOUSEENTER && OnMouseEnter)
    OnMouseEnter(this);
  else if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave)
    OnMouseLeave(this);
}

bool TsPanel::AnswerSkinCommand(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
      ForwardSkinChange(Message, false);
      return true;
    case SkinCmdSkinRemoved:
      ForwardSkinChange(Message, true);
      return true;
    case SkinCmdRefresh: {
      if (FSkinData->IsForManager(Message.LParam)) {
        FSkinData->HandleCommonSkinCommand(Message);
        if (HandleAllocated() && !ComponentState().Contains(csLoading)) {
          InvalidateRect(FHandle, nullptr, TRUE);
          RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        }
      }
      SendToChildControls(this, Message);
      return true;
    }
    case SkinCmdAreYouSkinned:
      Message.Result = 1;
      return true;
    case SkinCmdApplication:
      Message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

// A new skin reaches the children before the panel; a removed one reaches
// the panel first. Either way the panel stops counting as opaque.
void TsPanel::ForwardSkinChange(TMessage& Message, bool OwnFirst) {
  SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
  const bool forPanel = FSkinData->IsForManager(Message.LParam);
  if (!OwnFirst)
    SendToChildControls(this, Message);
  if (forPanel) {
    FSkinData->HandleCommonSkinCommand(Message);
    if (OwnFirst)
      Invalidate();
  }
  if (OwnFirst)
    SendToChildControls(this, Message);
}

bool TsPanel::HandleUnskinned(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // The handler paints the whole panel; erasing first would flicker.
      return static_cast<bool>(OnPaint);
    case WM_PRINT:
      if (OnPaint)
        PrintWithHandler(Message);
      return true;
    default:
      return false;
  }
}

// The handler draws on the panel's own canvas, and what the panel shows is
// then copied into the device context in WParam.
void TsPanel::PrintWithHandler(TMessage& Message) {
  TPaintEvent handler = OnPaint;
  handler(this, Canvas());
  auto dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc != nullptr)
    BitBlt(dc, 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
}
