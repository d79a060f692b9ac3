#include "ReferenceFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// |x| * 10^decimals rounded half up, as decimal digits: the 17-digit form m * 10^(e - 16),
// scaled and divided in 64-bit integers.
std::string Scaled(double magnitude, int decimals) {
    char form[40];
    std::snprintf(form, sizeof form, "%.16e", magnitude);
    std::uint64_t m = 0;
    const char* p = form;
    for (; *p != 'e'; ++p)
        if (*p != '.') m = m * 10 + static_cast<std::uint64_t>(*p - '0');
    const int e = std::atoi(p + 1);
    const int shift = e - 16 + decimals;  // value * 10^decimals = m * 10^shift
    if (shift >= 0) return m == 0 ? "0" : std::to_string(m) + std::string(shift, '0');
    if (-shift > 18) return "0";  // m < 10^17, so twice the rest stays below 10^-shift
    std::uint64_t divisor = 1;
    for (int i = 0; i < -shift; ++i) divisor *= 10;
    std::uint64_t q = m / divisor;
    if (2 * (m % divisor) >= divisor) ++q;
    return std::to_string(q);
}

}  // namespace

std::string ReferenceCoordinate(double x) {
    std::string digits = Scaled(std::fabs(x), 8);
    while (digits.size() < 9) digits.insert(0, "0");
    std::string whole = digits.substr(0, digits.size() - 8);
    if (whole == "0") whole.clear();
    return (std::signbit(x) ? "-" : "") + whole + "." + digits.substr(digits.size() - 8);
}

std::string ReferenceWhole(double x) { return Scaled(std::fabs(x), 0); }
