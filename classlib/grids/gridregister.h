// Registers the grid classes for component streaming. The program and the
// tests call it once before reading forms that hold grids (a function call
// keeps the classes linked in from the static library).
#pragma once

void RegisterGridControls();
