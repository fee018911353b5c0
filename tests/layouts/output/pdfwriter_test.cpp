// The PDF writer: JPEG frame headers, locale-free numbers, a document whose
// cross-reference table points at its objects, and (natively) pdfinfo's
// reading of pages of different sizes.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <regex>
#include <string>

#include "classlib/classes/streams.h"
#include "layouts/output/pdfwriter.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/scratchfolder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A JPEG of headers only: SOI, an APP0 segment, an optional table segment,
// a frame header of the given marker, EOI. Enough for the frame reader and
// for readers that do not decode the picture.
Bytes JpegHeaders(std::uint8_t frameMarker, int width, int height, int components, bool tableFirst = false) {
  Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x07, 'J', 'F', 'I', 'F', 0};
  if (tableFirst)
    b.insert(b.end(), {0xFF, 0xFF, 0xC4, 0x00, 0x04, 0x00, 0x00});  // a fill byte, then DHT
  b.insert(b.end(), {0xFF, frameMarker, 0x00, static_cast<std::uint8_t>(8 + 3 * components), 8,
                     static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                     static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
                     static_cast<std::uint8_t>(components)});
  for (int c = 1; c <= components; ++c)
    b.insert(b.end(), {static_cast<std::uint8_t>(c), 0x11, 0});
  b.insert(b.end(), {0xFF, 0xD9});
  return b;
}

TEST(JpegFrameTest, FrameHeadersGiveSizeAndComponents) {
  struct Case {
    std::uint8_t marker;
    int width, height, components;
    bool tableFirst;
  } cases[] = {{0xC0, 378, 567, 3, false}, {0xC2, 1, 1, 1, false}, {0xC1, 4000, 300, 4, true}, {0xC0, 65535, 2, 3, true}};
  for (const Case& c : cases) {
    const TJpegFrame frame = ReadJpegFrame(JpegHeaders(c.marker, c.width, c.height, c.components, c.tableFirst));
    EXPECT_EQ(frame.Width, c.width);
    EXPECT_EQ(frame.Height, c.height);
    EXPECT_EQ(frame.Components, c.components);
  }
}

TEST(JpegFrameTest, BytesWithoutAFrameHeaderAreRefused) {
  Bytes good = JpegHeaders(0xC0, 10, 10, 3);
  Bytes noSoi = good;
  noSoi[1] = 0xD9;
  Bytes truncated(good.begin(), good.begin() + 16);
  Bytes scanFirst = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xD9};
  Bytes zeroWidth = JpegHeaders(0xC0, 0, 10, 3);
  Bytes garbageBetween = good;
  garbageBetween[11] = 0x12;  // where the next marker should start
  for (const Bytes& bytes : {Bytes{}, Bytes{0xFF, 0xD8}, noSoi, truncated, scanFirst, zeroWidth, garbageBetween})
    EXPECT_THROW(ReadJpegFrame(bytes), EPdfError);
}

TEST(PdfNumberTest, TwoDecimalsWithAPointWhateverTheLocale) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {{283.46456, "283.46"}, {425.19685, "425.2"}, {0, "0"}, {-5, "-5"},
               {0.5, "0.5"},          {595.276, "595.28"},  {-0.004, "0"}, {12.999, "13"}};
  for (const Case& c : cases)
    EXPECT_EQ(PdfNumber(c.value), c.text) << c.value;
}

