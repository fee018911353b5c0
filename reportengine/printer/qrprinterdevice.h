// What the printer settings ask a printer device beyond its device mode:
// its resolution, unprintable offsets and physical paper (GetDeviceCaps of
// its DC) and the path of its driver (GetPrinterDriver level 2).
//
// The default asks the platform; tests put a device of their own in place
// with QRPrinterDeviceScope (a printer that answers 0 pixels per inch, a
// driver query that fails).
#pragma once
#include <windows.h>

#include "classlib/printers/printers.h"

struct TQRDeviceFacts {
  int PixelsPerX = 0;      // LOGPIXELSX
  int PixelsPerY = 0;      // LOGPIXELSY
  int OffsetX = 0;         // PHYSICALOFFSETX, device pixels
  int OffsetY = 0;         // PHYSICALOFFSETY
  int PhysicalWidth = 0;   // PHYSICALWIDTH
  int PhysicalHeight = 0;  // PHYSICALHEIGHT
};

class TQRPrinterDevice {
public:
  virtual ~TQRPrinterDevice() = default;
  // The facts of the printer's current device; false when no DC can be made.
  virtual bool DeviceFacts(TPrinter& Printer, TQRDeviceFacts& Facts);
  // The full path of the device's driver file; false when the printer cannot
  // be opened or the driver not read.
  virtual bool DriverPath(const AnsiString& Device, AnsiString& Path);
};

// The device in force: the innermost scope's, else the platform's.
TQRPrinterDevice& QRPrinterDevice();

class QRPrinterDeviceScope {
public:
  explicit QRPrinterDeviceScope(TQRPrinterDevice& Device);
  ~QRPrinterDeviceScope();
  QRPrinterDeviceScope(const QRPrinterDeviceScope&) = delete;
  QRPrinterDeviceScope& operator=(const QRPrinterDeviceScope&) = delete;

private:
  TQRPrinterDevice* saved_;
};
