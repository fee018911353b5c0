// Currency: a 64-bit fixed-point amount with four decimals.
//
// The value is kept as an integer count of 1/10000 units, so sums of money
// never drift. Conversions from double round to the nearest 1/10000, halves to
// even, as the floating-point unit does; a result outside the 64-bit range
// raises EInvalidOp ("Invalid floating point operation"), a division by zero
// EZeroDivide.
#pragma once
#include <compare>
#include <cstdint>

class Currency {
public:
  static constexpr std::int64_t Scale = 10000;

  constexpr Currency() = default;
  // Whole amounts: Currency(5) is 5.0000.
  constexpr Currency(int value) : scaled_(static_cast<std::int64_t>(value) * Scale) {}
  // Rounds to four decimals, halves to even.
  explicit Currency(double value);

  // The raw count of 1/10000 units.
  static constexpr Currency FromScaled(std::int64_t scaled) {
    Currency c;
    c.scaled_ = scaled;
    return c;
  }
  static Currency FromInt64(std::int64_t value);
  // An 80-bit amount (a published property's or a stream's value), rounded
  // to four decimals, halves to even, like Currency(double).
  static Currency FromFloat(long double value);
  constexpr std::int64_t Scaled() const { return scaled_; }
  double ToDouble() const;
  explicit operator double() const { return ToDouble(); }

  Currency operator-() const;
  Currency& operator+=(Currency other);
  Currency& operator-=(Currency other);
  Currency& operator*=(Currency other);
  Currency& operator/=(Currency other);
  friend Currency operator+(Currency a, Currency b) { return a += b; }
  friend Currency operator-(Currency a, Currency b) { return a -= b; }
  // Products and quotients are rounded to four decimals, halves to even.
  friend Currency operator*(Currency a, Currency b) { return a *= b; }
  friend Currency operator/(Currency a, Currency b) { return a /= b; }

  friend constexpr bool operator==(Currency a, Currency b) = default;
  friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
  std::int64_t scaled_ = 0;
};
