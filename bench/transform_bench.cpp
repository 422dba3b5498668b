#include <benchmark/benchmark.h>

#include <string>

#include "core/advanced_transform.h"
#include "core/key_translation.h"

namespace vantorix {
namespace {

// Scale readings with a unit to replace in every record, characters that
// need escaping, and line ends: many matches of the search text.
std::string receivedData(std::size_t bytes) {
    static const std::string record = "ST,GS,+0012.50KG (net) [2]\r\n";
    std::string data;
    data.reserve(bytes + record.size());
    while (data.size() < bytes) {
        data += record;
    }
    data.resize(bytes);
    return data;
}

RedirectSettings everyStepOn() {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    settings.Check_replacestring = 1;
    settings.Text_searchfor = "kg";
    settings.Text_replacewith = " kg{TAB}";
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    settings.Check_postamble = 1;
    settings.Text_postamble = "{ENTER}";
    return settings;
}

void BM_AdvancedTransform(benchmark::State& state) {
    const std::string data = receivedData(static_cast<std::size_t>(state.range(0)));
    const RedirectSettings settings = everyStepOn();
    for (auto _ : state) {
        std::string text = data;
        process_advanced_options_string(text, settings, true);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_SimpleTranslation(benchmark::State& state) {
    const std::string data = receivedData(static_cast<std::size_t>(state.range(0)));
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    for (auto _ : state) {
        std::string text = data;
        translateReceivedText(text, settings);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

constexpr std::int64_t kOneMegabyte = 1 << 20;

BENCHMARK(BM_AdvancedTransform)
    ->Arg(kOneMegabyte)
    ->Arg(10 * kOneMegabyte)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimpleTranslation)
    ->Arg(kOneMegabyte)
    ->Arg(10 * kOneMegabyte)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorix
