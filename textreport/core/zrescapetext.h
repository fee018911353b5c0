// Text operations that know the escape codes of report text.
//
// Positions count from 1. "Visible" counts only the characters that print:
// a code (backslash and code letter) counts nothing, every other character
// one, a backslash before any other character or at the end included. Codes
// are found scanning from the left, so the two characters of a code never
// start another.
#pragma once
#include "classlib/system/ansistring.h"
#include "textreport/core/zrescapecodes.h"

// True when S[I] is a backslash followed by a code letter.
bool IsEscapeAt(const AnsiString& S, int I);
int VisibleLength(const AnsiString& S);
// The position in S of visible character N: N plus two for every code in
// front of it. Past the end the count goes on as if more characters followed.
int RawPos(const AnsiString& S, int N);
// The codes in force before visible character N: an on code replaces its
// style's off code and the other way round; plain codes add up.
TZREscapeSet EscapeStateBefore(const AnsiString& S, int N);
// The styles a set of codes leaves on (in code order, so an off code wins).
TZREscapeStyles StyleSet(TZREscapeSet Codes);
// The codes of Codes in code order, except those of the styles in Styles,
// then the on codes of Styles from subscript down to condensed.
AnsiString EscapesOpen(TZREscapeSet Codes, TZREscapeStyles Styles);
// The off codes of Styles from condensed up to subscript.
AnsiString EscapesClose(TZREscapeStyles Styles);
AnsiString StyleWrap(const AnsiString& Text, TZREscapeSet Codes, TZREscapeStyles Styles);
AnsiString StripEscapes(const AnsiString& S);
// S without the codes that change nothing: a style switched to the state it
// is in already, and every plain code after its first.
AnsiString NormalizeEscapes(const AnsiString& S);
// NormalizeEscapes(S) and spaces up to visible length N.
AnsiString PadVisible(const AnsiString& S, int N);
// Count visible characters from From, opened with the codes in force there
// and closing every style still on at the last one. Empty when S has fewer
// than From visible characters; Count is cut at the last one.
AnsiString VisibleCopy(const AnsiString& S, int From, int Count);
AnsiString DeleteVisible(const AnsiString& S, int At, int Count);
AnsiString InsertVisible(const AnsiString& Text, const AnsiString& S, int At);
// Text written over S from visible column At (S padded with spaces first):
// how a label writes into a page line.
AnsiString OverlayVisible(const AnsiString& Text, const AnsiString& S, int At);
