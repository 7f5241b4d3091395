#include "base/conversions.h"

#include <cmath>

namespace velmo {

double FieldTodB(double x) { return x <= 0.01 ? -40.0 : 20.0 * std::log10(x); }
Extended FieldTodBExt(Extended x) { return x > 0 ? 20.0L * std::log10(x) : -40.0L; }
double PowerTodB(double x) { return x <= 0 ? 0.0 : 10.0 * std::log10(x); }
Extended PowerTodBExt(Extended x) { return x > 0 ? 10.0L * std::log10(x) : 0.0L; }
double dBToPower(double x) { return std::pow(10.0, x / 10.0); }
Extended dBToPowerExt(Extended x) { return std::pow(10.0L, x / 10.0L); }
Extended AddFieldTodB(Extended f, Extended d) { return f > 0 ? d + 20.0L * std::log10(f) : 0.0L; }
double FieldERP(double p, double f) { return p * f * f; }

bool IsWholeNumber(double x) { return std::ceil(x) - x == 0; }
bool IsFlagSet(std::string_view text) { return text == "1"; }

TRange GetRange(TRangeType r) {
    return r == rtFiveToTen ? MakeRange(-10, 10, 1) : MakeRange(-10, 90, 5);
}

TRange MakeRange(int32_t min, int32_t max, int32_t increment) { return TRange{min, max, increment}; }

}  // namespace velmo
