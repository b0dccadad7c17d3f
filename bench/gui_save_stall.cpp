// Does the window stall while Save runs? Presses Save (the window's own hook) against the
// simulated mouse with the protocol's real pauses and measures the longest gap between two
// turns of the event loop, the window repainting at every turn, until the upload has ended.
// For comparison, the same upload run on the event loop's own thread, as the original did.
// Offscreen; the data folder is a temporary copy of the build's.

#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "gui/app/application.h"

namespace {

class Quiet final : public p330::NotificationSink, public p330::gui::MessagePresenter {
  public:
    void notify(const p330::Notification&) override {}
    void show(const p330::UserMessage& m) override {
        std::fprintf(stderr, "box: %s\n", m.text.c_str());
    }
};

class NoDesktop final : public p330::PointerSettings {
  public:
    p330::PointerApplied apply(const p330::PointerValues&) override { return {}; }
};

struct Run {
    double longest_gap_ms = 0;
    double longest_gap_at_ms = 0;  // after the press
    double upload_ms = 0;
};

// Turns the event loop, repainting the window each turn, while `busy` holds; the longest gap.
template <typename Busy>
Run measure(p330::gui::Application& app, Busy busy, const std::function<void()>& press) {
    QElapsedTimer clock;
    clock.start();
    Run run;
    auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
    qint64 last = clock.nsecsElapsed();
    const qint64 started = last;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (ms(now - last) > run.longest_gap_ms) {
            run.longest_gap_ms = ms(now - last);
            run.longest_gap_at_ms = ms(last - started);
        }
        last = now;
        app.window()->update();
    });
    turn.start(0);
    press();
    while (busy()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    run.upload_ms = ms(clock.nsecsElapsed() - started);
    QCoreApplication::processEvents();
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("XDG_CURRENT_DESKTOP");
    QApplication qt(argc, argv);
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "p330-bench-XXXXXX").string();
    const fs::path data = ::mkdtemp(pattern.data());
    const fs::path shipped = P330_SHIPPED_DIR;  // defaults/ and Skins/ of the build
    fs::copy(shipped / "defaults", data);
    fs::copy(shipped / "Skins", data / "Skins", fs::copy_options::recursive);

    Quiet quiet;
    NoDesktop pointer;
    p330::gui::AppOptions options;
    options.device = "sim";
    options.data_dir = QString::fromStdString(data.string());
    options.splash_ms = 0;
    int code = 0;
    {
        p330::gui::Application app(options, &quiet, &quiet, &pointer);
        if (!app.start()) return 1;
        while (!app.window()->main_view_shown()) QCoreApplication::processEvents();

        constexpr int kRuns = 7;
        std::vector<double> gaps, uploads;
        for (int i = 0; i < kRuns; ++i) {
            app.controller().record().dpi_stage[0] = static_cast<std::uint8_t>(10 + i);
            const Run run = measure(
                app, [&] { return app.upload_running(); }, [&] { app.window()->on_save(); });
            gaps.push_back(run.longest_gap_ms);
            std::printf("  run %d: longest gap %.2f ms, %.0f ms after the press\n", i + 1,
                        run.longest_gap_ms, run.longest_gap_at_ms);
            uploads.push_back(run.upload_ms);
        }
        // The machine's own noise: the same loop for as long, with nothing running.
        QElapsedTimer idle_for;
        const Run idle = measure(
            app, [&] { return idle_for.elapsed() < 1000; }, [&] { idle_for.start(); });
        bool once = true;
        const Run blocking = measure(
            app, [&] { return std::exchange(once, false); },
            [&] { (void)app.controller().apply(); });

        std::printf(
            "Save against the simulated mouse, %d runs, the window repainting every turn:\n",
            kRuns);
        std::printf("  longest gap between event-loop turns: median %.2f ms, worst %.2f ms\n",
                    median(gaps), *std::max_element(gaps.begin(), gaps.end()));
        std::printf("  upload until the window heard it ended: median %.1f ms\n", median(uploads));
        std::printf("The idle loop over one second, for the machine's own noise: %.2f ms\n",
                    idle.longest_gap_ms);
        std::printf("The same upload on the event loop's thread: gap %.1f ms\n",
                    blocking.longest_gap_ms);
        code = median(gaps) <= 16.0 ? 0 : 1;
    }
    fs::remove_all(data);
    return code;
}
