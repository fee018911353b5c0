// What the output mode tests share: hand-made page stores of a known size
// with a black block per page, a report that runs into them, and poppler run
// on the Unix side on a file the Windows side wrote. Header-only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/colors.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "layouts/output/outputmodes.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/testqueues.h"

namespace output_test {

// Pages of 100 x 150 mm. Page n carries a black block 30 mm square whose
// left edge is at 10 + 30 (n - 1) mm, its top at 20 mm.
constexpr int PageWidth = 1000, PageLength = 1500;  // 0.1 mm

inline RECT BlockOf(int page) { return RECT{100 + 300 * (page - 1), 200, 400 + 300 * (page - 1), 500}; }

inline void RunBlockPages(TQRPrinter& printer, int count) {
  printer.Settings().SetPaperSize(TQRPaperSize::Default);
  printer.Settings().SetPaperWidth(PageWidth);
  printer.Settings().SetPaperLength(PageLength);
  printer.BeginDoc();
  for (int n = 1; n <= count; ++n) {
    printer.NewPage();
    TCanvas& canvas = printer.CurrentCanvas();
    const RECT block = BlockOf(n);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(RECT{printer.DeviceX(block.left), printer.DeviceY(block.top), printer.DeviceX(block.right),
                         printer.DeviceY(block.bottom)});
  }
  printer.EndDoc();
}

// A report whose Prepare runs Pages block pages into a fresh printer object.
class BlockReport : public TOutputReport {
public:
  explicit BlockReport(int pages) : pages_(pages) {}
  void Prepare() override {
    ++Prepares;
    printer_ = std::make_unique<TQRPrinter>(nullptr);
    RunBlockPages(*printer_, pages_);
  }
  int PageCount() override { return printer_ ? printer_->PageCount() : 0; }
  TQRPrinter* QRPrinter() override { return printer_.get(); }
  void Preview() override { ++Previews; }
  void Print() override { ++Prints; }

  int Prepares = 0, Previews = 0, Prints = 0;

private:
  int pages_;
  std::unique_ptr<TQRPrinter> printer_;
};

// The Unix name of a Windows file name; "" when not running under Wine.
inline std::string UnixPathOf(const AnsiString& windowsName) {
  using Converter = char*(__cdecl*)(const wchar_t*);
  auto convert = reinterpret_cast<Converter>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr)
    return "";
  std::wstring wide(windowsName.begin(), windowsName.end());  // ASCII names only
  char* unix = convert(wide.c_str());
  if (unix == nullptr)
    return "";
  std::string path = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

// Runs a Unix command line that writes resultUnix, and waits for it.
inline bool RunAndWait(const std::string& command, const std::string& resultUnix) {
  return test_queues::RunUnixShell(command) && test_queues::WaitForFile(resultUnix);
}

// Folders of this process's output runs under the temporary folder.
inline int RunFoldersLeft() {
  const AnsiString pattern = GetTempDir() + "Dozuri-" + IntToStr(static_cast<int>(GetCurrentProcessId())) + "-*";
  std::wstring wide(pattern.begin(), pattern.end());
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(wide.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  int count = 0;
  do
    ++count;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

// An 8-bit grey picture (PGM, "P5") as pdftoppm writes it.
struct GreyPicture {
  int Width = 0, Height = 0;
  std::string Pixels;
  int At(int x, int y) const { return static_cast<unsigned char>(Pixels[static_cast<std::size_t>(y) * Width + x]); }
};

inline GreyPicture ReadPgm(const std::string& bytes) {
  GreyPicture picture;
  std::size_t at = 0;
  auto token = [&]() {
    while (at < bytes.size() && isspace(static_cast<unsigned char>(bytes[at])))
      ++at;
    const std::size_t start = at;
    while (at < bytes.size() && !isspace(static_cast<unsigned char>(bytes[at])))
      ++at;
    return bytes.substr(start, at - start);
  };
  if (token() != "P5")
    return picture;
  picture.Width = std::stoi(token());
  picture.Height = std::stoi(token());
  token();  // maximum value
  picture.Pixels = bytes.substr(at + 1);
  if (picture.Pixels.size() < static_cast<std::size_t>(picture.Width) * picture.Height)
    picture = GreyPicture{};
  return picture;
}

}  // namespace output_test
