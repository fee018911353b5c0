// TZREscapeTokenizer: splits a line of report text into runs of visible
// characters, each with the codes and styles in force for it (the preview
// draws the runs in their styles).
//
//   tokenizer.SetText(line);
//   while (!tokenizer.EndOfText()) {
//     Draw(tokenizer.Token(), tokenizer.Styles());
//     tokenizer.NextToken();
//   }
#pragma once
#include "classlib/classes/object.h"
#include "textreport/core/zrescapecodes.h"

class TZREscapeTokenizer : public TObject {
  DECLARE_CLASS(TZREscapeTokenizer, TObject)

public:
  // Starts at the first run.
  void SetText(const AnsiString& S);
  bool EndOfText() const;
  // Moves to the next run and answers it; "" once the text is used up.
  const AnsiString& NextToken();

  const AnsiString& Text() const { return FText; }
  const AnsiString& Token() const { return FToken; }
  TZREscapeSet Codes() const { return FCodes; }
  TZREscapeStyles Styles() const { return FStyles; }
  // Visible position of the current run and of the one after it.
  int Start() const { return FStart; }
  int Next() const { return FNext; }

private:
  AnsiString FText;
  TZREscapeSet FCodes;
  TZREscapeStyles FStyles;
  int FStart = 1;
  int FNext = 1;
  AnsiString FToken;
};
