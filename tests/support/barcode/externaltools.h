// Running the independent barcode tools (zint, ZXingReader, zbarimg) that the
// native tests compare against. On Windows, or where a tool is not installed,
// ToolAvailable is false and the tests that need it skip.
#pragma once
#include <optional>
#include <string>

#include "support/barcode/barcodelayout.h"
#include "support/barcode/barcodepattern.h"

bool ToolAvailable(const std::string& tool);
// Why a test that needs the tool skips: not installed (with its Debian
// package), or a Windows build, which compares through the native run.
std::string ToolMissing(const std::string& tool, const std::string& package);
// Runs a shell command and returns its standard output, or nothing when it
// could not be started or exited with an error.
std::optional<std::string> RunTool(const std::string& command);
// Wraps text in single quotes for the shell.
std::string ShellQuote(const std::string& text);

// zint's --dump output (hexadecimal rows, separated by new lines or '/') as one string per symbol: '1' bar
// module, '0' space; with two rows (PostNet) 'T' tall bar, 'S' short bar.
// Trailing spaces, which the dump pads to whole hex digits, are dropped.
std::string ZintDumpToModules(const std::string& dump);
// Our pattern in the same notation; wide elements wideModules long.
std::string PatternToModules(const TBarcodePattern& pattern, int wideModules);

// Writes the layout as a binary PGM image (white ground, black bars) with a
// white margin of `margin` pixels around it. Returns the file name.
std::string WritePgm(const TBarLayout& layout, int margin, const std::string& name);
