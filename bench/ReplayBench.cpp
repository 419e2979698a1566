// The replay every saved script goes through first: the default motor and
// the largest design the design checks pass (2730 rotor bars, the most the
// 16-bit point numbers allow, and 3000 stator slots in two periods).

#include "design/Design.h"
#include "replay/Replay.h"
#include "script/ScriptWriter.h"

#include <benchmark/benchmark.h>

using namespace lamina;

namespace {

QByteArray script(std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings)
{
    Design design = completeDesign();
    for (const auto &[key, text] : settings)
        setDesignValue(design, QString::fromUtf16(key), QString::fromUtf16(text));
    return writeScript(modelFromDesign(design));
}

void replay(benchmark::State &state, const QByteArray &bytes)
{
    int findings = 0;
    int faces = 0;
    for (auto _ : state) {
        const replay::ReplayResult result = replay::replayScript(bytes);
        findings = int(result.findings.size());
        faces = result.counts.faces;
        benchmark::DoNotOptimize(result.facesArea);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytes.size());
    state.counters["faces"] = faces;
    state.counters["findings"] = findings;
}

void defaultMotor(benchmark::State &state)
{
    replay(state, script({}));
}

void largestSoundDesign(benchmark::State &state)
{
    replay(state,
           script({{u"D1", u"7000"},
                   {u"DI1", u"5000"},
                   {u"D2", u"4996"},
                   {u"DI2", u"3000"},
                   {u"Z1", u"3000"},
                   {u"Z2", u"2730"},
                   {u"periodNumber", u"2"},
                   {u"B01", u"0.5"},
                   {u"B11", u"2"},
                   {u"B21", u"2.6"},
                   {u"H01", u"0.5"},
                   {u"H11", u"0.5"},
                   {u"H21", u"30"},
                   {u"R21", u"1.3"},
                   {u"B02", u"0.4"},
                   {u"B12", u"2.5"},
                   {u"B22", u"1.5"},
                   {u"H02", u"0.3"},
                   {u"H12", u"0.5"},
                   {u"H22", u"30"},
                   {u"boxInnerDiameter", u"3600"},
                   {u"boxOuterDiameter", u"4000"}}));
}

}  // namespace

BENCHMARK(defaultMotor)->Unit(benchmark::kMillisecond);
BENCHMARK(largestSoundDesign)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
