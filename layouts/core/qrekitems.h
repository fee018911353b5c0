// The formatting items of a host record's QR_EK field, read once per record
// and then applied to a band (graphic pages) or to a text label's styles
// (text pages).
//
// The text is a sequence of items, each followed by "|": an item is only
// taken when a "|" follows it, so text after the last "|" has no effect
// (stored layouts and hosts rely on that). Items:
//   "COLOR=<colour>"        a name such as "clYellow", a decimal number or "$" hex
//   ...FONT.SIZE=<size>...  a whole number, decimal or "$" hex
//   ...FONT.COLOR=<colour>...
//   ...FONT.STYLE=<style>... exactly "BOLD", "ITALIC", "UNDERLINE" or "STRIKEOUT"
// (the FONT items are recognised anywhere in the item; the value is the text
// after the item's first "="). Later items override earlier ones of the same
// kind; styles add up. A value that does not convert is ignored, as are
// unknown items and style names: a mistyped record never ends a run.
#pragma once
#include <optional>
#include <vector>

#include "classlib/graphics/colors.h"
#include "classlib/system/ansistring.h"

enum class TQrEkStyle { Bold, Italic, Underline, StrikeOut };

struct TQrEkFormat {
  std::optional<TColor> Color;
  std::optional<int> FontSize;
  std::optional<TColor> FontColor;
  // In the order the items named them; the font's styles start empty.
  std::vector<TQrEkStyle> Styles;

  bool HasStyle(TQrEkStyle Style) const;
};

// The items of the text: every piece before a "|"; the rest is dropped.
std::vector<AnsiString> SplitQrEkItems(const AnsiString& Text);

TQrEkFormat ParseQrEk(const AnsiString& Text);
