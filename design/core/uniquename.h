// Unique component names for components that join a form: layouts loaded,
// prototypes cloned and components pasted all name their new components
// through MakeUniqueComponentName.
#pragma once
#include "classlib/system/ansistring.h"

class TComponent;

// While Owner has a component named Name (case-insensitive), Name becomes the
// class name of Component without its first letter followed by a counter
// that starts at 1 on every call ("QRLabel1", "QRLabel2" ... for a TQRLabel).
// An empty Name stays empty; without an Owner Name is left as it is.
void MakeUniqueComponentName(TComponent* Owner, TComponent* Component, AnsiString& Name);
