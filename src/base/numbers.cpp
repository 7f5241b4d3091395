#include "base/numbers.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/error.h"

namespace velmo {

namespace {
std::atomic<char> gDecimalSeparator{'.'};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

char NumberFormat::DecimalSeparator() { return gDecimalSeparator.load(); }
void NumberFormat::SetDecimalSeparator(char c) { gDecimalSeparator.store(c); }

void NumberFormat::InitFromEnvironment() {
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) {
        SetDecimalSeparator('.');
        return;
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    // A multi-byte separator cannot be used in our single-byte files; keep ".".
    SetDecimalSeparator(radix && std::strlen(radix) == 1 ? radix[0] : '.');
    freelocale(loc);
}

bool TryStrToFloat(std::string_view text, double& value, char sep) {
    std::string_view s = Trim(text);
    std::string norm;
    norm.reserve(s.size());
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') norm.push_back('-');
        ++i;
    }
    int digits = 0;
    bool sepSeen = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (IsDigit(c)) {
            norm.push_back(c);
            ++digits;
        } else if (c == sep && !sepSeen) {
            sepSeen = true;
            norm.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        norm.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            if (s[i] == '-') norm.push_back('-');
            ++i;
        }
        int expDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++expDigits) norm.push_back(s[i]);
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    double v = 0;
    auto res = std::from_chars(norm.data(), norm.data() + norm.size(), v);
    if (res.ec != std::errc() || res.ptr != norm.data() + norm.size()) {
        // Underflow to a denormal or zero is a number; overflow is not.
        if (res.ec == std::errc::result_out_of_range) {
            // from_chars reports range errors for both directions; decide by magnitude.
            size_t epos = norm.find('e');
            bool negExp = epos != std::string::npos && epos + 1 < norm.size() && norm[epos + 1] == '-';
            if (negExp) {
                value = 0;
                return true;
            }
        }
        return false;
    }
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool TryStrToFloat(std::string_view text, double& value) {
    return TryStrToFloat(text, value, NumberFormat::DecimalSeparator());
}

double StrToFloat(std::string_view text) {
    double v = 0;
    if (!TryStrToFloat(text, v)) throw ConvertError(std::string(text));
    return v;
}

bool IsFloat(std::string_view text) {
    double v;
    return TryStrToFloat(text, v);
}

double StrToRealDef(std::string_view text, double def) {
    double v;
    return TryStrToFloat(text, v) ? v : def;
}

bool TryDataStrToFloat(std::string_view text, double& value) {
    const char sep = NumberFormat::DecimalSeparator();
    if (TryStrToFloat(text, value, sep)) return true;
    return sep != '.' && TryStrToFloat(text, value, '.');
}

double DataStrToFloat(std::string_view text) {
    double v = 0;
    if (!TryDataStrToFloat(text, v)) throw ConvertError(std::string(text));
    return v;
}

double DataStrToRealDef(std::string_view text, double def) {
    double v;
    return TryDataStrToFloat(text, v) ? v : def;
}

bool TryStrToInt(std::string_view text, long long& value) {
    std::string_view s = Trim(text);
    bool neg = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        neg = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    } else if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    unsigned long long u = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), u, base);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
    if (base == 16 && !neg) {
        // Hex text fills the 32-bit pattern of an integer: $FFFFFFFF is -1.
        if (u > 0xFFFFFFFFull) return false;
        value = static_cast<long long>(static_cast<int32_t>(static_cast<uint32_t>(u)));
        return true;
    }
    if (u > static_cast<unsigned long long>(INT32_MAX) + (neg ? 1 : 0)) return false;
    value = neg ? -static_cast<long long>(u) : static_cast<long long>(u);
    return true;
}

std::string FormatGeneral(double v, char sep) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0) return "0";
    char buf[64];
    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    bool neg = false;
    if (s[0] == '-') {
        neg = true;
        s.erase(0, 1);
    }
    size_t epos = s.find('e');
    int exp = std::atoi(s.c_str() + epos + 1);
    std::string digits;
    for (size_t i = 0; i < epos; ++i)
        if (IsDigit(s[i])) digits.push_back(s[i]);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = neg ? "-" : "";
    if (exp >= -5 && exp < 15) {
        if (exp < 0) {
            out += '0';
            out += sep;
            out.append(static_cast<size_t>(-exp - 1), '0');
            out += digits;
        } else {
            size_t intDigits = static_cast<size_t>(exp) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += sep;
                out += digits.substr(intDigits);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += sep;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exp);
    }
    return out;
}

std::string FormatGeneral(double v) { return FormatGeneral(v, NumberFormat::DecimalSeparator()); }

std::string FormatFixed(double v, int decimals, char sep) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    std::string s(buf, res.ptr);
    // A value that rounds to zero prints without a sign: -0.0004 at three decimals, or
    // -0.0 itself, is "0.000", never "-0.000".
    if (!s.empty() && s[0] == '-' && s.find_first_of("123456789") == std::string::npos)
        s.erase(0, 1);
    if (sep != '.')
        for (char& c : s)
            if (c == '.') c = sep;
    return s;
}

std::string FormatFixed(double v, int decimals) {
    return FormatFixed(v, decimals, NumberFormat::DecimalSeparator());
}

std::string FormatInt(long long v) { return std::to_string(v); }

}  // namespace velmo
