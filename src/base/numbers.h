#pragma once
// The process-wide number format and every text<->number conversion of user-visible
// numbers. Nothing in the program calls printf/strtod on such numbers: the C library
// follows the global locale, which the GUI toolkit changes at start-up.
#include <string>
#include <string_view>

namespace velmo {

// The decimal separator of the user's locale (LC_NUMERIC), read once at start-up.
class NumberFormat {
public:
    static char DecimalSeparator();
    static void SetDecimalSeparator(char c);
    // Reads LC_NUMERIC/LC_ALL/LANG from the environment without touching the
    // process's global C locale.
    static void InitFromEnvironment();
};

// Sets a separator for the lifetime of the object and restores the previous one.
class ScopedDecimalSeparator {
public:
    explicit ScopedDecimalSeparator(char c) : FOld(NumberFormat::DecimalSeparator()) {
        NumberFormat::SetDecimalSeparator(c);
    }
    ~ScopedDecimalSeparator() { NumberFormat::SetDecimalSeparator(FOld); }
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

private:
    char FOld;
};

// Grammar: blanks, optional sign, digits with at most one decimal separator (the
// process's), optional exponent (E/e, optional sign, digits), blanks. Nothing else.
bool TryStrToFloat(std::string_view text, double& value);
bool TryStrToFloat(std::string_view text, double& value, char decimalSeparator);
// Throws ConvertError ("'x' is not a valid floating point value").
double StrToFloat(std::string_view text);
bool IsFloat(std::string_view text);
double StrToRealDef(std::string_view text, double def);

// Numbers of the data that travel between installations (reference tables, design
// files): the grammar above with either the process's decimal separator or "." (their
// values are separated by "|" and line ends, never by either). Entry fields keep the
// strict locale grammar of StrToFloat.
bool TryDataStrToFloat(std::string_view text, double& value);
// Throws ConvertError ("'x' is not a valid floating point value").
double DataStrToFloat(std::string_view text);
double DataStrToRealDef(std::string_view text, double def);

// Integers as the design file reads them: optional sign, decimal digits, or hex
// after "0x"/"$". Surrounding blanks allowed.
bool TryStrToInt(std::string_view text, long long& value);

// Shortest general form, at most 15 significant digits: "100", "0.1", "98.1",
// "1E-7", "1.23456789012346E17"; the process's decimal separator.
std::string FormatGeneral(double v);
std::string FormatGeneral(double v, char decimalSeparator);
// Fixed decimals, as "%.*f" with the process's decimal separator.
std::string FormatFixed(double v, int decimals);
std::string FormatFixed(double v, int decimals, char decimalSeparator);
// Whole number in decimal.
std::string FormatInt(long long v);

}  // namespace velmo
