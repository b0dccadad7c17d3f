// Wall time of a full upload to the simulated mouse with the protocol's real pauses, and its
// ratio to the protocol's floor of 832 ms (the sum of the pauses).

#include <benchmark/benchmark.h>

#include "core/flows/full_upload.h"
#include "core/device/simulated_mouse.h"

namespace {

constexpr double kFloorMs = 832.0;

void BM_FullUploadToSimulatedMouse(benchmark::State& state) {
    p330::SystemClock& clock = p330::SystemClock::instance();
    p330::SimulatedMouse mouse(clock);
    p330::CommandProtocol protocol(mouse, clock);
    p330::SettingsRecord record{};
    record.report_interval = 1;
    p330::DeviceImage image;
    double total_ms = 0;
    for (auto _ : state) {
        const auto start = clock.now();
        const p330::TransferTally tally = p330::full_upload(protocol, record, image);
        total_ms += std::chrono::duration<double, std::milli>(clock.now() - start).count();
        if (!tally.ok()) state.SkipWithError("a transfer failed");
        mouse.clear_log();
    }
    const double mean_ms = total_ms / static_cast<double>(state.iterations());
    state.counters["upload_ms"] = mean_ms;
    state.counters["ratio_to_floor"] = mean_ms / kFloorMs;
}

BENCHMARK(BM_FullUploadToSimulatedMouse)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
