// The controller both hosts use: a single selection gets eight grips.
#pragma once
#include "design/dsnsubgr.h"

class TDsnDpRegister : public TDsnGrRegister {
  DECLARE_CLASS(TDsnDpRegister, TDsnGrRegister)

public:
  explicit TDsnDpRegister(TComponent* AOwner) : TDsnGrRegister(AOwner) {}

  TMultiHandler* CreateHandler() override;
};
