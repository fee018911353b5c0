// String operations of the text engine (8-bit text, positions from 1) and
// the naming helpers that keep generated component names unique.
#pragma once
#include "classlib/system/ansistring.h"

class TComponent;

// N copies of Ch; empty for N <= 0.
AnsiString FillString(char Ch, int N);
AnsiString Spaces(int N);
// S N times; empty for N <= 0.
AnsiString RepeatString(const AnsiString& S, int N);
// S right-aligned in W characters of Ch; S unchanged when it is not shorter.
AnsiString PadLeft(const AnsiString& S, int W, char Ch = ' ');
// S centred in W characters of Ch, the odd one on the right.
AnsiString CentreString(const AnsiString& S, int W, char Ch = ' ');
// S broken at spaces into lines of at most W characters, each followed by
// CR LF; a word longer than W is cut hard. S unchanged for W <= 0.
AnsiString WrapText(const AnsiString& S, int W);
// Case-sensitive match; "*" matches any run of characters, "?" any one.
bool WildcardMatch(const AnsiString& Pattern, const AnsiString& Text);

// Gives Component the first of Base, Base + "0", Base + "1", ... that no
// other component of its owner holds.
void UniqueName(TComponent* Component, const AnsiString& Base);
// When Component's name begins with OldPrefix, NewPrefix takes its place. A
// name the owner refuses (a clash) leaves the name as it was.
void ReplaceNamePrefix(TComponent* Component, const AnsiString& OldPrefix, const AnsiString& NewPrefix);
