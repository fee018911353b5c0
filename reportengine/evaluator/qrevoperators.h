// The binary operators of expressions on two values.
//
// The operands are first unified: an error or two values of one kind stay as
// they are; an integer meets a float as a float; any other pair becomes two
// strings (so 5 + 'A' is "5A" and TRUE = 'True' holds). The result has the
// left operand's kind; an error operand is the result (the left one first).
//
// Integer sums, differences and products that leave the 32-bit range give
// the error value "Integer overflow": errors are values in expressions, and
// one bad record must not abort the whole report run.
#pragma once
#include "reportengine/evaluator/qrevvalue.h"

inline constexpr const char* IntegerOverflowText = "Integer overflow";

// Makes both values of one kind as described above.
void UnifyEvKinds(TQREvValue& Left, TQREvValue& Right);
// Left := Left <operator Code> Right; Right may be changed by unification.
void ApplyEvOperator(unsigned char Code, TQREvValue& Left, TQREvValue& Right);
