// The banded engine's start: registers the report, band, group and
// sub-detail classes (and the data set classes) for component streaming, so
// layout files can hold them, loads the band names, picks the design colours
// and reads the locale's measurement system. Safe to call more than once;
// the program calls it at start, before the first layout loads.
#pragma once

void RegisterQuickRepClasses();
