#include <benchmark/benchmark.h>

#include <cstddef>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "typing/key_string_reader.h"

namespace {

// Received text as the program queues it: mostly letters, digits and blanks,
// with line ends as "~", tabs as "{TAB}" and the syntax characters escaped.
std::string makeReceivedKeys(std::size_t size) {
    constexpr std::string_view kPlain =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,:;-_/";
    constexpr std::string_view kEscaped[] = {"{+}", "{^}", "{%}", "{~}", "{(}",
                                             "{)}", "{[}", "{]}", "{{}", "{}}"};
    std::mt19937 random(1252);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string keys;
    keys.reserve(size + 8);
    while (keys.size() < size) {
        const int roll = percent(random);
        if (roll < 80) {
            keys += kPlain[random() % kPlain.size()];
        } else if (roll < 88) {
            keys += kEscaped[random() % std::size(kEscaped)];
        } else if (roll < 95) {
            keys += '~';
        } else {
            keys += "{TAB}";
        }
    }
    keys.resize(size);
    return keys;
}

const std::string& receivedKeys(std::size_t size) {
    static std::map<std::size_t, std::string> cache;
    auto [entry, inserted] = cache.try_emplace(size);
    if (inserted) {
        entry->second = makeReceivedKeys(size);
    }
    return entry->second;
}

// The way a typing backend reads: one vector kept for all key strings.
void BM_ReadReceivedKeys(benchmark::State& state) {
    const std::string& keys = receivedKeys(static_cast<std::size_t>(state.range(0)));
    std::vector<vantorix::KeyAction> actions;
    vantorix::readKeyString(keys, actions);  // grows the vector before timing
    for (auto _ : state) {
        vantorix::readKeyString(keys, actions);
        benchmark::DoNotOptimize(actions.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadReceivedKeys)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// With a new vector per call: adds the cost of fresh memory for every action.
void BM_ReadReceivedKeysIntoNewVector(benchmark::State& state) {
    const std::string& keys = receivedKeys(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantorix::readKeyString(keys));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadReceivedKeysIntoNewVector)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond);

// Unclosed braces and unclosed groups, the inputs a careless search for the
// closing brace would make quadratic.
void BM_ReadUnbalancedKeys(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string keys;
    while (keys.size() < size) {
        keys += "{ab(c";
    }
    keys.resize(size);
    std::vector<vantorix::KeyAction> actions;
    vantorix::readKeyString(keys, actions);  // grows the vector before timing
    for (auto _ : state) {
        vantorix::readKeyString(keys, actions);
        benchmark::DoNotOptimize(actions.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadUnbalancedKeys)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