std::string Contents(TMemoryStream& stream) {
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

// Three pages: two of 100 x 150 mm and a landscape A4 one in between.
std::string ThreePageDocument() {
  TMemoryStream stream;
  TPdfWriter pdf(stream);
  pdf.BeginDoc();
  const double labelW = 100 / 25.4 * 72, labelH = 150 / 25.4 * 72;
  pdf.NewPage(labelW, labelH);
  pdf.DrawJpeg(JpegHeaders(0xC0, 378, 567, 3), TPdfRect{0, 0, labelW, labelH});
  pdf.NewPage(841.89, 595.28);
  pdf.DrawJpeg(JpegHeaders(0xC0, 1123, 794, 1), TPdfRect{0, 0, 841.89, 595.28});
  pdf.NewPage(labelW, labelH);
  pdf.DrawJpeg(JpegHeaders(0xC0, 378, 567, 3), TPdfRect{0, 0, labelW, labelH});
  EXPECT_EQ(pdf.PageCount(), 3);
  pdf.EndDoc();
  return Contents(stream);
}

TEST(PdfWriterTest, TheCrossReferenceTablePointsAtEveryObject) {
  const std::string pdf = ThreePageDocument();
  ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  ASSERT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
  const std::size_t startxref = pdf.rfind("startxref\n");
  ASSERT_NE(startxref, std::string::npos);
  const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  std::smatch header;
  const std::string table = pdf.substr(xref);
  ASSERT_TRUE(std::regex_search(table, header, std::regex("xref\n0 (\\d+)\n")));
  const int count = std::stoi(header[1]);
  // Catalogue, page tree, and per page an image, a content stream and the page.
  EXPECT_EQ(count, 1 + 2 + 3 * 3);
  const std::size_t entries = xref + header.length(0) + 20;  // after the free entry of object 0
  for (int object = 1; object < count; ++object) {
    const std::string entry = pdf.substr(entries + 20 * (object - 1), 20);
    ASSERT_EQ(entry.substr(10), " 00000 n \n") << entry;
    const std::size_t offset = std::stoul(entry.substr(0, 10));
    EXPECT_EQ(pdf.compare(offset, std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"), 0)
        << "object " << object;
  }
  EXPECT_NE(pdf.find("/Count 3"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [0 0 283.46 425.2]"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [0 0 841.89 595.28]"), std::string::npos);
  EXPECT_NE(pdf.find("/Width 1123 /Height 794 /ColorSpace /DeviceGray"), std::string::npos);
  EXPECT_NE(pdf.find("q 283.46 0 0 425.2 0 0 cm /Im1 Do Q"), std::string::npos);
}

TEST(PdfWriterTest, CallsOutOfOrderAndEmptyPagesAreRefused) {
  TMemoryStream stream;
  TPdfWriter pdf(stream);
  EXPECT_THROW(pdf.NewPage(100, 100), EPdfError);
  EXPECT_THROW(pdf.EndDoc(), EPdfError);
  pdf.BeginDoc();
  EXPECT_THROW(pdf.BeginDoc(), EPdfError);
  EXPECT_THROW(pdf.DrawJpeg(JpegHeaders(0xC0, 1, 1, 3), TPdfRect{0, 0, 1, 1}), EPdfError);
  EXPECT_THROW(pdf.NewPage(0, 100), EPdfError);
  EXPECT_THROW(pdf.NewPage(100, -1), EPdfError);
  pdf.NewPage(100, 100);
  EXPECT_THROW(pdf.DrawJpeg(Bytes{1, 2, 3}, TPdfRect{0, 0, 1, 1}), EPdfError);
  EXPECT_THROW(pdf.DrawJpeg(JpegHeaders(0xC0, 1, 1, 2), TPdfRect{0, 0, 1, 1}), EPdfError);
  pdf.EndDoc();
  EXPECT_NE(Contents(stream).find("/Count 1"), std::string::npos);
}

#ifndef _WIN32
// pdfinfo (poppler) reads the document: its page count and each page's size.
TEST(PdfWriterTest, PdfinfoReadsThePagesAndTheirSizes) {
  ScratchFolder folder;
  const std::string file = folder.File("labels.pdf");
  const std::string pdf = ThreePageDocument();
  WriteFileBytes(file, FileBytes(pdf.begin(), pdf.end()));
  FILE* out = popen(("pdfinfo -f 1 -l 3 '" + file + "' 2>&1").c_str(), "r");
  if (out == nullptr)
    GTEST_SKIP() << "pdfinfo cannot be started";
  std::string info;
  char buffer[512];
  while (fgets(buffer, sizeof(buffer), out) != nullptr)
    info += buffer;
  if (pclose(out) == 127 << 8)
    GTEST_SKIP() << "pdfinfo is not installed";
  EXPECT_EQ(pdf_info::PageCount(info), 3) << info;
  const struct {
    int page;
    double width, height;
  } sizes[] = {{1, 283.46, 425.2}, {2, 841.89, 595.28}, {3, 283.46, 425.2}};
  for (const auto& expected : sizes) {
    const std::optional<pdf_info::PageSize> size = pdf_info::SizeOfPage(info, expected.page);
    ASSERT_TRUE(size) << info;
    EXPECT_NEAR(size->Width, expected.width, 0.005) << info;
    EXPECT_NEAR(size->Height, expected.height, 0.005) << info;
  }
  EXPECT_EQ(info.find("rror"), std::string::npos) << info;
}
#endif

}  // namespace
