// TSizeConstraints: the smallest and largest size a control may take
// (0 = no limit). A change fires OnChange, which the control answers by
// applying the limits to its current size.
#pragma once
#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"

class TSizeConstraints : public TPersistent {
  DECLARE_CLASS(TSizeConstraints, TPersistent)

public:
  TSizeConstraints() = default;
  void Assign(TPersistent* Source) override;

  int MinWidth() const { return FMinWidth; }
  int MaxWidth() const { return FMaxWidth; }
  int MinHeight() const { return FMinHeight; }
  int MaxHeight() const { return FMaxHeight; }
  // A maximum below the minimum lowers the minimum to it; a minimum above
  // the maximum raises the maximum to it.
  void SetMinWidth(int Value);
  void SetMaxWidth(int Value);
  void SetMinHeight(int Value);
  void SetMaxHeight(int Value);

  // Limits a size to the constraints.
  void Apply(int& Width, int& Height) const;

  TNotifyEvent OnChange;

private:
  void Changed();

  int FMinWidth = 0, FMaxWidth = 0, FMinHeight = 0, FMaxHeight = 0;
};
