// What the tests of the graphic printables and the rotated labels share: a
// report stand-in that can carry an export filter, a printer object whose
// pages are recorded at a chosen resolution, the drawing records of a
// recorded page, the page played into a bitmap, and an export filter that
// records what it is handed. Header-only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <memory>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/graphic.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/screenfacts.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/report/qrexportfilter.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrunitfacts.h"
#include "tests/reportengine/report/qrreporttesting.h"

namespace printables_test {

// What an export filter was handed: each graphic with its position (0.1 mm)
// and the class and size the graphic had then.
class RecordingFilter : public TObject, public IQRExportFilter {
public:
  struct Graphic {
    long double X, Y;
    AnsiString ClassName;
    int Width, Height;
  };
  void Start(int, int, TFont*) override { started_ = true; }
  bool Started() const override { return started_; }
  void NewPage() override { ++Pages; }
  void EndPage() override {}
  void AcceptGraphic(long double X, long double Y, TGraphic* Picture) override {
    Graphic g{X, Y, "", 0, 0};
    if (Picture != nullptr)
      g = Graphic{X, Y, Picture->ClassName(), Picture->Width(), Picture->Height()};
    Graphics.push_back(g);
  }
  void AcceptBand(TQRCustomBand*, long double, long double, long double) override {}
  void Finish() override {}
  bool ContinuousPage() const override { return false; }

  std::vector<Graphic> Graphics;
  int Pages = 0;

private:
  bool started_ = false;
};

// One drawing record of a page, with the geometry its type carries.
struct EmfRecord {
  DWORD Type = 0;
  RECT Box{};           // rectangle, ellipse, round rectangle, clip rectangle, text clip
  SIZE Corner{};        // round rectangle
  POINT Point{};        // move, line, text reference point
  RECT Dest{};          // picture records: destination x, y, width, height as left, top, right, bottom
  DWORD Options = 0;    // text output options
  std::wstring Text;    // text output
  LOGFONTW Font{};      // font creation
};

inline RECT ToRect(const RECTL& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

inline std::vector<EmfRecord> RecordsOf(TMetafile& page) {
  std::vector<EmfRecord> records;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* raw, int, LPARAM data) -> int {
        EmfRecord r;
        r.Type = raw->iType;
        switch (raw->iType) {
          case EMR_RECTANGLE:
          case EMR_ELLIPSE:
            r.Box = ToRect(reinterpret_cast<const EMRRECTANGLE*>(raw)->rclBox);
            break;
          case EMR_ROUNDRECT: {
            auto* rr = reinterpret_cast<const EMRROUNDRECT*>(raw);
            r.Box = ToRect(rr->rclBox);
            r.Corner = rr->szlCorner;
            break;
          }
          case EMR_INTERSECTCLIPRECT:
            r.Box = ToRect(reinterpret_cast<const EMRINTERSECTCLIPRECT*>(raw)->rclClip);
            break;
          case EMR_MOVETOEX:
          case EMR_LINETO: {
            auto* p = reinterpret_cast<const EMRLINETO*>(raw);
            r.Point = POINT{p->ptl.x, p->ptl.y};
            break;
          }
          case EMR_STRETCHDIBITS: {
            auto* s = reinterpret_cast<const EMRSTRETCHDIBITS*>(raw);
            r.Dest = RECT{s->xDest, s->yDest, s->xDest + s->cxDest, s->yDest + s->cyDest};
            break;
          }
          case EMR_STRETCHBLT: {
            auto* s = reinterpret_cast<const EMRSTRETCHBLT*>(raw);
            r.Dest = RECT{s->xDest, s->yDest, s->xDest + s->cxDest, s->yDest + s->cyDest};
            break;
          }
          case EMR_EXTTEXTOUTW: {
            auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(raw);
            r.Point = POINT{t->emrtext.ptlReference.x, t->emrtext.ptlReference.y};
            r.Options = t->emrtext.fOptions;
            r.Box = ToRect(t->emrtext.rcl);
            auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(raw) + t->emrtext.offString);
            r.Text.assign(chars, t->emrtext.nChars);
            break;
          }
          case EMR_EXTCREATEFONTINDIRECTW:
            r.Font = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(raw)->elfw.elfLogFont;
            break;
          default:
            break;
        }
        reinterpret_cast<std::vector<EmfRecord>*>(data)->push_back(r);
        return 1;
      },
      &records, nullptr);
  return records;
}

