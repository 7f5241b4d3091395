#pragma once
// Decibel conversions, number tests and the elevation display ranges. Several of
// these differ only at their edges (zero, negative, tiny values); callers rely on
// exactly those edges, so each is its own function.
#include <string_view>

#include "base/numbers.h"
#include "base/types.h"

namespace velmo {

using Extended = long double;

double FieldTodB(double x);        // -40 when x <= 0.01
Extended FieldTodBExt(Extended x); // -40 only when x <= 0
double PowerTodB(double x);        // 0 when x <= 0
Extended PowerTodBExt(Extended x); // 0 when x <= 0
double dBToPower(double x);
Extended dBToPowerExt(Extended x);
Extended AddFieldTodB(Extended f, Extended d);  // 0 when f <= 0
double FieldERP(double p, double f);            // p * f^2

bool IsWholeNumber(double x);
bool IsFlagSet(std::string_view text);  // exactly "1"

TRange GetRange(TRangeType r);
TRange MakeRange(int32_t min, int32_t max, int32_t increment);

}  // namespace velmo
