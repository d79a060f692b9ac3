// Throughput of the LOAD_CENTER rewrite and of the directive computation.
//   build/native/bench/convert_bench
#include <cstdint>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/TerConverter.h"

namespace {

// Terrain text shaped like real scenery: header and geometry lines, texture lines of several
// spans and zoom levels with suffixes, placeholders and old directives.
std::string MakeTerrain(std::size_t bytes, int textureEvery) {
    std::mt19937 random(42);
    std::string text;
    text.reserve(bytes + 256);
    std::uint64_t n = 0;
    while (text.size() < bytes) {
        ++n;
        if (textureEvery > 0 && n % static_cast<unsigned>(textureEvery) == 0) {
            const int zoom = 14 + static_cast<int>(random() % 4);
            const int span = 1 << (random() % 5);
            const long col = 8000L * (1L << (zoom - 13)) + static_cast<long>(random() % 500);
            const long row = 10000L * (1L << (zoom - 13)) + static_cast<long>(random() % 500);
            if (n % 7 == 0) text += "LOAD_CENTER 47.1 9.2 1234 1024\r";
            text += "TEXTURE_FILE textures/v5kra_" + std::to_string(span) + "_" +
                    std::to_string(zoom) + "_" + std::to_string(col) + "_" + std::to_string(row) +
                    (n % 3 == 0   ? "_LOW.dds"
                     : n % 5 == 0 ? ".partial.dds"
                                  : ".dds") +
                    "\r";
        } else if (textureEvery > 0 && n % 11 == 0) {
            text += "TEXTURE_FILE textures/empty.dds\r";
        } else {
            text += "VERTEX " + std::to_string(random() % 100000) + " " +
                    std::to_string(random() % 100000) + " 412.5 0.25 0.75\r";
        }
    }
    return text;
}

void Convert(benchmark::State& state, const std::string& input) {
    for (auto _ : state) {
        // The caller's copy of the buffer is not the conversion's work.
        state.PauseTiming();
        LineBuffer lines = input;
        state.ResumeTiming();
        LineBuffer out = TerConverter.ConvertLines(std::move(lines), false);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_ConvertRealistic(benchmark::State& state) {
    static const std::string small = MakeTerrain(1 << 20, 12);
    static const std::string large = MakeTerrain(64 << 20, 12);
    Convert(state, state.range(0) == 1 ? small : large);
}
BENCHMARK(BM_ConvertRealistic)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_ConvertPlainText(benchmark::State& state) {
    static const std::string small = MakeTerrain(1 << 20, 0);
    static const std::string large = MakeTerrain(64 << 20, 0);
    Convert(state, state.range(0) == 1 ? small : large);
}
BENCHMARK(BM_ConvertPlainText)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_ConvertTexturesOnly(benchmark::State& state) {
    static const std::string input = MakeTerrain(1 << 20, 1);
    Convert(state, input);
    std::int64_t lines = 0;
    for (char c : input) lines += c == '\r';
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_ConvertTexturesOnly)->Unit(benchmark::kMillisecond);

void BM_LoadCenterLine(benchmark::State& state) {
    const TileInfo info = *TerConverter.ParseTileName("8_16_34560_42640");
    for (auto _ : state) {
        std::string line = TerConverter.LoadCenterLine(info);
        benchmark::DoNotOptimize(line.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadCenterLine);

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // Keep freed buffers in the heap: otherwise every 64 MB iteration maps fresh pages, and on
    // a virtual machine the first touch of each page costs more than converting it.
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
