// TQRControllerBand: a band that runs a record loop of its own through the
// controller it owns (created with the band, freed with it). The
// controller's detail band is this band; its Master is the band's Master.
#pragma once
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrcontroller.h"

class TQRControllerBand : public TQRCustomBand {
  DECLARE_CLASS(TQRControllerBand, TQRCustomBand)

public:
  explicit TQRControllerBand(TComponent* AOwner);
  ~TQRControllerBand() override;

  // ---- Operations descendants override, in this order ----
  // Makes the controller; its owner object is this band.
  virtual void CreateController();
  // Adds the band with its child chain to the report's new band order.
  virtual void RegisterBands(TQRBandOrder& Order);
  // The Master setter: the band itself is ignored, and a value whose chain
  // of masters reaches this band is refused ("Circular linking not allowed"
  // at design time).
  virtual void LinkMaster(TComponent* Value);
  // Adds GetLocalExpression's text to the report's Functions under the
  // band's name, when there is one.
  virtual void RegisterLocalExpression();
  virtual void UnregisterLocalExpression();
  // Empty here: no band of this system publishes a value of its own.
  virtual void GetLocalExpression(AnsiString& Text) {}

  // ---- Overrides ----
  void SetName(const AnsiString& NewName) override;
  void AttachReport(TCustomQuickRep* Report) override;
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TComponent* Master() const { return FMaster; }
  void SetMaster(TComponent* Value) { LinkMaster(Value); }
  TQRController* Controller() const { return FController; }
  bool LocalVarCreated() const { return FLocalVarCreated; }

protected:
  TQRController* FController = nullptr;

private:
  TComponent* FMaster = nullptr;
  bool FLocalVarCreated = false;
};

// True when following Master from Start through controller bands reaches
// Target; a chain that closes on itself elsewhere stops too.
bool QRMasterChainReaches(TComponent* Start, const TQRControllerBand* Target);
