// The advanced receive path with many records in one batch, and the flush that
// types the queue in slices: both must take time in proportion to the data,
// whatever the number of records.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/receive_handler.h"
#include "support/fake_serial_port.h"
#include "support/framed_records.h"
#include "support/manual_timer.h"
#include "typing/null_keyboard.h"

namespace vantorix {
namespace {

constexpr std::int64_t kOneMegabyte = 1 << 20;

// Readings of 19 characters, each ended by a carriage return.
std::string recordsOf(std::size_t bytes) {
    std::string batch;
    batch.reserve(bytes + 20);
    for (std::size_t record = 0; batch.size() < bytes; ++record) {
        batch += '+';
        batch += std::to_string(1000000000 + record);
        batch += ".25 kg  \r";
    }
    batch.resize(bytes);
    return batch;
}

struct Receiver {
    explicit Receiver(const RedirectSettings& settings) : settings_(settings) {
        indicator.update(settings_);
        port.setPortOpen(true);
        timer.onTick = [this] { handler.Timer1_Timer(); };
    }

    const RedirectSettings& settings_;
    AdvancedOptionsIndicator indicator;
    test::FakeSerialPort port;
    test::ManualTimer timer;
    NullKeyboard keyboard;
    ReceiveHandler handler{port, timer, keyboard, settings_, indicator};
};

// Times `measure` on a fresh receiver whose port holds state.range(0) bytes
// of records and that `prepare` has readied, untimed.
template <typename Prepare, typename Measure>
void timeOnFreshReceivers(benchmark::State& state, Prepare prepare, Measure measure) {
    const std::string batch = recordsOf(static_cast<std::size_t>(state.range(0)));
    const RedirectSettings settings = test::framedRecordsEndingInCarriageReturn();
    for (auto _ : state) {
        state.PauseTiming();
        Receiver receiver(settings);
        receiver.port.waiting = batch;
        prepare(receiver);
        state.ResumeTiming();
        measure(receiver);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}

void BM_ReceiveRecordsInOneBatch(benchmark::State& state) {
    timeOnFreshReceivers(
        state, [](Receiver&) {},
        [](Receiver& receiver) {
            receiver.handler.MSComm1_OnComm();
            benchmark::DoNotOptimize(receiver.handler.queuedKeys().data());
        });
}

void BM_FlushRecordsInSlices(benchmark::State& state) {
    timeOnFreshReceivers(
        state, [](Receiver& receiver) { receiver.handler.MSComm1_OnComm(); },
        [](Receiver& receiver) {
            receiver.handler.Timer1_Timer();
            receiver.timer.advance(0);  // the slices that follow at once
            benchmark::DoNotOptimize(receiver.handler.keysBeingTyped().data());
        });
}

// 20 MB as well: from about 10 MB on, the queue outgrows what the C library's
// allocator keeps for reuse, and every run pays the kernel for fresh pages;
// the cost per byte steps up once and stays there. (With
// GLIBC_TUNABLES=glibc.malloc.mmap_threshold=2147483647 the step is gone.)
BENCHMARK(BM_ReceiveRecordsInOneBatch)
    ->Arg(kOneMegabyte)
    ->Arg(10 * kOneMegabyte)
    ->Arg(20 * kOneMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_FlushRecordsInSlices)
    ->Arg(kOneMegabyte)
    ->Arg(10 * kOneMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace vantorix
