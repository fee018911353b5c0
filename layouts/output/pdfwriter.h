// TPdfWriter: a PDF document whose pages each show one JPEG picture, the
// form the runner's PDF mode writes. Pages are written to the stream as they
// come, so a long report never holds more than one picture in memory; the
// page tree, catalogue and cross-reference table follow at EndDoc.
//
// Sizes are PDF points (1/72 inch); the origin is the page's bottom left
// corner, as in PDF. Content streams are not compressed.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/classes/streams.h"
#include "classlib/system/exceptions.h"

DOZURI_EXCEPTION(EPdfError, Exception);

// What a JPEG file's frame header says.
struct TJpegFrame {
  int Width = 0;
  int Height = 0;
  int Components = 0;  // 1 grey, 3 colour, 4 CMYK
};

// Reads the frame header (SOF0..SOF15 but the table markers); EPdfError
// when the bytes are no JPEG picture or end early.
TJpegFrame ReadJpegFrame(const std::vector<std::uint8_t>& Jpeg);

// Fixed-point text of a length in points, two decimals, always with "." as
// the separator whatever the locale: "283.46", "-5", "0.5".
std::string PdfNumber(double Value);

struct TPdfRect {
  double Left = 0, Bottom = 0, Width = 0, Height = 0;
};

class TPdfWriter {
public:
  // Writes into Stream, which must outlive the writer.
  explicit TPdfWriter(TStream& Stream);

  void BeginDoc();
  // Starts a page of that size; EPdfError for a size of no area.
  void NewPage(double Width, double Height);
  // Draws the picture into the rectangle of the open page.
  void DrawJpeg(const std::vector<std::uint8_t>& Jpeg, const TPdfRect& Where);
  // Closes the open page and writes the document's tail.
  void EndDoc();

  int PageCount() const { return static_cast<int>(pages_.size()); }

private:
  struct Page {
    int Object = 0;
    double Width = 0, Height = 0;
    std::vector<int> Images;  // object numbers, drawn in order
    std::string Content;
  };

  int NewObject();
  void BeginObject(int Number);
  void Text(const std::string& Text);
  void ClosePage();

  TStream& stream_;
  std::int64_t start_ = 0;
  std::vector<std::int64_t> offsets_;  // of object n at n - 1; -1 not written yet
  std::vector<Page> pages_;
  bool open_ = false;
  bool begun_ = false;
};
