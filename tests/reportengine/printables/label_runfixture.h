// A report run for the text printables' tests: a report on the shared form
// with a detail band over an in-memory table, run with Prepare into the
// printer object's pages, and the texts each page holds. Header-only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/graphics/metafile.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/formfixture.h"

namespace printables_test {

// The texts of every text output of a page, in page order, in code page
// 1254.
inline std::vector<std::string> TextsOfPage(TMetafile& page) {
  std::vector<std::string> texts;
  EnumEnhMetaFile(
      nullptr, page.Handle(),
      [](HDC, HANDLETABLE*, const ENHMETARECORD* raw, int, LPARAM data) -> int {
        if (raw->iType != EMR_EXTTEXTOUTW)
          return 1;
        auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(raw);
        auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(raw) + t->emrtext.offString);
        int count = static_cast<int>(t->emrtext.nChars);
        std::string text(static_cast<std::size_t>(count) * 2, '\0');
        int n = WideCharToMultiByte(1254, 0, chars, count, text.data(), static_cast<int>(text.size()), nullptr,
                                    nullptr);
        text.resize(static_cast<std::size_t>(n));
        reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
        return 1;
      },
      &texts, nullptr);
  return texts;
}

class ReportRun {
public:
  ReportRun() {
    form.Show();
    // The report is not placed on the form: it runs without a window, as
    // a report kept on a data module does.
    report = new TQuickRep(form.Host());
    report->Bands()->SetHasDetail(true);
    detail = report->Bands()->DetailBand();
    table = new TRxMemoryData(form.Host());
  }

  // A printable of class T on band at (left, top), width × height pixels.
  template <class T>
  T* Add(TQRCustomBand* band, int left, int top, int width, int height) {
    auto* printable = new T(form.Host());
    printable->SetParent(band);
    printable->SetBounds(left, top, width, height);
    return printable;
  }

  // Opens the table and makes it the report's data set.
  void Open() {
    table->Open();
    report->SetDataSet(table);
  }

  // Runs the report into pages and gives each page's texts.
  std::vector<std::vector<std::string>> Run() {
    report->Prepare();
    std::vector<std::vector<std::string>> pages;
    TQRPrinter* printer = report->QRPrinter();
    EXPECT_NE(printer, nullptr);
    if (printer == nullptr)
      return pages;
    for (int i = 1; i <= printer->PageCount(); ++i) {
      std::unique_ptr<TMetafile> page = printer->GetPage(i);
      EXPECT_NE(page, nullptr) << "page " << i;
      if (page != nullptr)
        pages.push_back(TextsOfPage(*page));
    }
    return pages;
  }

  test_support::FormFixture form;
  TQuickRep* report = nullptr;
  TQRCustomBand* detail = nullptr;
  TRxMemoryData* table = nullptr;
};

}  // namespace printables_test
