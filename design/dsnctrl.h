// The cover agent of the design controller: it takes over a covered
// control's window while design mode is on.
//
// Mouse input becomes calls on the controller (the control itself never
// sees the click), the keyboard focus goes to the stage, and the private
// messages of the design surface reach the controller. When the window is
// destroyed the agent gives it back and tells the stage (message 1600,
// through a ticket); the stage then frees a dead agent or attaches a live
// one to the control's new window.
#pragma once
#include "design/agent.h"
#include "design/dsnunit.h"

class TDsnRegister;

class TDsnCtrl : public TClientAgent, public TStageAgent {
public:
  // Covers Control for Controller: its cursor becomes the arrow and its
  // window is subclassed. Raises "Subclassing is failure." with nothing
  // left covered.
  static TDsnCtrl* Create(TDsnRegister* Controller, TWinControl* Control);
  ~TDsnCtrl() override;

  // Set when the covered control is being destroyed or the controller goes.
  bool Dead() const override { return FDead; }
  void SetDead(bool Value) { FDead = Value; }
  void AttachToControl() override;
  TDsnRegister* Controller() const { return FController; }
  TPoint LastPoint() const { return FLastPoint; }

  // The press target stays until the next press, so moves after a release
  // still reach the controller.
  void CaptureChanged() override {}
  void WndProc(TMessage& Message) override;
  void CoverStarted() override;
  void CoverEnded() override;

  // ---- Message handlers, in slot order ----
  virtual void LButtonDown(TMessage& Message);
  virtual void MouseMoved(TMessage& Message);
  virtual void LButtonUp(TMessage& Message);
  virtual void PaintMessage(TMessage& Message);
  virtual void SetPressTarget(TMessage& Message);
  virtual void ResizedMessage(TMessage& Message);
  virtual void GroupMarksMessage(TMessage& Message);
  virtual void SelectOnlyMessage(TMessage& Message);
  virtual void SetFocusMessage(TMessage& Message);
  virtual void DblClick(TMessage& Message);
  virtual void RButtonDown(TMessage& Message);
  virtual void DestroyMessage(TMessage& Message);
  // A right release lets the mouse go when the press still holds it.
  virtual void RButtonUp(TMessage& Message);

protected:
  TDsnCtrl(TDsnRegister* Controller, TWinControl* Control);

  template <class T>
  static T* Start(T* Agent) {
    try {
      Agent->Cover();
    } catch (...) {
      delete Agent;
      throw;
    }
    return Agent;
  }

private:
  // The non-windowed child under Point (disabled ones too), else the covered
  // control; one of another owner counts as the covered control.
  TControl* FindPressTarget(TPoint Point);
  void FocusStage();
  void ReleaseOwnCapture();
  TDsnStage* Stage() const;

  TDsnRegister* FController;
  bool FDead = false;
  TPoint FLastPoint{0, 0};
};
