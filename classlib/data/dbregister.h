// Registers the data-set, data-source and field classes for component
// streaming, so layouts can hold them. Runs once; every data set calls it
// when it is made, and a host may call it earlier.
#pragma once

void RegisterDataClasses();
