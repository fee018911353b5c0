#include "textreport/core/zrescapetokenizer.h"

#include "textreport/core/zrescapetext.h"

IMPLEMENT_CLASS(TZREscapeTokenizer)

void TZREscapeTokenizer::SetText(const AnsiString& S) {
  FText = S;
  FCodes = {};
  FStyles = {};
  FToken.clear();
  FStart = 1;
  FNext = 1;
  NextToken();
}

bool TZREscapeTokenizer::EndOfText() const { return VisibleLength(FText) < FStart; }

const AnsiString& TZREscapeTokenizer::NextToken() {
  if (EndOfText()) {
    FToken.clear();
    return FToken;
  }
  FStart = FNext;
  FCodes = EscapeStateBefore(FText, FStart);
  FStyles = StyleSet(FCodes);
  FToken.clear();
  for (int i = RawPos(FText, FStart); i <= static_cast<int>(FText.size()) && !IsEscapeAt(FText, i); ++i)
    FToken += FText[static_cast<std::size_t>(i - 1)];
  FNext = FStart + static_cast<int>(FToken.size());
  return FToken;
}
