// Script generation in memory: the default motor and the largest designs the
// 16-bit counts allow. Reports bytes of script per second.

#include "design/Design.h"
#include "script/ScriptWriter.h"
#include "slots/SlotTypes.h"

#include <benchmark/benchmark.h>

using namespace lamina;

namespace {

MotorModel model(std::initializer_list<std::pair<const char16_t *, const char16_t *>> settings)
{
    Design design = completeDesign();
    for (const auto &[key, text] : settings)
        setDesignValue(design, QString::fromUtf16(key), QString::fromUtf16(text));
    return modelFromDesign(design);
}

void generate(benchmark::State &state, const MotorModel &m)
{
    std::int64_t bytes = 0;
    std::int64_t lines = 0;
    for (auto _ : state) {
        const QByteArray script = writeScript(m);
        bytes += script.size();
        lines = script.count('\n');
        benchmark::DoNotOptimize(script.constData());
    }
    state.SetBytesProcessed(bytes);
    state.counters["lines"] = double(lines);
}

void defaultMotor(benchmark::State &state)
{
    generate(state, model({}));
}

// Stator copies scale with Z1 / P: lines grow linearly with the slot count.
// 8000 is near the largest the 16-bit point terms of the bore loop allow.
void statorSlots(benchmark::State &state)
{
    const std::u16string z1 = QString::number(state.range(0)).toStdU16String();
    generate(state, model({{u"Z1", z1.c_str()}, {u"periodNumber", u"2"}, {u"Z2", u"2730"}}));
}

// The rotor alone at the 16-bit limit: 32764 bars in one period.
void rotorBarsAtTheLimit(benchmark::State &state)
{
    MotorModel m = model({{u"Z2", u"32764"}, {u"periodNumber", u"1"}});
    m.statorSlotType = 0;
    generate(state, m);
}

}  // namespace

BENCHMARK(defaultMotor);
BENCHMARK(statorSlots)->Arg(1000)->Arg(4000)->Arg(8000);
BENCHMARK(rotorBarsAtTheLimit);
BENCHMARK_MAIN();