// The records of the given types, in page order.
inline std::vector<EmfRecord> RecordsOfType(const std::vector<EmfRecord>& records, std::vector<DWORD> types) {
  std::vector<EmfRecord> kept;
  for (const EmfRecord& r : records)
    if (std::find(types.begin(), types.end(), r.Type) != types.end())
      kept.push_back(r);
  return kept;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline ::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected) {
  if (SameRect(actual, expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                       << actual.bottom << ") is not (" << expected.left << ", " << expected.top
                                       << ", " << expected.right << ", " << expected.bottom << ")";
}

// The report stand-in of the page tests.
class PageReport : public qrreport_test::TestReport {
public:
  explicit PageReport(TComponent* owner) : TestReport(owner) {}
};

// A report on the shared form with a printer object whose metafile pages
// are recorded at PagePixelsPerInch, while the screen the printables measure
// their pixels against has ScreenPixelsPerInch.
class PageFixture {
public:
  explicit PageFixture(int ScreenPixelsPerInch = 96, int PagePixelsPerInch = 96)
      : screen_(TScreenFacts{PagePixelsPerInch, -1, 32}), units_(TQRUnitFacts{false, ScreenPixelsPerInch}) {
    form.Show();
    report = new PageReport(form.Host());
    report->SetParent(form.Host());
    report->page.SetUnits(MM);
    report->SetBounds(0, 0, 400, 300);
    report->printer = &printer;
  }

  // A printable of class T placed on the report, its size in 0.1 mm.
  template <class T>
  T* Add() {
    auto* printable = new T(form.Host());
    printable->SetParent(report);
    printable->Size()->SetUnits(Native);
    return printable;
  }
  template <class T>
  T* Add(long double Left, long double Top, long double Width, long double Height) {
    T* printable = Add<T>();
    printable->Size()->SetLeft(Left);
    printable->Size()->SetTop(Top);
    printable->Size()->SetWidth(Width);
    printable->Size()->SetHeight(Height);
    return printable;
  }

  // One page of a run in which print ran between Prepare and Unprepare of
  // the report's printables. A printer object serves one run: a second page
  // needs a fixture of its own.
  std::unique_ptr<TMetafile> PrintPage(const std::function<void()>& print) {
    printer.BeginDoc();
    printer.NewPage();
    QRPreparePrintables(*report);
    print();
    QRUnpreparePrintables(*report);
    printer.EndDoc();
    std::unique_ptr<TMetafile> page = printer.GetPage(1);
    EXPECT_NE(page, nullptr);
    return page;
  }
  std::unique_ptr<TMetafile> PrintPage(TQRPrintable& printable, int OfsX = 0, int OfsY = 0) {
    return PrintPage([&] { printable.Print(OfsX, OfsY); });
  }

  // The page played into a white 24-bit bitmap of its size.
  static std::unique_ptr<TBitmap> Played(TMetafile& page) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(page.Width(), page.Height());
    bitmap->Canvas().Brush().SetColor(clWhite);
    bitmap->Canvas().FillRect(Rect(0, 0, page.Width(), page.Height()));
    bitmap->Canvas().StretchDraw(Rect(0, 0, page.Width(), page.Height()), page);
    return bitmap;
  }

  // Pixels of that colour inside r of a played page.
  static int CountColor(TBitmap& page, const RECT& r, TColor color) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        count += page.Canvas().GetPixel(x, y) == color;
    return count;
  }

private:
  ScreenFactsScope screen_;
  QRUnitFactsScope units_;

public:
  test_support::FormFixture form;
  TQRPrinter printer{nullptr};
  PageReport* report = nullptr;
};

}  // namespace printables_test
