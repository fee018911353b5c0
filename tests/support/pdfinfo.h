// Reading poppler's pdfinfo report on a PDF: its page count ("Pages:") and,
// when pdfinfo was asked for a page range (-f/-l), each page's size in
// points. Portable and header-only: native tests run pdfinfo themselves,
// Windows tests read its report from a file the Unix side wrote.
#pragma once

#include <optional>
#include <regex>
#include <string>

namespace pdf_info {

// The page count of the report, or -1 when it names none.
inline int PageCount(const std::string& info) {
  std::smatch found;
  if (!std::regex_search(info, found, std::regex("(^|\n)Pages: +([0-9]+)")))
    return -1;
  return std::stoi(found[2]);
}

struct PageSize {
  double Width = 0, Height = 0;  // points
};

// Page n's size from its line "Page    n size: W x H pts"; none when the
// report holds no such line.
inline std::optional<PageSize> SizeOfPage(const std::string& info, int page) {
  std::smatch found;
  const std::regex line("(^|\n)Page +" + std::to_string(page) + " size: +([0-9.]+) x ([0-9.]+) pts");
  if (!std::regex_search(info, found, line))
    return std::nullopt;
  return PageSize{std::stod(found[2]), std::stod(found[3])};
}

}  // namespace pdf_info
