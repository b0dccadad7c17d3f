// p330: the skinned desktop configurator.

#include <langinfo.h>
#include <strings.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "gui/app/activation_token.h"
#include "gui/app/application.h"
#include "gui/app/instance_channel.h"
#include "gui/app/notification_presenters.h"
#include "gui/app/screenshot_views.h"
#include "gui/app/user_files.h"
#include "platform/graphical_session.h"
#include "platform/single_instance.h"

namespace {

// Xlib writes the legacy X title (WM_NAME) in the C library's character set, from the bytes Qt
// gives it, which are always UTF-8. Where the user's locale is not installed (LANG names one
// that was never generated) or is not UTF-8, the C library stays in a one-byte set and the
// title's UTF-8 bytes end up in the property as Latin-1 text: the character type is made UTF-8.
void use_utf8_characters() {
    const char* set = nl_langinfo(CODESET);
    if (set != nullptr && (strcasecmp(set, "UTF-8") == 0 || strcasecmp(set, "utf8") == 0)) return;
    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr) std::setlocale(LC_CTYPE, "C.utf8");
}

// P330_STARTUP_PROBE=1 prints when the splash is first painted (the wall clock, in seconds) and
// the peak memory at exit, for start-up measurements.
bool startup_probe() {
    return qEnvironmentVariableIsSet("P330_STARTUP_PROBE");
}

QString activation_token_for_running_copy() {
    const QString given = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (!given.isEmpty()) return given;
    return QString::fromStdString(p330::gui::request_activation_token(p330::gui::kDesktopEntry));
}

void print_peak_memory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            std::fprintf(stderr, "p330: peak memory %s\n", line.substr(6).c_str());
    }
}

using p330::gui::InstanceRequest;

// What the command line asks of this start.
struct StartRequest {
    p330::gui::AppOptions options;
    QString data_dir;
    InstanceRequest request = InstanceRequest::kShow;
    QStringList only_for_a_new_copy;  // options given that a running copy does not take
};

// The command line first, so that --help and --version work without a display and while
// another copy runs. The exit status when it alone ends the program.
std::optional<int> read_command_line(int argc, char** argv, StartRequest& start) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures the P330 gaming mouse (USB 04D9:C7E2). Lives in the tray; "
                       "one copy runs per user, and starting it again shows the running copy's "
                       "window.\nThe user's files live in $XDG_CONFIG_HOME/p330 (by default "
                       "~/.config/p330); 'p330ctl paths' shows every folder in use."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("auto (default), sim[:STATEFILE] for the simulated mouse, or /dev/hidrawN."),
        QStringLiteral("DEV"), QStringLiteral("auto"));
    QCommandLineOption data_dir(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep every file in DIR: profiles, record.ini, the defaults and Skins. A "
                       "missing or empty DIR is made from the shipped defaults."),
        QStringLiteral("DIR"));
    QCommandLineOption firmware_update(
        QStringLiteral("firmware-update"),
        QStringLiteral("Start the firmware updater (in the running copy when there is one)."));
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Save a picture of the window to FILE once the main view shows."),
        QStringLiteral("FILE"));
    QCommandLineOption exit_after(
        QStringLiteral("exit-after-screenshot"),
        QStringLiteral("End after --screenshot, without waiting for the splash."));
    QCommandLineOption screenshot_view(
        QStringLiteral("screenshot-view"),
        QStringLiteral("What --screenshot pictures: main (default), panels (panels open), "
                       "buttons (a button's function list) or macros (the macro manager)."),
        QStringLiteral("VIEW"), QStringLiteral("main"));
    parser.addOptions({device, data_dir, firmware_update, screenshot, exit_after, screenshot_view});
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
    start.options.device = parser.value(device);
    start.options.screenshot = parser.value(screenshot);
    start.options.exit_after_screenshot = parser.isSet(exit_after);
    // A picture taken and done: nobody looks at the splash, which would only add its seconds.
    if (start.options.exit_after_screenshot) start.options.splash_ms = 0;
    start.options.screenshot_view = parser.value(screenshot_view);
    if (!p330::gui::screenshot_views().contains(start.options.screenshot_view)) {
        std::fprintf(stderr, "p330: --screenshot-view takes %s\n",
                     qPrintable(p330::gui::screenshot_views().join(QStringLiteral(", "))));
        return 2;
    }
    start.data_dir = parser.value(data_dir);
    start.request =
        parser.isSet(firmware_update) ? InstanceRequest::kFirmwareUpdate : InstanceRequest::kShow;
    for (const QCommandLineOption* o :
         {&device, &data_dir, &screenshot, &exit_after, &screenshot_view}) {
        if (parser.isSet(*o))
            start.only_for_a_new_copy << QStringLiteral("--") + o->names().front();
    }
    return std::nullopt;
}

// A start that cannot work here ends before anything is touched: an unknown --device, or no
// display (Qt would abort). The exit status then.
std::optional<int> refuse_unusable_start(const p330::gui::AppOptions& options) {
    if (options.device != QLatin1String("auto") &&
        !options.device.startsWith(QLatin1String("sim")) &&
        !options.device.startsWith(QLatin1String("/dev/"))) {
        std::fprintf(stderr, "p330: --device takes auto, sim[:STATEFILE] or a /dev/hidrawN node\n");
        return 2;
    }
    if (!p330::graphical_session_available(p330::DisplayEnvironment::from_process())) {
        const p330::Language language =
            p330::language_for_locale(p330::UserEnvironment::from_process().locale);
        std::fprintf(stderr, "p330: %s\n",
                     std::string(p330::ui_texts(language).needs_graphical_session).c_str());
        return 2;
    }
    return std::nullopt;
}

