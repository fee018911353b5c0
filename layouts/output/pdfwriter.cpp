#include "layouts/output/pdfwriter.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void NoJpeg() { throw EPdfError("Sayfa resmi geçerli bir JPEG dosyası değil."); }

bool IsFrameMarker(std::uint8_t marker) {
  // SOF0..SOF15 without DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); }

const char* ColourSpace(int components) {
  switch (components) {
    case 1:
      return "/DeviceGray";
    case 3:
      return "/DeviceRGB";
    case 4:
      return "/DeviceCMYK";
    default:
      throw EPdfError("JPEG resminin renk bileşeni sayısı desteklenmiyor.");
  }
}

std::string Offset10(std::int64_t value) {
  std::string digits = std::to_string(value);
  return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
}

std::string Ref(int object) { return std::to_string(object) + " 0 R"; }

constexpr int CatalogObject = 1;
constexpr int PagesObject = 2;

}  // namespace

TJpegFrame ReadJpegFrame(const std::vector<std::uint8_t>& Jpeg) {
  const std::size_t size = Jpeg.size();
  if (size < 4 || Jpeg[0] != 0xFF || Jpeg[1] != 0xD8)
    NoJpeg();
  std::size_t at = 2;
  while (at < size) {
    if (Jpeg[at] != 0xFF)
      NoJpeg();
    while (at < size && Jpeg[at] == 0xFF)  // fill bytes
      ++at;
    if (at >= size)
      break;
    const std::uint8_t marker = Jpeg[at++];
    if (IsStandalone(marker))
      continue;
    if (marker == 0xD9 || marker == 0xDA || at + 2 > size)
      break;  // image data or its end before any frame header
    const std::size_t length = (std::size_t{Jpeg[at]} << 8) | Jpeg[at + 1];
    if (length < 2 || at + length > size)
      break;
    if (IsFrameMarker(marker)) {
      if (length < 8)
        break;
      TJpegFrame frame;
      frame.Height = (Jpeg[at + 3] << 8) | Jpeg[at + 4];
      frame.Width = (Jpeg[at + 5] << 8) | Jpeg[at + 6];
      frame.Components = Jpeg[at + 7];
      if (frame.Width <= 0 || frame.Height <= 0)
        break;
      return frame;
    }
    at += length;
  }
  NoJpeg();
}

std::string PdfNumber(double Value) {
  const long long hundredths = std::llround(Value * 100);
  const long long whole = std::llabs(hundredths) / 100, fraction = std::llabs(hundredths) % 100;
  std::string text = (hundredths < 0 ? "-" : "") + std::to_string(whole);
  if (fraction != 0) {
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0)
      text += static_cast<char>('0' + fraction % 10);
  }
  return text;
}

TPdfWriter::TPdfWriter(TStream& Stream) : stream_(Stream) {}

int TPdfWriter::NewObject() {
  offsets_.push_back(-1);
  return static_cast<int>(offsets_.size());
}

void TPdfWriter::BeginObject(int Number) {
  offsets_[Number - 1] = stream_.Position() - start_;
  Text(std::to_string(Number) + " 0 obj\n");
}

void TPdfWriter::Text(const std::string& Text) {
  stream_.WriteBuffer(Text.data(), static_cast<std::int32_t>(Text.size()));
}

void TPdfWriter::BeginDoc() {
  if (begun_)
    throw EPdfError("PDF belgesi zaten başlatıldı.");
  begun_ = true;
  start_ = stream_.Position();
  offsets_.clear();
  pages_.clear();
  NewObject();  // the catalogue
  NewObject();  // the page tree, written last
  // The second line's bytes above 127 mark the file as binary.
  Text("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

void TPdfWriter::NewPage(double Width, double Height) {
  if (!begun_)
    throw EPdfError("PDF belgesi başlatılmadan sayfa eklenemez.");
  if (!(Width > 0) || !(Height > 0))
    throw EPdfError("PDF sayfasının boyutu sıfır olamaz.");
  ClosePage();
  Page page;
  page.Width = Width;
  page.Height = Height;
  pages_.push_back(std::move(page));
  open_ = true;
}

void TPdfWriter::DrawJpeg(const std::vector<std::uint8_t>& Jpeg, const TPdfRect& Where) {
  if (!open_)
    throw EPdfError("Resim çizilecek açık bir PDF sayfası yok.");
  const TJpegFrame frame = ReadJpegFrame(Jpeg);
  const char* colours = ColourSpace(frame.Components);
  const int image = NewObject();
  BeginObject(image);
  Text("<< /Type /XObject /Subtype /Image /Width " + std::to_string(frame.Width) + " /Height " +
       std::to_string(frame.Height) + " /ColorSpace " + colours + " /BitsPerComponent 8 /Filter /DCTDecode /Length " +
       std::to_string(Jpeg.size()) + " >>\nstream\n");
  stream_.WriteBuffer(Jpeg.data(), static_cast<std::int32_t>(Jpeg.size()));
  Text("\nendstream\nendobj\n");
  Page& page = pages_.back();
  page.Images.push_back(image);
  page.Content += "q " + PdfNumber(Where.Width) + " 0 0 " + PdfNumber(Where.Height) + " " + PdfNumber(Where.Left) +
                  " " + PdfNumber(Where.Bottom) + " cm /Im" + std::to_string(page.Images.size()) + " Do Q\n";
}

void TPdfWriter::ClosePage() {
  if (!open_)
    return;
  open_ = false;
  Page& page = pages_.back();
  const int content = NewObject();
  BeginObject(content);
  Text("<< /Length " + std::to_string(page.Content.size()) + " >>\nstream\n" + page.Content + "endstream\nendobj\n");
  std::string images;
  for (std::size_t i = 0; i < page.Images.size(); ++i)
    images += " /Im" + std::to_string(i + 1) + " " + Ref(page.Images[i]);
  page.Object = NewObject();
  BeginObject(page.Object);
  Text("<< /Type /Page /Parent " + Ref(PagesObject) + " /MediaBox [0 0 " + PdfNumber(page.Width) + " " +
       PdfNumber(page.Height) + "] /Resources << /ProcSet [/PDF /ImageC /ImageB] /XObject <<" + images +
       " >> >> /Contents " + Ref(content) + " >>\nendobj\n");
  page.Content.clear();
  page.Content.shrink_to_fit();
}

void TPdfWriter::EndDoc() {
  if (!begun_)
    throw EPdfError("PDF belgesi başlatılmadı.");
  ClosePage();
  std::string kids;
  for (const Page& page : pages_)
    kids += (kids.empty() ? "" : " ") + Ref(page.Object);
  BeginObject(PagesObject);
  Text("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) + " >>\nendobj\n");
  BeginObject(CatalogObject);
  Text("<< /Type /Catalog /Pages " + Ref(PagesObject) + " >>\nendobj\n");
  const std::int64_t xref = stream_.Position() - start_;
  std::string table = "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
  for (std::int64_t offset : offsets_)
    table += Offset10(offset) + " 00000 n \n";
  Text(table + "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " + Ref(CatalogObject) +
       " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n");
  begun_ = false;
}
