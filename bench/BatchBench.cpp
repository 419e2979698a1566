// A batch of 1,000 variants of the default design written to a temporary
// folder: generation, checks, one atomic save per script and the summary.

#include "batch/Batch.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace lamina;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList values(int count, double first, double step)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(QString::number(first + i * step));
    return texts;
}

void thousandVariants(benchmark::State &state)
{
    // 50 outer diameters times 20 mesh deviations.
    const std::vector<Variant> variants
        = batchVariants({{u"D1"_s, values(50, 200, 0.5)}, {u"meshDeviation"_s, values(20, 0.5, 0.01)}}, {});
    const Design base = completeDesign();
    std::size_t written = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();
        for (const VariantOutcome &outcome : writeBatch(base, variants, {folder->path(), true, false}, {}))
            written += outcome.status == VariantStatus::written;
        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
    }
    state.counters["variants"] = double(variants.size());
    state.counters["written/s"] = benchmark::Counter(double(written), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(thousandVariants)->Unit(benchmark::kMillisecond)->UseRealTime();
