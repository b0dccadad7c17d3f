// p330: the skinned desktop configurator.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <fstream>
#include <string>

#include "core/config/profile_files.h"
#include "gui/app/application.h"
#include "platform/single_instance.h"

namespace {

// P330_STARTUP_PROBE=1 prints when the splash is first painted and the peak memory at exit,
// for start-up measurements.
bool startup_probe() {
    return qEnvironmentVariableIsSet("P330_STARTUP_PROBE");
}

void print_peak_memory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            std::fprintf(stderr, "p330: peak memory %s\n", line.substr(6).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The command line first, so that --help and --version work without a display and
    // while another copy runs.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures the P330 gaming mouse (USB 04D9:C7E2). Lives in the tray; "
                       "one copy runs per user."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("auto (default), sim[:STATEFILE] for the simulated mouse, or /dev/hidrawN."),
        QStringLiteral("DEV"), QStringLiteral("auto"));
    QCommandLineOption data_dir(
        QStringLiteral("data-dir"),
        QStringLiteral("Folder of the profiles, record.ini and Skins (default: the executable's)."),
        QStringLiteral("DIR"));
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to FILE once the main view shows."),
        QStringLiteral("FILE"));
    QCommandLineOption exit_after(QStringLiteral("exit-after-screenshot"),
                                  QStringLiteral("End after --screenshot."));
    parser.addOptions({device, data_dir, screenshot, exit_after});
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "p330: %s\nTry 'p330 --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QStringLiteral("p330"));
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("p330 %s\n", P330_VERSION);
        return 0;
    }

    p330::gui::AppOptions options;
    options.device = parser.value(device);
    if (options.device != QLatin1String("auto") &&
        !options.device.startsWith(QLatin1String("sim")) &&
        !options.device.startsWith(QLatin1String("/dev/"))) {
        std::fprintf(stderr, "p330: --device takes auto, sim[:STATEFILE] or a /dev/hidrawN node\n");
        return 2;
    }
    if (parser.isSet(data_dir)) {
        options.data_dir = QDir(parser.value(data_dir)).absolutePath();
    } else if (auto exe = p330::executable_folder()) {
        options.data_dir = QString::fromStdString(exe->string());
    }
    options.screenshot = parser.value(screenshot);
    options.exit_after_screenshot = parser.isSet(exit_after);

    // A second copy ends at once, leaving the running one alone.
    p330::SingleInstance instance;
    if (!instance.acquired()) return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("p330"));
    QApplication::setApplicationVersion(QStringLiteral(P330_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);  // it lives on in the tray

    p330::gui::Application application(options);
    application.start();
    if (startup_probe()) {
        // The window is shown but not yet painted: that happens in the event loop.
        application.window()->on_first_paint = [] {
            std::fprintf(stderr, "p330: splash painted\n");
        };
    }
    const int code = QApplication::exec();
    if (startup_probe()) print_peak_memory();
    return code;
}
