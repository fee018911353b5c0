// Natively there is no Windows locale to read: the settings stay as they are
// (the US preset unless a test chose others).
#include "classlib/system/formatsettings.h"

void LoadLocaleFormatSettings() {}
