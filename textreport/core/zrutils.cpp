#include "textreport/core/zrutils.h"

#include <algorithm>

#include "classlib/classes/component.h"
#include "classlib/system/numconv.h"

AnsiString FillString(char Ch, int N) { return N > 0 ? AnsiString(static_cast<std::size_t>(N), Ch) : AnsiString(); }

AnsiString Spaces(int N) { return FillString(' ', N); }

AnsiString RepeatString(const AnsiString& S, int N) {
  AnsiString result;
  for (int i = 0; i < N; ++i)
    result += S;
  return result;
}

AnsiString PadLeft(const AnsiString& S, int W, char Ch) {
  const int length = static_cast<int>(S.size());
  return length < W ? FillString(Ch, W - length) + S : S;
}

AnsiString CentreString(const AnsiString& S, int W, char Ch) {
  const int length = static_cast<int>(S.size());
  if (length >= W)
    return S;
  const int left = (W - length) / 2;
  return FillString(Ch, left) + S + FillString(Ch, W - length - left);
}

AnsiString WrapText(const AnsiString& S, int W) {
  if (W <= 0)
    return S;
  const std::size_t width = static_cast<std::size_t>(W);
  AnsiString result;
  std::size_t start = 0;
  while (true) {
    while (start < S.size() && S[start] == ' ')
      ++start;
    if (start >= S.size())
      break;
    std::size_t end = std::min(start + width, S.size());  // one past the line
    std::size_t last = end;
    if (end < S.size()) {
      // Break after the last character that a space follows; without one
      // the word is cut hard at the width.
      std::size_t brk = end;
      while (brk > start && S[brk] != ' ')
        --brk;
      if (brk > start) {
        end = last = brk;
        while (last > start && S[last - 1] == ' ')
          --last;
      }
    }
    result += S.substr(start, last - start) + "\r\n";
    start = end;
  }
  return result;
}

bool WildcardMatch(const AnsiString& Pattern, const AnsiString& Text) {
  // Greedy match with one back-tracking point: the last "*" seen.
  std::size_t p = 0, t = 0;
  std::size_t star = AnsiString::npos, starText = 0;
  while (t < Text.size()) {
    if (p < Pattern.size() && (Pattern[p] == '?' || Pattern[p] == Text[t])) {
      ++p;
      ++t;
    } else if (p < Pattern.size() && Pattern[p] == '*') {
      star = p++;
      starText = t;
    } else if (star != AnsiString::npos) {
      p = star + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < Pattern.size() && Pattern[p] == '*')
    ++p;
  return p == Pattern.size();
}

void UniqueName(TComponent* Component, const AnsiString& Base) {
  TComponent* owner = Component->Owner();
  auto isFree = [&](const AnsiString& name) {
    if (owner == nullptr)
      return true;
    TComponent* holder = owner->FindComponent(name);
    return holder == nullptr || holder == Component;
  };
  AnsiString name = Base;
  for (int counter = 0; !isFree(name); ++counter)
    name = Base + IntToStr(counter);
  Component->SetName(name);
}

void ReplaceNamePrefix(TComponent* Component, const AnsiString& OldPrefix, const AnsiString& NewPrefix) {
  const AnsiString& name = Component->Name();
  if (name.compare(0, OldPrefix.size(), OldPrefix) != 0)
    return;
  try {
    Component->SetName(NewPrefix + name.substr(OldPrefix.size()));
  } catch (const EComponentError&) {
    // A clash or an invalid name keeps the old name.
  }
}
