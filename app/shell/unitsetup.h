// The one-time set-up of the units the program is made of, run once at its
// start before anything else: the number and date formats are read from the
// user's locale (so every number, mask and date prints with the locale's
// separators), the component classes register for
// streaming, "png" registers as a picture format, and the expression
// library's process-wide variables are made, so APPNAME holds the
// application's title as it is then (the program file's name) and
// APPSTARTTIME and APPSTARTDATE the moment the program started; the report
// engines get their progress, print setup and preview forms; the skin
// library sets itself up last.
#pragma once

void SetUpUnits();
// At exit: what the set-up made is released, in reverse order.
void ShutDownUnits();
