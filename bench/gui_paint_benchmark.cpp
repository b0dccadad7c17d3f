// The main window's painting, offscreen: a full repaint of the main view with the panels
// expanded that fit at once, and one hover: the "-over" look shown, then the idle one back (two
// repaints). usage: gui_paint_benchmark DATA_DIR   (a folder with the shipped profiles and the
// skin)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cstdio>

#include "core/flows/settings_controller.h"
#include "gui/app/main_window.h"
#include "gui/skin/skin_folder.h"

namespace {

QString g_data;

struct Window {
    p330::SettingsController controller{p330::DataFolder{g_data.toStdString()}, nullptr, nullptr};
    std::unique_ptr<p330::gui::MainWindow> window;

    explicit Window(bool expanded) {
        controller.start();
        window = std::make_unique<p330::gui::MainWindow>(
            g_data + "/Skins/Graphite", p330::gui::TextColour{}, controller.language(),
            controller.record(), controller.labels(), controller.folder().record_ini());
        window->show();
        window->show_main_view();
        if (expanded) {
            // DPI, Lighting and Report Rate fill the right column; both left panels open.
            for (QPoint p : {QPoint(800, 42), QPoint(800, 292), QPoint(800, 429), QPoint(140, 117),
                             QPoint(140, 380)})
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, p);
        }
        QCoreApplication::processEvents();
    }
};

void BM_FullRepaint(benchmark::State& state) {
    Window w(true);
    for (auto _ : state) {
        w.window->redraw_main_view();
        w.window->repaint();  // the copy to the window, now
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_HoverRepaint(benchmark::State& state) {
    Window w(false);
    w.window->set_hover_delay_ms(0);  // the drawing, not the hover time
    QWindow* handle = w.window->windowHandle();
    for (auto _ : state) {
        QTest::mouseMove(handle, QPoint(950, 619), 0);  // over "Save"
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QTest::mouseMove(handle, QPoint(700, 619), 0);  // away: the idle look
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gui_paint_benchmark DATA_DIR\n");
        return 2;
    }
    g_data = QString::fromLocal8Bit(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
