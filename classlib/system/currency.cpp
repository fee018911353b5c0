#include "classlib/system/currency.h"

#include <cmath>

#include "classlib/system/exceptions.h"

namespace {

[[noreturn]] void RaiseInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }

// n / d rounded to the nearest integer, halves to even.
__int128 DivideHalfEven(__int128 n, __int128 d) {
  __int128 q = n / d;
  __int128 r = n % d;
  if (r == 0)
    return q;
  __int128 twiceRest = r < 0 ? -2 * r : 2 * r;
  __int128 absDivisor = d < 0 ? -d : d;
  __int128 step = (n < 0) != (d < 0) ? -1 : 1;
  if (twiceRest > absDivisor || (twiceRest == absDivisor && q % 2 != 0))
    q += step;
  return q;
}

std::int64_t Narrow(__int128 value) {
  if (value > INT64_MAX || value < INT64_MIN)
    RaiseInvalidOp();
  return static_cast<std::int64_t>(value);
}

}  // namespace

Currency::Currency(double value) : Currency(FromFloat(value)) {}

Currency Currency::FromFloat(long double value) {
  // Scaled in extended precision where the compiler has it, so the product
  // is exact for every amount a double can hold to four decimals.
  long double x = value * Scale;
  if (!std::isfinite(x) || x < -9223372036854775808.0L || x >= 9223372036854775808.0L)
    RaiseInvalidOp();
  long double whole = std::floor(x);
  long double rest = x - whole;
  if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0))
    whole += 1;
  if (whole >= 9223372036854775808.0L)
    RaiseInvalidOp();
  return FromScaled(static_cast<std::int64_t>(whole));
}

Currency Currency::FromInt64(std::int64_t value) {
  return FromScaled(Narrow(static_cast<__int128>(value) * Scale));
}

double Currency::ToDouble() const { return static_cast<double>(scaled_) / Scale; }

Currency Currency::operator-() const { return FromScaled(Narrow(-static_cast<__int128>(scaled_))); }

Currency& Currency::operator+=(Currency other) {
  scaled_ = Narrow(static_cast<__int128>(scaled_) + other.scaled_);
  return *this;
}

Currency& Currency::operator-=(Currency other) {
  scaled_ = Narrow(static_cast<__int128>(scaled_) - other.scaled_);
  return *this;
}

Currency& Currency::operator*=(Currency other) {
  scaled_ = Narrow(DivideHalfEven(static_cast<__int128>(scaled_) * other.scaled_, Scale));
  return *this;
}

Currency& Currency::operator/=(Currency other) {
  if (other.scaled_ == 0)
    throw EZeroDivide("Floating point division by zero");
  scaled_ = Narrow(DivideHalfEven(static_cast<__int128>(scaled_) * Scale, other.scaled_));
  return *this;
}
