// String operations on 1254 text, with the platform's names and behaviour.
//
// Positions are 1-based as the platform counts them; 0 means "not found".
//
// The Ansi* case operations know the letters of code page 1254 and change
// them as Windows' CharUpperBuff/CharLowerBuff do: ASCII "i" and "I" are a
// pair whatever the locale, and the Turkish "İ" and "ı" stay as they are, so
// upper-cased names such as "if" or "min" keep matching "IF" and "MIN". Text
// that must be upper-cased by the Turkish rules has its own helper in the
// program. The plain operations (UpperCase, CompareText, ...) change and
// compare ASCII letters only.
//
// The Ansi* comparisons sort as CompareString does under the Turkish locale,
// in the order of the Turkish alphabet: a b c ç d e f g ğ h ı i j k l m n o ö
// p q r s ş t u ü v w x y z, where "I" is the capital of "ı" and "İ" that of
// "i" (so AnsiSameText("I", "ı") holds and AnsiSameText("I", "i") does not).
// Accented letters of other languages sort with their base letter ("â" with
// "a") and after it when the rest is equal; æ, ø, œ and ß sort as letters of
// their own after a, ö, ø and s. Symbols sort before digits, digits before
// letters. A case-sensitive comparison puts a small letter before its capital
// when the rest of the text is equal.
//
// The path operations split at "\" and ":" as Windows does, and at "/" too,
// which Windows accepts as a folder separator.
#pragma once
#include <string_view>

#include "classlib/system/ansistring.h"

// ---- Case ------------------------------------------------------------------
AnsiString AnsiUpperCase(std::string_view s);
AnsiString AnsiLowerCase(std::string_view s);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
AnsiString UpperCase(std::string_view s);
AnsiString LowerCase(std::string_view s);

// ---- Comparison ------------------------------------------------------------
// Negative, zero or positive as a sorts before, with or after b.
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// A byte string whose plain byte order is the order of AnsiCompareStr
// (caseSensitive) or AnsiCompareText: a sort key for data sets and indexes.
std::string AnsiCollationKey(std::string_view s, bool caseSensitive);
// Byte-wise comparisons; CompareText folds ASCII letters only.
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);

// ---- Trimming and quoting --------------------------------------------------
// Trimming removes spaces and control characters (every byte <= ' ').
AnsiString Trim(std::string_view s);
AnsiString TrimLeft(std::string_view s);
AnsiString TrimRight(std::string_view s);
// 'text' with every quote doubled.
AnsiString QuotedStr(std::string_view s);
AnsiString AnsiQuotedStr(std::string_view s, char quote);
// The text between the quotes with doubled quotes made single. Text that does
// not start with the quote, or that is not closed by it, comes back unchanged.
AnsiString AnsiDequotedStr(std::string_view s, char quote);

// ---- Search and replace ----------------------------------------------------
enum TReplaceFlag { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// An empty pattern replaces nothing. rfIgnoreCase compares by AnsiUpperCase.
AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags);
// Position of the first substr in s; 0 when absent or when substr is empty.
int Pos(std::string_view substr, std::string_view s);
// Pos for 1254 text (every character is one byte).
inline int AnsiPos(std::string_view substr, std::string_view s) { return Pos(substr, s); }
// As Pos, starting the search at offset; 0 when offset lies outside s.
int PosEx(std::string_view substr, std::string_view s, int offset = 1);
// count characters from index; an index below 1 counts from 1, the rest is
// clamped to the text.
AnsiString Copy(std::string_view s, int index, int count);
// Removes count characters from index; nothing when index lies outside s.
void Delete(AnsiString& s, int index, int count);
// Inserts source before index; an index below 1 inserts at the start, one past
// the end appends.
void Insert(std::string_view source, AnsiString& s, int index);
bool IsDelimiter(std::string_view delimiters, std::string_view s, int index);
// Position of the last character of s that is one of delimiters; 0 if none.
int LastDelimiter(std::string_view delimiters, std::string_view s);
AnsiString StringOfChar(char c, int count);

// ---- File names ------------------------------------------------------------
constexpr char PathDelim = '\\';
constexpr char DriveDelim = ':';
AnsiString IncludeTrailingPathDelimiter(std::string_view path);
AnsiString ExcludeTrailingPathDelimiter(std::string_view path);
// The drive and folder part with its trailing delimiter ("C:\dir\").
AnsiString ExtractFilePath(std::string_view fileName);
// The folder part without its trailing delimiter, except a root ("C:\").
AnsiString ExtractFileDir(std::string_view fileName);
AnsiString ExtractFileName(std::string_view fileName);
// The extension with its dot (".txt"), or "".
AnsiString ExtractFileExt(std::string_view fileName);
// extension includes its dot; "" removes the extension.
AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension);
