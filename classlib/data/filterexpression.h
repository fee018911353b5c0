// Filter expressions of data sets: comparisons of fields with constants,
// joined by AND, OR and NOT, with parentheses.
//
//   NAME = 'Ali' and (AGE >= 18 or [CITY NAME] <> 'Van')
//
// A field is a name or a name in brackets; constants are quoted texts
// ('' for a quote), numbers and NULL. A quoted text ending in "*" matches
// every value that begins with the text before it, unless foNoPartialCompare
// is set; foCaseInsensitive compares texts without regard to letter case.
// "= NULL" / "<> NULL" test for null values; any other comparison with a
// null field is false.
#pragma once
#include <memory>

#include "classlib/data/dbtypes.h"

struct TFilterExpression;

// Raises EDatabaseError "Invalid filter expression: ..." for a malformed text.
std::shared_ptr<TFilterExpression> ParseFilterExpression(const AnsiString& Text);
// Evaluates against the data set's current record (fields must exist, else
// EDatabaseError "Field '%s' not found").
bool EvaluateFilterExpression(const TFilterExpression& Expression, const TDataSet& DataSet,
                              TFilterOptions Options);
