#include "classlib/controls/sizeconstraints.h"

#include "classlib/classes/typinfo.h"

BEGIN_PUBLISHED(TSizeConstraints)
  PROPERTY(MaxHeight, MaxHeight, SetMaxHeight).Default(0),
  PROPERTY(MaxWidth, MaxWidth, SetMaxWidth).Default(0),
  PROPERTY(MinHeight, MinHeight, SetMinHeight).Default(0),
  PROPERTY(MinWidth, MinWidth, SetMinWidth).Default(0),
END_PUBLISHED

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TSizeConstraints*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FMinWidth = source->FMinWidth;
  FMaxWidth = source->FMaxWidth;
  FMinHeight = source->FMinHeight;
  FMaxHeight = source->FMaxHeight;
  Changed();
}

void TSizeConstraints::SetMinWidth(int Value) {
  if (Value == FMinWidth)
    return;
  FMinWidth = Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
    FMaxWidth = FMinWidth;
  Changed();
}

void TSizeConstraints::SetMaxWidth(int Value) {
  if (Value == FMaxWidth)
    return;
  FMaxWidth = Value;
  if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
    FMinWidth = FMaxWidth;
  Changed();
}

void TSizeConstraints::SetMinHeight(int Value) {
  if (Value == FMinHeight)
    return;
  FMinHeight = Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
    FMaxHeight = FMinHeight;
  Changed();
}

void TSizeConstraints::SetMaxHeight(int Value) {
  if (Value == FMaxHeight)
    return;
  FMaxHeight = Value;
  if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
    FMinHeight = FMaxHeight;
  Changed();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
  if (FMaxWidth > 0 && Width > FMaxWidth)
    Width = FMaxWidth;
  if (FMinWidth > 0 && Width < FMinWidth)
    Width = FMinWidth;
  if (FMaxHeight > 0 && Height > FMaxHeight)
    Height = FMaxHeight;
  if (FMinHeight > 0 && Height < FMinHeight)
    Height = FMinHeight;
}

void TSizeConstraints::Changed() {
  if (OnChange)
    OnChange(this);
}
