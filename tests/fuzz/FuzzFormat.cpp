// FormatCoordinate and FormatWhole on arbitrary finite doubles, against the reference.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ReferenceFormat.h"
#include "core/TerConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) return 0;
    double x;
    std::memcpy(&x, data, sizeof x);
    if (!std::isfinite(x)) return 0;
    // A second reading: the same bits scaled into the range directives use.
    int exponent = 0;
    const double coordinate = std::fmod(x, 400.0);
    // The hard cases: the halves between two results, and the doubles right beside them.
    const double half = (std::floor(std::fabs(coordinate) * 1e8) + 0.5) / 1e8;
    const double values[] = {x,
                             coordinate,
                             std::ldexp(std::frexp(x, &exponent), 7),
                             half,
                             std::nextafter(half, 0.0),
                             std::nextafter(half, 1e9),
                             std::nextafter(std::nextafter(half, 1e9), 1e9)};
    for (double v : values) {
        const std::string text = TerConverter.FormatCoordinate(v);
        const std::string whole = TerConverter.FormatWhole(v);
        if (text != ReferenceCoordinate(v) || whole != ReferenceWhole(v)) {
            std::fprintf(stderr, "%.17g: got %s / %s, reference %s / %s\n", v, text.c_str(),
                         whole.c_str(), ReferenceCoordinate(v).c_str(), ReferenceWhole(v).c_str());
            std::abort();
        }
    }
    return 0;
}
