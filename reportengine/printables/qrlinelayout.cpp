#include "reportengine/printables/qrlinelayout.h"

namespace {

// The words of a paragraph: each runs up to and including the next space or
// hyphen; the last takes the rest.
std::vector<AnsiString> SplitWords(const AnsiString& Paragraph) {
  std::vector<AnsiString> words;
  size_t start = 0;
  for (size_t i = 0; i < Paragraph.size(); ++i) {
    if (Paragraph[i] == ' ' || Paragraph[i] == '-') {
      words.push_back(Paragraph.substr(start, i + 1 - start));
      start = i + 1;
    }
  }
  if (start < Paragraph.size())
    words.push_back(Paragraph.substr(start));
  return words;
}

class ParagraphLayout {
public:
  ParagraphLayout(const TQRLineLayoutOptions& options, const TQRTextMeasure& measure, std::vector<AnsiString>& lines)
      : options_(options), measure_(measure), lines_(lines) {}

  void Run(const AnsiString& paragraph) {
    if (options_.AutoSize) {
      lines_.push_back(paragraph);
      return;
    }
    for (AnsiString word : SplitWords(paragraph)) {
      if (measure_(line_ + word) <= options_.Width) {
        line_ += word;
        continue;
      }
      if (line_.empty())
        word = TakeWhatFits(word);
      Emit();
      if (measure_(word) > options_.Width)
        word = CutToFit(word);
      if (!options_.WordWrap)
        return;  // one line per paragraph: the rest is dropped
      line_ = word;
    }
    Emit();
  }

private:
  // A word wider than the whole label: its characters move to the line
  // while the line stays narrower than the label; the rest is dropped.
  AnsiString TakeWhatFits(const AnsiString& word) {
    for (char c : word) {
      if (measure_(line_ + c) >= options_.Width)
        break;
      line_ += c;
    }
    return AnsiString();
  }

  // Characters go from the end until the word fits; it becomes a line of
  // its own. Nothing fits a label of width 0.
  AnsiString CutToFit(AnsiString word) {
    if (options_.Width <= 0)
      return AnsiString();
    while (!word.empty() && measure_(word) > options_.Width)
      word.pop_back();
    lines_.push_back(word);
    return AnsiString();
  }

  void Emit() {
    lines_.push_back(line_);
    line_.clear();
  }

  const TQRLineLayoutOptions& options_;
  const TQRTextMeasure& measure_;
  std::vector<AnsiString>& lines_;
  AnsiString line_;
};

}  // namespace

void LayOutParagraphs(const AnsiString& Text, const TQRLineLayoutOptions& Options, const TQRTextMeasure& Measure,
                      std::vector<AnsiString>& Lines) {
  AnsiString text;
  text.reserve(Text.size());
  for (char c : Text)
    if (c != '\n')
      text += c;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\r', start);
    ParagraphLayout(Options, Measure, Lines).Run(text.substr(start, end == AnsiString::npos ? AnsiString::npos : end - start));
    if (end == AnsiString::npos)
      break;
    start = end + 1;
  }
}
