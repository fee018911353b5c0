#include "textreport/core/zrescapetext.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// 0-based form of IsEscapeAt.
bool CodeAt(const AnsiString& s, std::size_t i) {
  return i + 1 < s.size() && s[i] == ZREscapeChar && EscapeIndexOfLetter(s[i + 1]) >= 0;
}

// The column before At; At may be any column a layout gives, even the first
// representable one.
int ColumnBefore(int At) { return At == std::numeric_limits<int>::min() ? At : At - 1; }

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

TZREscapeCode CodeOf(const AnsiString& s, std::size_t i) {
  return static_cast<TZREscapeCode>(EscapeIndexOfLetter(s[i + 1]));
}

// The state rule of EscapeStateBefore for one more code.
void ApplyCode(TZREscapeSet& state, TZREscapeCode code) {
  if (IsStyleOnCode(code))
    state.Exclude(StyleOffCode(StyleOfCode(code)));
  else if (IsStyleOffCode(code))
    state.Exclude(StyleOnCode(StyleOfCode(code)));
  state.Include(code);
}

}  // namespace

bool IsEscapeAt(const AnsiString& S, int I) { return I >= 1 && CodeAt(S, static_cast<std::size_t>(I - 1)); }

int VisibleLength(const AnsiString& S) {
  int visible = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (CodeAt(S, i))
      ++i;
    else
      ++visible;
  }
  return visible;
}

int RawPos(const AnsiString& S, int N) {
  int visible = 0;
  std::size_t i = 0;
  while (i < S.size()) {
    if (CodeAt(S, i)) {
      i += 2;
      continue;
    }
    if (++visible == N)
      return static_cast<int>(i) + 1;
    ++i;
  }
  // Past the end (or before the start): as far from the end as N is from the
  // last visible character, within the range of int.
  return ClampToInt(static_cast<std::int64_t>(S.size()) + N - visible);
}

TZREscapeSet EscapeStateBefore(const AnsiString& S, int N) {
  const int limit = RawPos(S, N);  // 1-based; codes strictly before it count
  TZREscapeSet state;
  for (std::size_t i = 0; i < S.size() && static_cast<int>(i) + 1 < limit; ++i) {
    if (CodeAt(S, i)) {
      ApplyCode(state, CodeOf(S, i));
      ++i;
    }
  }
  return state;
}

TZREscapeStyles StyleSet(TZREscapeSet Codes) {
  TZREscapeStyles styles;
  for (int i = 0; i < ZREscapeCount; ++i) {
    const auto code = static_cast<TZREscapeCode>(i);
    if (!Codes.Contains(code))
      continue;
    if (IsStyleOnCode(code))
      styles.Include(StyleOfCode(code));
    else if (IsStyleOffCode(code))
      styles.Exclude(StyleOfCode(code));
  }
  return styles;
}

AnsiString EscapesOpen(TZREscapeSet Codes, TZREscapeStyles Styles) {
  AnsiString text;
  for (int i = 0; i < ZREscapeCount; ++i) {
    const auto code = static_cast<TZREscapeCode>(i);
    if (Codes.Contains(code) && (IsPlainCode(code) || !Styles.Contains(StyleOfCode(code))))
      text += EscapeText(code);
  }
  for (int style = ZREscapeStyleCount - 1; style >= 0; --style)
    if (Styles.Contains(static_cast<TZREscapeStyle>(style)))
      text += EscapeText(StyleOnCode(static_cast<TZREscapeStyle>(style)));
  return text;
}

AnsiString EscapesClose(TZREscapeStyles Styles) {
  AnsiString text;
  for (int style = 0; style < ZREscapeStyleCount; ++style)
    if (Styles.Contains(static_cast<TZREscapeStyle>(style)))
      text += EscapeText(StyleOffCode(static_cast<TZREscapeStyle>(style)));
  return text;
}

AnsiString StyleWrap(const AnsiString& Text, TZREscapeSet Codes, TZREscapeStyles Styles) {
  return EscapesOpen(Codes, Styles) + Text + EscapesClose(Styles);
}

AnsiString StripEscapes(const AnsiString& S) {
  AnsiString text;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (CodeAt(S, i))
      ++i;
    else
      text += S[i];
  }
  return text;
}

AnsiString NormalizeEscapes(const AnsiString& S) {
  AnsiString text;
  TZREscapeStyles on;
  TZREscapeSet plainSeen;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (!CodeAt(S, i)) {
      text += S[i];
      continue;
    }
    const TZREscapeCode code = CodeOf(S, i);
    ++i;
    bool keep;
    if (IsPlainCode(code)) {
      keep = !plainSeen.Contains(code);
      plainSeen.Include(code);
    } else {
      const TZREscapeStyle style = StyleOfCode(code);
      keep = IsStyleOnCode(code) != on.Contains(style);
      if (IsStyleOnCode(code))
        on.Include(style);
      else
        on.Exclude(style);
    }
    if (keep)
      text += EscapeText(code);
  }
  return text;
}

AnsiString PadVisible(const AnsiString& S, int N) {
  AnsiString text = NormalizeEscapes(S);
  const int visible = VisibleLength(text);
  if (N > visible)
    text.append(static_cast<std::size_t>(N - visible), ' ');
  return text;
}

AnsiString VisibleCopy(const AnsiString& S, int From, int Count) {
  const int visible = VisibleLength(S);
  if (From < 1)
    From = 1;  // positions count from 1
  if (visible < From)
    return AnsiString();
  const int last = From + std::min(Count, visible - From + 1) - 1;
  if (last < From)
    return AnsiString();
  const int rawFrom = RawPos(S, From);
  const int rawLast = RawPos(S, last);
  return EscapesOpen(EscapeStateBefore(S, From), {}) +
         S.substr(static_cast<std::size_t>(rawFrom - 1), static_cast<std::size_t>(rawLast - rawFrom + 1)) +
         EscapesClose(StyleSet(EscapeStateBefore(S, last)));
}

AnsiString DeleteVisible(const AnsiString& S, int At, int Count) {
  const AnsiString padded = PadVisible(S, ColumnBefore(At));
  const int tailFrom = ClampToInt(std::int64_t{At} + Count);
  return NormalizeEscapes(VisibleCopy(padded, 1, ColumnBefore(At)) +
                          VisibleCopy(padded, tailFrom, static_cast<int>(padded.size())));
}

AnsiString InsertVisible(const AnsiString& Text, const AnsiString& S, int At) {
  const AnsiString padded = PadVisible(S, ColumnBefore(At));
  return NormalizeEscapes(VisibleCopy(padded, 1, ColumnBefore(At)) + Text +
                          VisibleCopy(padded, At, static_cast<int>(padded.size())));
}

AnsiString OverlayVisible(const AnsiString& Text, const AnsiString& S, int At) {
  AnsiString padded = PadVisible(S, ColumnBefore(At));
  padded = DeleteVisible(padded, At, VisibleLength(Text));
  return InsertVisible(Text, padded, At);
}
