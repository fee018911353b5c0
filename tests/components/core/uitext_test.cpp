#include "components/core/uitext.h"

#include <gtest/gtest.h>

#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"

// Components with the text properties the walk looks for.
class TTextSample : public TComponent {
  DECLARE_CLASS(TTextSample, TComponent)

public:
  explicit TTextSample(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Caption;
  AnsiString Hint;
  AnsiString Other;
};

BEGIN_PUBLISHED(TTextSample)
  PROPERTY(Caption, Caption, Caption),
  PROPERTY(Hint, Hint, Hint),
  PROPERTY(Other, Other, Other),
END_PUBLISHED

class TTitleSample : public TComponent {
  DECLARE_CLASS(TTitleSample, TComponent)

public:
  explicit TTitleSample(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Title;
  int Caption = 7;  // a property of that name that holds no text
};

BEGIN_PUBLISHED(TTitleSample)
  PROPERTY(Title, Title, Title),
  PROPERTY(Caption, Caption, Caption),
END_PUBLISHED

namespace {

TEST(TransliterateTurkish, EveryTurkishLetterBecomesItsBaseLetter) {
  struct Case {
    unsigned char Byte;
    char Ascii;
  };
  const Case table[] = {{0xC7, 'C'}, {0xD0, 'G'}, {0xD6, 'O'}, {0xDC, 'U'}, {0xDD, 'I'}, {0xDE, 'S'},
                        {0xE7, 'c'}, {0xF0, 'g'}, {0xF6, 'o'}, {0xFC, 'u'}, {0xFD, 'i'}, {0xFE, 's'}};
  for (const Case& c : table)
    EXPECT_EQ(TransliterateTurkish(AnsiString(1, static_cast<char>(c.Byte))), AnsiString(1, c.Ascii))
        << std::hex << int(c.Byte);
  // The same letters as written in the source, in 1254.
  EXPECT_EQ(TransliterateTurkish("ÇĞÖÜİŞçğöüış"), "CGOUIScgouis");
}

TEST(TransliterateTurkish, KeepsLengthAndEveryOtherByte) {
  EXPECT_EQ(TransliterateTurkish("Güncelleme Yapılmalı."), "Guncelleme Yapilmali.");
  EXPECT_EQ(TransliterateTurkish(""), "");
  AnsiString others;
  for (int b = 0; b < 256; ++b)
    if (b != 0xC7 && b != 0xD0 && b != 0xD6 && b != 0xDC && b != 0xDD && b != 0xDE && b != 0xE7 && b != 0xF0 &&
        b != 0xF6 && b != 0xFC && b != 0xFD && b != 0xFE)
      others += static_cast<char>(b);
  EXPECT_EQ(others.size(), 244u);
  EXPECT_EQ(TransliterateTurkish(others), others);  // â, é, ASCII, control bytes, NUL
}

TEST(TranslateText, WithoutAHookCaretMBecomesALineBreak) {
  const TTranslateTextEvent none;
  EXPECT_EQ(TranslateText("Birinci satır^Mİkinci satır", none), "Birinci satır\r\nİkinci satır");
  EXPECT_EQ(TranslateText("a^M^Mb^M", none), "a\r\n\r\nb\r\n");
  EXPECT_EQ(TranslateText("küçük ^m kalır", none), "küçük ^m kalır");
  EXPECT_EQ(TranslateText("son ^", none), "son ^");
  EXPECT_EQ(TranslateText("", none), "");
}

TEST(TranslateText, AHookGetsTheTransliteratedTextAndKeepsCaretM) {
  AnsiString seen;
  const TTranslateTextEvent hook = [&](const AnsiString& Text, AnsiString& Result) {
    seen = Text;
    Result = "[" + Text + "]";
  };
  EXPECT_EQ(TranslateText("Güncelleme^MYapılmalı", hook), "[Guncelleme^MYapilmali]");
  EXPECT_EQ(seen, "Guncelleme^MYapilmali");
}

TEST(TranslateHookText, WithoutAHookTheTextStandsAndAQuietHookLeavesTheAsciiText) {
  EXPECT_EQ(TranslateHookText("Güncelle", TTranslateTextEvent()), "Güncelle");
  const TTranslateTextEvent quiet = [](const AnsiString&, AnsiString&) {};
  EXPECT_EQ(TranslateHookText("Güncelle", quiet), "Guncelle");
}

TEST(TransliterateFormTexts, ChangesCaptionsHintsAndTitlesOfOwnedComponentsOnly) {
  TTextSample form(nullptr);
  form.Caption = "Güncelleme Formu";
  auto* label = new TTextSample(&form);
  label->Caption = "Sürüm Kontrolü";
  label->Hint = "Şimdi kontrol et";
  label->Other = "Değişmez";
  auto* empty = new TTextSample(&form);
  auto* header = new TTitleSample(&form);
  header->Title = "Hakkında";
  auto* child = new TTextSample(label);  // owned by the label, not by the form
  child->Caption = "Çocuk";

  TransliterateFormTexts(&form);

  EXPECT_EQ(form.Caption, "Güncelleme Formu");
  EXPECT_EQ(label->Caption, "Surum Kontrolu");
  EXPECT_EQ(label->Hint, "Simdi kontrol et");
  EXPECT_EQ(label->Other, "Değişmez");
  EXPECT_EQ(empty->Caption, "");
  EXPECT_EQ(empty->Hint, "");
  EXPECT_EQ(header->Title, "Hakkinda");
  EXPECT_EQ(header->Caption, 7);
  EXPECT_EQ(child->Caption, "Çocuk");
}

}  // namespace
