#include "classlib/grids/gridregister.h"

#include "classlib/grids/drawgrid.h"
#include "classlib/grids/stringgrid.h"

void RegisterGridControls() { RegisterClasses({TDrawGrid::StaticClass(), TStringGrid::StaticClass()}); }
