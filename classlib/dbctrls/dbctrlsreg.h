// Registers the data-aware controls and the data-set actions for component
// streaming (with the data-set classes they stand on). Programs and tests
// call it once before reading forms that hold them; a call keeps the
// classes linked in from the static library.
#pragma once

void RegisterDataControls();
