#include "layouts/output/pagepictures.h"

#include <windows.h>

#include <atomic>
#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/numconv.h"
#include "reportengine/printer/qrprinter.h"

namespace {

std::atomic<int> runCounter{0};

std::unique_ptr<TBitmap> DrawMetafileFile(const AnsiString& MetafileName, bool Framed) {
  TMetafile page;
  page.LoadFromFile(MetafileName);
  auto picture = std::make_unique<TBitmap>();
  picture->SetPixelFormat(pf24bit);
  picture->SetSize(page.Width(), page.Height());
  TCanvas& canvas = picture->Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(RECT{0, 0, page.Width(), page.Height()});
  canvas.Draw(0, 0, page);
  if (Framed) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(0, 0, page.Width(), page.Height());
  }
  return picture;
}

}  // namespace

TOutputRunFolder::TOutputRunFolder() {
  const AnsiString base = GetTempDir() + "Dozuri-" + IntToStr(static_cast<int>(GetCurrentProcessId())) + "-";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const AnsiString candidate = base + IntToStr(++runCounter);
    if (CreateDir(candidate)) {
      path_ = candidate + "\\";
      return;
    }
  }
  throw EInOutError("Geçici klasör oluşturulamadı: " + base);
}

TOutputRunFolder::~TOutputRunFolder() {
  for (const AnsiString& file : files_)
    DeleteFile(file);
  RemoveDir(path_.substr(0, path_.size() - 1));
}

AnsiString TOutputRunFolder::File(const AnsiString& Name) {
  const AnsiString file = path_ + Name;
  files_.push_back(file);
  return file;
}

AnsiString PagePictureName(int Page, const char* Extension) { return "Temp" + IntToStr(Page) + Extension; }

void SavePageMetafile(TQRPrinter& Printer, int Page, const AnsiString& FileName) {
  Printer.SetCurrentPage(Page);
  std::unique_ptr<TMetafile> page = Printer.GetPage(Page);
  if (!page)
    throw Exception("Rapor sayfası " + IntToStr(Page) + " okunamadı.");
  page->SaveToFile(FileName);
}

void MetafileFileToGif(const AnsiString& MetafileName, const AnsiString& GifName) {
  std::unique_ptr<TBitmap> picture = DrawMetafileFile(MetafileName, true);
  TGIFImage gif;
  gif.Assign(picture.get());
  gif.SaveToFile(GifName);
}

void MetafileFileToJpeg(const AnsiString& MetafileName, const AnsiString& JpegName) {
  std::unique_ptr<TBitmap> picture = DrawMetafileFile(MetafileName, false);
  TJPEGImage jpeg;
  jpeg.Assign(picture.get());
  jpeg.SaveToFile(JpegName);
}
