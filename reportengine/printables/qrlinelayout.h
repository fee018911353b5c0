// Lays a label's text out in lines that fit its width: paragraphs at each
// carriage return (line feeds are dropped), words that run up to and
// including the next space or hyphen, and the cutting rules for a word
// wider than the label. Measuring is the caller's, so the same layout
// serves the printer, the design surface and the tests.
#pragma once
#include <functional>
#include <vector>

#include "classlib/system/ansistring.h"

// The width of a text in the units the label's width is given in.
using TQRTextMeasure = std::function<int(const AnsiString& Text)>;

struct TQRLineLayoutOptions {
  int Width = 0;
  bool WordWrap = true;
  // An auto-sized label keeps each paragraph as one line.
  bool AutoSize = false;
};

// Appends the lines of every paragraph of Text to Lines.
void LayOutParagraphs(const AnsiString& Text, const TQRLineLayoutOptions& Options, const TQRTextMeasure& Measure,
                      std::vector<AnsiString>& Lines);
