// The control core in one include: messages, TControl, TWinControl,
// TGraphicControl, TCustomControl and TControlCanvas.
#pragma once
#include "classlib/controls/control.h"
#include "classlib/controls/controlcanvas.h"
#include "classlib/controls/customcontrol.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/messages.h"
#include "classlib/controls/shiftstate.h"
#include "classlib/controls/sizeconstraints.h"
#include "classlib/controls/wincontrol.h"
