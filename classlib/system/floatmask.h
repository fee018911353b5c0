// FormatFloat's mask language, applied to an expanded number.
//
// Up to three sections "positive;negative;zero". A negative value formatted by
// the first section gets a leading "-"; by its own section it shows its
// magnitude. A value that rounds to zero under its section's mask is shown by
// the zero section (or the first), without a sign, so no "-0,00" appears.
// An empty mask or empty first section gives the general format with 15
// significant digits; so does a fixed mask for a value with more than 18
// integer digits.
#pragma once
#include "classlib/system/ansistring.h"
#include "classlib/system/floatdecimal.h"
#include "classlib/system/formatsettings.h"

AnsiString FormatDecimalMask(const AnsiString& mask, const TDecimal& number,
                             const TFormatSettings& settings);