// A second start hands its request to the running copy and ends with this status.
int hand_to_running_copy(int argc, char** argv, const p330::SingleInstance& instance,
                         const StartRequest& start) {
    if (instance.channel_path().empty()) {
        std::fprintf(stderr, "p330: another copy is running and cannot be asked to show: %s\n",
                     instance.problem().c_str());
        return 1;
    }
    QCoreApplication core(argc, argv);
    // On Wayland only the compositor raises a window, and only for a token: the one the
    // launcher gave this start, or one asked for now.
    const p330::gui::InstanceMessage message{start.request, activation_token_for_running_copy()};
    if (!p330::gui::InstanceChannel::send(QString::fromStdString(instance.channel_path()), message,
                                          5000)) {
        std::fprintf(stderr, "p330: another copy is running but did not answer\n");
        return 1;
    }
    // The running copy keeps its own mouse, folder and plans: say so rather than let these
    // options look applied.
    const QStringList& ignored = start.only_for_a_new_copy;
    if (!ignored.isEmpty()) {
        std::fprintf(stderr,
                     "p330: another copy is running and was asked to show its window; "
                     "%s %s only to a new copy (end the running one first)\n",
                     qPrintable(ignored.join(QStringLiteral(", "))),
                     ignored.size() == 1 ? "applies" : "apply");
    }
    return 0;
}

// P330_STARTUP_PROBE: when the splash is first painted, the wall clock in seconds.
void probe_first_paint(p330::gui::Application& application) {
    // The window is shown but not yet painted: that happens in the event loop.
    application.window()->on_first_paint = [then = application.window()->on_first_paint] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "p330: splash painted at %lld.%06ld\n",
                     static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
        if (then) then();
    };
}

// The first copy: the window, and the channel a second start asks through.
int run_first_copy(int argc, char** argv, StartRequest& start, p330::SingleInstance& instance) {
    QApplication app(argc, argv);  // takes the user's locale
    use_utf8_characters();
    QApplication::setApplicationName(QStringLiteral("p330"));
    QApplication::setApplicationVersion(QStringLiteral(P330_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(p330::gui::kDesktopEntry));
    QApplication::setQuitOnLastWindowClosed(false);  // it lives on in the tray

    std::unique_ptr<p330::gui::InstanceChannel> channel;
    // A start that cannot draw its window lets the lock and the channel go before it says why.
    start.options.on_refused = [&instance, &channel] {
        channel.reset();
        instance.release();
    };
    p330::gui::Application application(start.options);
    auto take = [&application](const p330::gui::InstanceMessage& taken) {
        if (taken.request == InstanceRequest::kShow) {
            application.restore_from_tray(taken.activation_token);
        } else if (application.on_firmware_update) {
            application.on_firmware_update();
        } else {
            std::fprintf(stderr, "p330: this build has no firmware updater\n");
        }
    };
    if (!application.start()) return 4;  // the window could not be drawn; the user was told why
    // The channel for a second start is not needed to paint the splash: it opens after that
    // paint, or after a second should the splash never be painted (a second start retries
    // for five seconds meanwhile).
    auto open_channel = [&instance, &channel, &application, take] {
        if (channel || application.refused() || instance.channel_path().empty()) return;
        channel = std::make_unique<p330::gui::InstanceChannel>(
            QString::fromStdString(instance.channel_path()));
        if (!channel->listening())
            std::fprintf(stderr, "p330: a second start cannot reach this copy: %s\n",
                         qPrintable(channel->error()));
        channel->on_request = take;
    };
    application.window()->on_first_paint = [then = application.window()->on_first_paint,
                                            open_channel] {
        if (then) then();
        QTimer::singleShot(0, open_channel);
    };
    QTimer::singleShot(1000, open_channel);
    if (start.request == InstanceRequest::kFirmwareUpdate) take({start.request, {}});
    if (startup_probe()) probe_first_paint(application);
    const int code = QApplication::exec();
    if (startup_probe()) print_peak_memory();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    StartRequest start;
    if (const std::optional<int> done = read_command_line(argc, argv, start)) return *done;
    if (const std::optional<int> refused = refuse_unusable_start(start.options)) return *refused;
    const std::optional<p330::DataLocations> where =
        p330::gui::locate_user_files(start.options, start.data_dir);
    if (!where) return 1;
    p330::SingleInstance instance(where->user_dir.string());
    if (!instance.acquired()) return hand_to_running_copy(argc, argv, instance, start);
    if (!instance.problem().empty())
        std::fprintf(stderr, "p330: %s; a second start cannot hand its request to this copy\n",
                     instance.problem().c_str());
    // What the user's folder lacks comes from the shipped defaults; nothing there is replaced.
    start.options.folder_problem = p330::gui::seed_user_files(*where);
    return run_first_copy(argc, argv, start, instance);
}
