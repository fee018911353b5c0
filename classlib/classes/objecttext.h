// Conversion between the binary component format and its text form, for
// tests and debugging:
//
//   object Label1: TQRLabel
//     Left = 8
//     Caption = 'Ad'#231'
//     Font.Style = [fsBold]
//     Values = (
//       1.5
//       2.25)
//     Items = <
//       item
//         Caption = 'a'
//       end>
//     Data = {
//       0A0B0C}
//     object Child: TQRShape
//     end
//   end
//
// "inherited" and "inline" stand for components with those flags, " [n]"
// after the class for a child position. Strings are quoted with '' for a
// quote and #n for control characters; singles, currency and dates carry
// the suffixes s, c and d.
#pragma once
#include "classlib/classes/streams.h"

// Reads "TPF0" and one component from Input and writes its text to Output.
// Raises EReadError on a damaged stream.
void ObjectBinaryToText(TStream& Input, TStream& Output);
// Parses the text of one component from Input and writes "TPF0" and the
// component to Output. Raises EReadError "<what> on line <n>" for a text it
// cannot parse.
void ObjectTextToBinary(TStream& Input, TStream& Output);
