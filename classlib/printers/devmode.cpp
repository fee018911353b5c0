#include "classlib/printers/devmode.h"

#include <cstring>

#include "classlib/graphics/wintext.h"
#include "classlib/printers/printers.h"

std::vector<std::uint8_t> MakeDevMode(const AnsiString& deviceName) {
  std::vector<std::uint8_t> bytes(sizeof(DEVMODEW));
  DEVMODEW& dm = DevModeOf(bytes);
  CopyToField(dm.dmDeviceName, deviceName);
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmSize = sizeof(DEVMODEW);
  dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_COLOR;
  dm.dmOrientation = DMORIENT_PORTRAIT;
  dm.dmPaperSize = DMPAPER_A4;
  dm.dmCopies = 1;
  dm.dmDefaultSource = DMBIN_AUTO;
  dm.dmPrintQuality = 300;
  dm.dmColor = DMCOLOR_COLOR;
  return bytes;
}

DEVMODEW& DevModeOf(std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < sizeof(DEVMODEW))
    throw EPrinter("Device mode is not valid");
  return *reinterpret_cast<DEVMODEW*>(bytes.data());
}

const DEVMODEW& DevModeOf(const std::vector<std::uint8_t>& bytes) {
  if (bytes.size() < sizeof(DEVMODEW))
    throw EPrinter("Device mode is not valid");
  return *reinterpret_cast<const DEVMODEW*>(bytes.data());
}

std::size_t DevModeSize(const DEVMODEW& devMode) {
  return static_cast<std::size_t>(devMode.dmSize) + devMode.dmDriverExtra;
}

AnsiString DevModeFormName(const DEVMODEW& devMode) {
  return (devMode.dmFields & DM_FORMNAME) ? AnsiOfField(devMode.dmFormName) : AnsiString();
}

void SetDevModeFormName(DEVMODEW& devMode, const AnsiString& formName) {
  CopyToField(devMode.dmFormName, formName);
  devMode.dmFields |= DM_FORMNAME;
  devMode.dmFields &= ~(DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH);
}

HGLOBAL DevModeToGlobal(const std::vector<std::uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
  if (block == nullptr)
    throw EOutOfResources("Out of system resources");
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::vector<std::uint8_t> DevModeFromGlobal(HGLOBAL block) {
  std::vector<std::uint8_t> bytes;
  if (block == nullptr)
    return bytes;
  std::size_t blockSize = GlobalSize(block);
  const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(block));
  if (dm == nullptr)
    return bytes;
  std::size_t size = blockSize;
  if (blockSize >= offsetof(DEVMODEW, dmFields)) {
    std::size_t declared = DevModeSize(*dm);
    if (declared >= offsetof(DEVMODEW, dmFields) && declared <= blockSize)
      size = declared;
  }
  const auto* p = reinterpret_cast<const std::uint8_t*>(dm);
  bytes.assign(p, p + size);
  GlobalUnlock(block);
  return bytes;
}
