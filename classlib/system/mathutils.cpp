#include "classlib/system/mathutils.h"

#include <climits>
#include <cmath>

#include "classlib/system/exceptions.h"

namespace {

// Integers of type int64 as doubles: [-2^63, 2^63).
bool FitsInt64(double value) {
  return value >= -9223372036854775808.0 && value < 9223372036854775808.0;
}

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
[[noreturn]] void RaiseOverflow() { throw EIntOverflow("Integer overflow"); }

}  // namespace

std::int64_t Round(double value) {
  if (!std::isfinite(value))
    RaiseInvalidOp();
  double whole = std::floor(value);
  double rest = value - whole;  // exact for doubles
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0))
    whole += 1;
  if (!FitsInt64(whole))
    RaiseInvalidOp();
  return static_cast<std::int64_t>(whole);
}

std::int64_t Trunc(double value) {
  if (!std::isfinite(value))
    RaiseInvalidOp();
  double whole = std::trunc(value);
  if (!FitsInt64(whole))
    RaiseInvalidOp();
  return static_cast<std::int64_t>(whole);
}

double Frac(double value) { return value - std::trunc(value); }

double Int(double value) { return std::trunc(value); }

int CheckedAdd(int a, int b) {
  int result;
  if (__builtin_add_overflow(a, b, &result))
    RaiseOverflow();
  return result;
}

int CheckedSub(int a, int b) {
  int result;
  if (__builtin_sub_overflow(a, b, &result))
    RaiseOverflow();
  return result;
}

int CheckedMul(int a, int b) {
  int result;
  if (__builtin_mul_overflow(a, b, &result))
    RaiseOverflow();
  return result;
}

int CheckedNeg(int a) {
  if (a == INT_MIN)
    RaiseOverflow();
  return -a;
}

int CheckedDiv(int a, int b) {
  if (b == 0)
    throw EDivByZero("Division by zero");
  if (a == INT_MIN && b == -1)
    RaiseOverflow();
  return a / b;
}

int CheckedInt32(std::int64_t value) {
  if (value < INT_MIN || value > INT_MAX)
    RaiseOverflow();
  return static_cast<int>(value);
}
