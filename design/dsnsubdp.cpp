#include "design/dsnsubdp.h"

#include "design/dsnsub8.h"

IMPLEMENT_CLASS(TDsnDpRegister)

TMultiHandler* TDsnDpRegister::CreateHandler() { return new TMultiDpHandler; }
