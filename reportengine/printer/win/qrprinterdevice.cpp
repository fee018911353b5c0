#include "reportengine/printer/qrprinterdevice.h"

#include <winspool.h>

#include <vector>

#include "classlib/graphics/wintext.h"

namespace {
TQRPrinterDevice* gScoped = nullptr;
}  // namespace

bool TQRPrinterDevice::DeviceFacts(TPrinter& Printer, TQRDeviceFacts& Facts) {
  HDC dc = nullptr;
  try {
    dc = Printer.Handle();
  } catch (const Exception&) {
    return false;
  }
  Facts.PixelsPerX = GetDeviceCaps(dc, LOGPIXELSX);
  Facts.PixelsPerY = GetDeviceCaps(dc, LOGPIXELSY);
  Facts.OffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  Facts.OffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  Facts.PhysicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  Facts.PhysicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  return true;
}

// The buffer is as large as the driver asks, so a long driver entry is
// never cut or overrun.
bool TQRPrinterDevice::DriverPath(const AnsiString& Device, AnsiString& Path) {
  std::wstring name = WideOf(Device);
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, nullptr))
    return false;
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 2, nullptr, 0, &needed);
  bool read = false;
  if (needed >= sizeof(DRIVER_INFO_2W)) {
    std::vector<BYTE> buffer(needed);
    if (GetPrinterDriverW(printer, nullptr, 2, buffer.data(), needed, &needed)) {
      Path = AnsiOf(reinterpret_cast<DRIVER_INFO_2W*>(buffer.data())->pDriverPath);
      read = true;
    }
  }
  ClosePrinter(printer);
  return read;
}

TQRPrinterDevice& QRPrinterDevice() {
  static TQRPrinterDevice platform;
  return gScoped != nullptr ? *gScoped : platform;
}

QRPrinterDeviceScope::QRPrinterDeviceScope(TQRPrinterDevice& Device) : saved_(gScoped) {
  gScoped = &Device;
}

QRPrinterDeviceScope::~QRPrinterDeviceScope() {
  gScoped = saved_;
}
