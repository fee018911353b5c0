#include "skin/core/menusupport.h"

BEGIN_PUBLISHED(TacMenuSupport)
  PROPERTY(IcoLineSkin, IcoLineSkin, SetIcoLineSkin),
  PROPERTY(UseExtraLine, UseExtraLine, SetUseExtraLine).Default(false),
  PROPERTY(ExtraLineWidth, ExtraLineWidth, SetExtraLineWidth).Default(32),
  PROPERTY(ExtraLineFont, ExtraLineFont, SetExtraLineFont),
END_PUBLISHED

TacMenuSupport::TacMenuSupport() = default;
TacMenuSupport::~TacMenuSupport() = default;

void TacMenuSupport::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TacMenuSupport*>(Source);
  if (other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FIcoLineSkin = other->FIcoLineSkin;
  FUseExtraLine = other->FUseExtraLine;
  FExtraLineWidth = other->FExtraLineWidth;
  FExtraLineFont->Assign(other->FExtraLineFont.get());
}
