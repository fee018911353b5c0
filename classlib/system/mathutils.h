// Rounding and checked integer arithmetic with the platform's semantics.
//
// Round goes to the nearest integer with halves to even (0.5 -> 0, 1.5 -> 2,
// 2.5 -> 2), as the floating-point unit rounds by default. Round and Trunc
// raise EInvalidOp ("Invalid floating point operation") for NaN, infinities
// and values outside the 64-bit range.
//
// The checked 32-bit helpers stand where the platform compiles arithmetic with
// overflow checking: they raise EIntOverflow ("Integer overflow") instead of
// wrapping, and EDivByZero ("Division by zero") for a zero divisor.
#pragma once
#include <cstdint>

std::int64_t Round(double value);
// Toward zero.
std::int64_t Trunc(double value);
// The fractional part, with the sign of the value: Frac(-1.25) = -0.25.
double Frac(double value);
// The integer part, toward zero, as a double: Int(-1.75) = -1.0.
double Int(double value);

int CheckedAdd(int a, int b);
int CheckedSub(int a, int b);
int CheckedMul(int a, int b);
int CheckedNeg(int a);
// Integer division truncating toward zero; INT_MIN / -1 overflows.
int CheckedDiv(int a, int b);
// Narrows a 64-bit value to 32 bits, raising EIntOverflow when it does not fit.
int CheckedInt32(std::int64_t value);
