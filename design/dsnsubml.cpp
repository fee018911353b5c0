#include "design/dsnsubml.h"

IMPLEMENT_CLASS(TDsnMlRegister)
