#include "layouts/layoutsreg.h"

#include "layouts/vtrapor.h"

void RegisterLayoutComponents() { RegisterClasses({TVtRapor::StaticClass()}); }
