#include "textreport/core/zrconst.h"

#include <array>

namespace {

// In the order of TZRStringId.
constexpr std::array<const char*, SZRStringCount> kStrings = {
    "Not ready to start new document",
    "New document not started",
    "Report generating cancelled",
    "Out of page bounds, page %d/%d, line %d",
    "Invalid page range: %d..%d",
    "Invalid file name: %s",
    "Illegal circular reference to '%s'",
    "Bands of %s type cannot have children",
    "Bands of %s type cannot have subcontrollers",
    "%s band cannot stretch",
    "Circular links not allowed",
    "A component of class %s can only belong to report or report bands",
    "A component of class %s can only belong to report bands",
    "Band %s contains labels.\nDelete ?",
    "Controller variables '%s'",
    "<custom>",
    "<none>",
    "True",
    "False",
    "Processing..",
    "E&xit",
    "Print",
    "Search",
    "First page",
    "Previous page",
    "Next page",
    "Last page",
    "Go to page by number",
    "Printer setup",
    "Save report - Ctrl+S",
    "Load report",
    "Print report - Ctrl+P",
    "Search - F7,\nContinue - Shift+F7",
    "of",
    "Go to page",
    "Search string '%s' not found",
    "Text files (*.txt)|*.txt|All files (*.*)|*.*",
    "Convert to OEM",
    "Ignore font styles",
    "ESC-sequence",
    "Printer setup",
    "&Ok",
    "Cancel",
    "&Help",
    "  At run time, Windows will\r\n place controls in this area.",
    "Search text",
    "&Text to search",
    "Case &sensitive",
    "&From current position",
    "&Find",
    "&Continue",
    "Printing..",
    "complete",
};

}  // namespace

const char* LoadZRString(TZRStringId id) {
  const auto index = static_cast<std::size_t>(id);
  return index < kStrings.size() ? kStrings[index] : "";
}

void RaiseZRError(TZRStringId id, std::initializer_list<TVarRec> arguments) {
  throw EZRError(Format(LoadZRString(id), arguments));
}
