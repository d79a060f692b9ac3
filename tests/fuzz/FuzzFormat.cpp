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
    const double values[] = {x, std::fmod(x, 400.0), std::ldexp(std::frexp(x, &exponent), 7)};
    for (double v : values) {
        const std::string coordinate = TerConverter.FormatCoordinate(v);
        const std::string whole = TerConverter.FormatWhole(v);
        if (coordinate != ReferenceCoordinate(v) || whole != ReferenceWhole(v)) {
            std::fprintf(stderr, "%.17g: got %s / %s, reference %s / %s\n", v, coordinate.c_str(),
                         whole.c_str(), ReferenceCoordinate(v).c_str(), ReferenceWhole(v).c_str());
            std::abort();
        }
    }
    return 0;
}
