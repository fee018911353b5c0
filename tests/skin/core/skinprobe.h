// A windowed control with a skin state, as the skinned controls are made:
// its window procedure hands every message to the shared handler first. It
// counts the skin commands it receives.
#pragma once
#include <vector>

#include "classlib/controls/extctrls.h"
#include "skin/core/commondata.h"
#include "skin/core/skincommands.h"

namespace skin_test {

class TSkinProbe : public TPanel {
public:
  explicit TSkinProbe(TComponent* AOwner, bool CreateCache = false) : TPanel(AOwner), Data(this, CreateCache) {
    Data.SetControlKind(ckPanel);
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_ALPHACMD)
      Commands.push_back(SkinCommandOf(Message));
    if (!Data.HandleCommonMessage(Message))
      TPanel::WndProc(Message);
  }
  bool Received(WORD Command) const {
    for (WORD c : Commands)
      if (c == Command)
        return true;
    return false;
  }

  TsCommonData Data;
  std::vector<WORD> Commands;
};

// An unskinned panel that only counts the skin commands it receives.
class TCountingPanel : public TPanel {
public:
  using TPanel::TPanel;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_ALPHACMD)
      Commands.push_back(SkinCommandOf(Message));
    TPanel::WndProc(Message);
  }
  std::vector<WORD> Commands;
};

}  // namespace skin_test
