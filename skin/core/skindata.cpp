#include "skin/core/skindata.h"

int MaskFrameWidth(const TsMaskData& Mask) {
  return Mask.ImageCount == 0 ? 0 : (Mask.R.right - Mask.R.left) / Mask.ImageCount;
}

int MaskFrameHeight(const TsMaskData& Mask) {
  return Mask.MaskType == -1 ? 0 : (Mask.R.bottom - Mask.R.top) / (Mask.MaskType + 1);
}
