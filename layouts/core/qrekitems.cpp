#include "layouts/core/qrekitems.h"

#include <algorithm>

#include "classlib/system/exceptions.h"
#include "classlib/system/numconv.h"
#include "layouts/core/bindinghints.h"

namespace {

// The text after the item's first "=".
AnsiString ValueAfterEquals(const AnsiString& Item) {
  const auto at = Item.find('=');
  return at == AnsiString::npos ? AnsiString() : Item.substr(at + 1);
}

std::optional<TColor> ConvertColor(const AnsiString& Text) {
  try {
    return StringToColor(Text);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<int> ConvertSize(const AnsiString& Text) {
  int value = 0;
  if (!TryStrToInt(Text, value))
    return std::nullopt;
  return value;
}

std::optional<TQrEkStyle> ConvertStyle(const AnsiString& Text) {
  if (Text == QrEkBold)
    return TQrEkStyle::Bold;
  if (Text == QrEkItalic)
    return TQrEkStyle::Italic;
  if (Text == QrEkUnderline)
    return TQrEkStyle::Underline;
  if (Text == QrEkStrikeOut)
    return TQrEkStyle::StrikeOut;
  return std::nullopt;
}

bool Contains(const AnsiString& Item, const char* Key) { return Item.find(Key) != AnsiString::npos; }

void ApplyItem(TQrEkFormat& Format, const AnsiString& Item) {
  const AnsiString value = ValueAfterEquals(Item);
  if (Item.rfind(QrEkColor, 0) == 0) {
    if (auto color = ConvertColor(value))
      Format.Color = color;
  } else if (Contains(Item, QrEkFontSize)) {
    if (auto size = ConvertSize(value))
      Format.FontSize = size;
  } else if (Contains(Item, QrEkFontColor)) {
    if (auto color = ConvertColor(value))
      Format.FontColor = color;
  } else if (Contains(Item, QrEkFontStyle)) {
    if (auto style = ConvertStyle(value); style && !Format.HasStyle(*style))
      Format.Styles.push_back(*style);
  }
}

}  // namespace

bool TQrEkFormat::HasStyle(TQrEkStyle Style) const {
  return std::find(Styles.begin(), Styles.end(), Style) != Styles.end();
}

std::vector<AnsiString> SplitQrEkItems(const AnsiString& Text) {
  std::vector<AnsiString> items;
  std::size_t start = 0;
  for (auto bar = Text.find('|'); bar != AnsiString::npos; bar = Text.find('|', start)) {
    items.push_back(Text.substr(start, bar - start));
    start = bar + 1;
  }
  return items;
}

TQrEkFormat ParseQrEk(const AnsiString& Text) {
  TQrEkFormat format;
  for (const AnsiString& item : SplitQrEkItems(Text))
    ApplyItem(format, item);
  return format;
}
