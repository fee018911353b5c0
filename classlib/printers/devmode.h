// Typed access to a device mode kept as bytes (DEVMODEW followed by the
// driver's own data).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/system/ansistring.h"

// A device mode with the usual defaults (A4, portrait, one copy) for a
// device name; for fakes and for printers whose driver gives none.
std::vector<std::uint8_t> MakeDevMode(const AnsiString& deviceName);

// The DEVMODEW at the start of the bytes; EPrinter "Device mode is not valid"
// when they are too short for one.
DEVMODEW& DevModeOf(std::vector<std::uint8_t>& bytes);
const DEVMODEW& DevModeOf(const std::vector<std::uint8_t>& bytes);
// The full size of a device mode (dmSize + dmDriverExtra).
std::size_t DevModeSize(const DEVMODEW& devMode);

AnsiString DevModeFormName(const DEVMODEW& devMode);
void SetDevModeFormName(DEVMODEW& devMode, const AnsiString& formName);

// Copies a device mode into a new moveable global block, and back.
HGLOBAL DevModeToGlobal(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> DevModeFromGlobal(HGLOBAL block);
