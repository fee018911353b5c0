#include "design/dsnsubdp.h"

IMPLEMENT_CLASS(TDsnDpRegister)
