// Integer results of floats outside the 32-bit range: INT, DIV and the
// integer arithmetic stay values of kind error ("Integer overflow") and never
// raise, so a report run that evaluates them goes on to its next record.
#include "evaluatortesting.h"

namespace {

class IntegerRange : public LocaleTest {};
INSTANTIATE_LOCALES(IntegerRange);

TEST_P(IntegerRange, IntOfFloatsBeyondTheRangeIsAnError) {
  ExpectCases({
      {"INT(2147483647.9)", "integer 2147483647"},
      {"INT(-2147483648.9)", "integer -2147483648"},
      {"INT(2147483648)", "error Integer overflow"},
      {"INT(-2147483649)", "error Integer overflow"},
      {"INT(1E300)", "error Integer overflow"},
      {"INT(-1E300)", "error Integer overflow"},
      {"INT(1E300 * 1E300)", "error Integer overflow"},   // infinite
      {"INT(0 - 1E300 * 1E300)", "error Integer overflow"},
  });
}

TEST_P(IntegerRange, DivOfFloatsBeyondTheRangeIsAnError) {
  ExpectCases({
      {"DIV(2147483647.4, 1)", "integer 2147483647"},
      {"DIV(2147483647.5, 1)", "error Integer overflow"},  // rounds to 2^31
      {"DIV(1, 1E300)", "error Integer overflow"},
      {"DIV(-1E300, 3)", "error Integer overflow"},
      {"DIV(1E300 * 1E300, 1)", "error Integer overflow"},
  });
}

TEST_P(IntegerRange, ErrorsOfIntAndDivPassThroughOtherExpressions) {
  ExpectCases({
      {"INT(1E300) + 1", "error Integer overflow"},
      {"STR(DIV(1E300, 1))", "error Conversion error"},
      {"IF(INT(1E300) = 1, 'a', 'b')", "error Wrong arguments for IF"},  // the condition is no boolean
  });
}

}  // namespace
