// A text report stand-in for the document's tests: page size, options and
// title, with the print start and finish counted.
#pragma once
#include <functional>
#include <string>

#include "textreport/core/zrconst.h"
#include "textreport/output/zrprntr.h"

namespace zr_test {

class TestReport : public IZReport {
public:
  TestReport(int width, int height) : width_(width), height_(height) {
    options.SetOEMConvert(false);
  }
  TZReportOptions* FetchOptions() override { return &options; }
  void StoreOptions(TZReportOptions* Value) override { options.Assign(Value); }
  AnsiString FetchTitle() override { return title; }
  void StoreTitle(const AnsiString& Value) override { title = Value; }
  TFont* FetchFont() override { return nullptr; }
  void StoreFont(TFont*) override {}
  AnsiString FetchFileName() override { return options.FileName(); }
  int PageWidthInChars() override { return width_; }
  int PageHeightInLines() override { return height_; }
  TZRPrinter* FetchPrinter() override { return printer; }
  void AttachPrinter(TZRPrinter* Printer) override { printer = Printer; }
  bool IsRunning() override { return printer != nullptr; }
  void Preview() override {}
  void Print() override {}
  void DoPrintStart() override { ++printStarts; }
  void DoPrintFinish() override { ++printFinishes; }

  TZReportOptions options;
  AnsiString title = "Rapor";
  TZRPrinter* printer = nullptr;
  int printStarts = 0;
  int printFinishes = 0;

private:
  int width_, height_;
};

// A finished document of the given pages (each a list of lines).
inline void Build(TZRPrinter& document, const std::vector<std::vector<AnsiString>>& pages) {
  document.BeginDoc();
  for (const auto& page : pages) {
    document.NewPage();
    for (size_t i = 0; i < page.size(); ++i)
      document.WriteText(0, static_cast<int>(i), page[i]);
  }
  document.EndDoc();
}

// The message of the text engine's error that an action raises, or
// "(no error)".
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EZRError& e) {
    return e.Message;
  }
  return "(no error)";
}

}  // namespace zr_test
