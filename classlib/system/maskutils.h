// Edit masks: formatting a value for display as the platform's edit masks do.
//
// A mask has up to three fields separated by ';' in its last four characters:
// the mask text, the "save literals" flag ('0' = the value holds only the
// characters typed, anything else = it holds the literals too; the default)
// and the blank character of the edit control.
//
// Mask text characters:
//   0 digit   9 digit or blank   # digit, sign or blank
//   L letter  l letter or blank  A letter or digit   a letter, digit or blank
//   C any character   c any character or blank
//   !  optional characters are leading rather than trailing blanks
//   >  <  <>  upper / lower / no case conversion (for typing; display keeps the text)
//   \  the next character is a literal
//   :  /  the time and date separators of the settings
// Every other character is a literal.
#pragma once
#include "classlib/system/ansistring.h"
#include "classlib/system/formatsettings.h"

// The value laid out on the mask. Without saved literals the mask's literals
// are inserted between the value's characters, and missing characters are
// blanks at the end (at the start with '!'). With saved literals the value's
// own literals split it into fields, each padded with blanks or cut to the
// length of its field in the mask. Blanks are spaces; the blank character of
// the mask belongs to the edit control. An empty mask leaves the value as it is.
AnsiString FormatMaskText(const AnsiString& editMask, const AnsiString& value,
                          const TFormatSettings& settings = FormatSettings);
