// What a report run hands to an export filter instead of (or besides) the
// printer object's pages. No filter ships with the program; the interface
// is the hook a filter would plug into.
#pragma once
#include <windows.h>

#include "classlib/system/ansistring.h"

class TFont;
class TGraphic;
class TQRCustomBand;

class IQRExportFilter {
public:
  virtual ~IQRExportFilter() = default;
  // Called once before the first page with the page width and length in
  // 0.1 mm and the report's font.
  virtual void Start(int PaperWidth, int PaperLength, TFont* Font) = 0;
  virtual bool Started() const = 0;
  virtual void NewPage() = 0;
  virtual void EndPage() = 0;
  // A picture or filled shape at a position in 0.1 mm on the page.
  virtual void AcceptGraphic(long double X, long double Y, TGraphic* Graphic) = 0;
  // A band printed at (X, Y) in 0.1 mm, grown by Expanded.
  virtual void AcceptBand(TQRCustomBand* Band, long double X, long double Y, long double Expanded) = 0;
  virtual void Finish() = 0;
  // True when the output is one continuous page (no page bottom).
  virtual bool ContinuousPage() const = 0;
};
