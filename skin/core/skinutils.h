// Small stateless routines the skin library uses everywhere: tokens split by
// a set of separator characters (the values of skin option files are read
// with them), a reader for options text an application supplies, and
// integer and rectangle routines. Portable: no Win32.
//
// Positions are 1-based as the string routines of the class library count.
#pragma once
#include <bitset>
#include <string_view>

#include "classlib/system/ansistring.h"

class TStrings;
class TStringList;

// ---- Character sets and tokens ----------------------------------------------

// A set of byte values. A token is a maximal run of characters not in the
// set; separators at the start, the end or repeated count for nothing.
class TCharSet256 {
public:
  TCharSet256() = default;
  // The set of the given characters.
  explicit TCharSet256(std::string_view Chars) {
    for (char c : Chars)
      Include(c);
  }
  void Include(char Ch) { bits_.set(static_cast<unsigned char>(Ch)); }
  bool Contains(char Ch) const { return bits_.test(static_cast<unsigned char>(Ch)); }

private:
  std::bitset<256> bits_;
};

inline bool CharInSet256(char Ch, const TCharSet256& Set) { return Set.Contains(Ch); }

// Position of the first character of the N-th token (N from 1); 0 when S
// has fewer tokens.
int TokenPosition(int N, std::string_view S, const TCharSet256& Set);
inline int TokenStart(int N, std::string_view S, const TCharSet256& Set) { return TokenPosition(N, S, Set); }
// The N-th token; empty when there is none.
AnsiString ExtractToken(int N, std::string_view S, const TCharSet256& Set);
// The number of tokens (0 for an empty S).
int TokenCount(std::string_view S, const TCharSet256& Set);
inline int CountTokens(std::string_view S, const TCharSet256& Set) { return TokenCount(S, Set); }
// S without any occurrence of C.
AnsiString RemoveAllChars(std::string_view S, char C);
// Every occurrence of Old (case-sensitive, left to right, not overlapping)
// replaced by New. An empty Old replaces nothing.
AnsiString ReplaceSubstrings(std::string_view S, std::string_view Old, std::string_view New);

// ---- Paths ---------------------------------------------------------------------

// Path with a final "\": unchanged when it has one; a final "/" becomes
// "\"; a one-letter path (a drive letter) gets ":\"; else "\" is appended.
// An empty path stays empty.
AnsiString AddPathDelimiter(std::string_view Path);

// ---- Options text of the application -----------------------------------------

// Splits Lines into sections: each line "[NAME]" (not a ";" comment) starts
// one, a new string list added to Sections under NAME as its object; the
// other non-empty, non-comment lines go to the current section's list, and
// are dropped before the first section. Sections is emptied first (its old
// lists freed); the lists belong to Sections' owner, who frees them with
// FreeIniSections.
void ParseIniSections(TStrings* Lines, TStringList* Sections);
// Frees the section lists ParseIniSections made and empties Sections.
void FreeIniSections(TStringList* Sections);
// The text after "KEY=" in the section; section and key names match without
// regard to the case of ASCII letters, in every locale. Default when the
// section or the key is missing.
AnsiString ReadIniSectionString(TStringList* Sections, const AnsiString& SectionName, const AnsiString& Key,
                                const AnsiString& Default);
// The value as an integer: decimal, "$hex", or "0x"/"0X" and hex digits;
// Default for any other text, and when the section or key is missing.
int ReadIniSectionInteger(TStringList* Sections, const AnsiString& SectionName, int Default, const AnsiString& Key);

// ---- Integers ------------------------------------------------------------------

constexpr int ClampByte(int V) { return V < 0 ? 0 : V > 255 ? 255 : V; }
inline AnsiString ChooseString(bool Cond, const AnsiString& A, const AnsiString& B) { return Cond ? A : B; }
constexpr int ChooseInt(bool Cond, int A, int B) { return Cond ? A : B; }
constexpr bool IsBetween(int V, int Low, int High) { return Low <= V && V <= High; }
constexpr int LargerOf(int A, int B) { return A > B ? A : B; }
constexpr int SmallerOf(int A, int B) { return A < B ? A : B; }

// ---- Rectangles ------------------------------------------------------------------
// Any rectangle with the fields left, top, right and bottom (RECT in the
// Windows build); the right and bottom edges are exclusive.

template <class R>
void AssignRect(int Left, int Top, int Right, int Bottom, R& Rect) {
  Rect.left = Left;
  Rect.top = Top;
  Rect.right = Right;
  Rect.bottom = Bottom;
}

// Right - Left (Bottom - Top); 0 in place of a negative size when NoNegative.
template <class R>
int RectSizeX(const R& Rect, bool NoNegative) {
  int size = Rect.right - Rect.left;
  return NoNegative && size < 0 ? 0 : size;
}
template <class R>
int RectSizeY(const R& Rect, bool NoNegative) {
  int size = Rect.bottom - Rect.top;
  return NoNegative && size < 0 ? 0 : size;
}

// False when R2 is empty or the two do not overlap; touching edges do not.
template <class R>
bool RectsOverlap(const R& R1, const R& R2) {
  if (R2.right <= R2.left || R2.bottom <= R2.top)
    return false;
  return R1.left < R2.right && R2.left < R1.right && R1.top < R2.bottom && R2.top < R1.bottom;
}

// Inner's top-left and bottom-right corners both lie in Outer, edges included.
template <class R>
bool RectInsideRect(const R& Outer, const R& Inner) {
  auto inside = [&Outer](int X, int Y) {
    return IsBetween(X, Outer.left, Outer.right) && IsBetween(Y, Outer.top, Outer.bottom);
  };
  return inside(Inner.left, Inner.top) && inside(Inner.right, Inner.bottom);
}
