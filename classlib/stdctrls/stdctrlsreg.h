// Registers the classes of the standard control set for streaming (the
// reader finds them by name). Programs and tests call it once at start;
// calling it again does no harm.
#pragma once

void RegisterStdControls();
