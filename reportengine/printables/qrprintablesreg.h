// The module set-up of the banded engine's printables: registers every
// printable class for streaming, so layouts that hold them can be read.
// Safe to call more than once.
#pragma once

void RegisterQRPrintableClasses();
