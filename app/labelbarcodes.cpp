#include "app/labelbarcodes.h"

#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "classlib/system/numconv.h"

namespace {

bool AllDigits(const AnsiString& Text) {
  for (char c : Text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

}  // namespace

char Ean13CheckDigit(const AnsiString& Digits) {
  int sum = 0;
  for (int k = 0; k < 12; ++k)
    sum += (Digits[k] - '0') * (k % 2 == 0 ? 1 : 3);
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

AnsiString Ean13CodeProblem(const AnsiString& Code) {
  if (Code.empty())
    return "";
  if (!AllDigits(Code) || (Code.size() != 12 && Code.size() != 13))
    return "EAN-13 barkodu 12 ya da 13 rakamdan oluşmalıdır.";
  if (Code.size() == 13 && Code[12] != Ean13CheckDigit(Code))
    return AnsiString("Kontrol hanesi yanlış: son rakam ") + Ean13CheckDigit(Code) + " olmalıdır.";
  return "";
}

AnsiString FirstLabelBarcodeProblem(TDataSet& Labels) {
  if (!Labels.Active())
    return "";
  TField* code = Labels.FindField("METIN1");
  TField* placeholder = Labels.FindField("BAS");
  if (code == nullptr)
    return "";
  const TBookmark current = Labels.GetBookmark();
  Labels.DisableControls();
  AnsiString message;
  int position = 0;
  for (Labels.First(); !Labels.Eof() && message.empty(); Labels.Next()) {
    if (placeholder != nullptr && placeholder->AsBoolean())
      continue;
    ++position;
    const AnsiString problem = Ean13CodeProblem(code->AsString());
    if (!problem.empty())
      message = IntToStr(position) + ". etiketteki barkod (" + code->AsString() + ") basılamaz. " + problem;
  }
  if (Labels.BookmarkValid(current))
    Labels.GotoBookmark(current);
  Labels.FreeBookmark(current);
  Labels.EnableControls();
  return message;
}
