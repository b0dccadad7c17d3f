#include "gui/app/application.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "core/buttons/function_catalogue.h"
#include "core/device/linux/hidraw_link.h"
#include "gui/app/dialog_launchers.h"
#include "gui/app/notification_presenters.h"
#include "gui/dialogs/firmware_updater.h"

namespace p330::gui {

// The session is built before the window and the tray exist; it notifies through this.
class Application::ForwardingSink final : public NotificationSink {
  public:
    explicit ForwardingSink(Application& app) : app_(app) {}
    void notify(const Notification& n) override {
        if (app_.sink_ != nullptr) app_.sink_->notify(n);
    }

  private:
    Application& app_;
};

namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

Application::Application(AppOptions options, NotificationSink* sink)
    : options_(std::move(options)),
      controller_(DataFolder{options_.data_dir.toStdString(), options_.defaults_dir.toStdString()},
                  nullptr, nullptr),
      listener_([this](MouseReport report) { session_->on_mouse_report(report); }),
      sink_(sink),
      forwarding_sink_(std::make_unique<ForwardingSink>(*this)) {
    const std::string device = options_.device.toStdString();
    session_ = std::make_unique<MouseSession>(
        [device] { return open_mouse_link(device, SystemClock::instance()); },
        SystemClock::instance(), controller_, *forwarding_sink_, &listener_);
}

Application::~Application() {
    listener_.stop();
    if (tray_) tray_->hide();
}

void Application::start_listener_if_connected() {
    if (listener_started_ || !session_->connected()) return;
    listener_.start();  // only with the mouse present
    listener_started_ = true;
}

void Application::watch_hotplug() {
    if (options_.device.startsWith(QLatin1String("sim")))
        return;  // the model is never unplugged by the system
    Result<std::unique_ptr<HotplugMonitor>> monitor = HotplugMonitor::create();
    if (!monitor) {
        qWarning("p330: %s; plugging the mouse in or out will not be noticed",
                 monitor.error().message.c_str());
        return;
    }
    hotplug_ = std::move(*monitor);
    hotplug_->remember_present_nodes();
    hotplug_notifier_ = std::make_unique<QSocketNotifier>(hotplug_->fd(), QSocketNotifier::Read);
    connect(hotplug_notifier_.get(), &QSocketNotifier::activated, this, [this] {
        for (const HotplugEvent& event : hotplug_->receive()) {
            if (event.action == HotplugEvent::Action::kArrival) {
                session_->on_arrival();
                start_listener_if_connected();
            } else {
                session_->on_removal();
            }
        }
    });
}

void Application::create_tray() {
    const Language language = controller_.language();
    tray_ = std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/p330/icon.png")));
    tray_->setToolTip(q(ui_texts(language).product_title));
    tray_menu_ = std::make_unique<QMenu>();
    exit_action_ = tray_menu_->addAction(q(ui_texts(language).tray_exit));
    connect(exit_action_, &QAction::triggered, this, &Application::exit_program);
    tray_->setContextMenu(tray_menu_.get());
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    restore_from_tray();
            });
    tray_->show();
    if (sink_ == nullptr) {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            own_sink_ = std::make_unique<TrayPresenter>(*tray_);
        } else {
            own_sink_ = std::make_unique<DesktopPresenter>();
        }
        sink_ = own_sink_.get();
    }
}

void Application::start() {
    // The mouse first: open and greet it; its listener runs only while it is there.
    Status opened = session_->open_at_start();
    if (!opened) qInfo("p330: %s", opened.message().c_str());
    listener_notifier_ =
        std::make_unique<QSocketNotifier>(listener_.owner_fd(), QSocketNotifier::Read);
    connect(listener_notifier_.get(), &QSocketNotifier::activated, this,
            [this] { listener_.dispatch(); });
    start_listener_if_connected();
    watch_hotplug();

    // The profile, its snapshot, the language and the labels; then skin and fonts.
    controller_.start();
    const Language language = controller_.language();
    const ProfileIni& ini = controller_.profile_ini();
    const QStringList skin_roots = options_.skin_roots.isEmpty()
                                       ? QStringList{options_.data_dir + "/Skins"}
                                       : options_.skin_roots;
    std::optional<QString> skin =
        find_skin_directory(skin_roots, QString::fromStdString(ini.skin_path));
    if (!skin) {
        qWarning("p330: the skin path '%s' leads out of the Skins folder; it is ignored",
                 ini.skin_path.c_str());
        skin = QDir::cleanPath(skin_roots.front() + "/__refused__");
    }
    const TextColour colour = text_colour_from_strings(ini.red, ini.green, ini.blue);

    window_ = std::make_unique<MainWindow>(*skin, colour, language, controller_.record(),
                                           controller_.labels(), controller_.folder().record_ini());
    window_->on_exit = [this] { exit_program(); };
    window_->on_save = [this] {
        (void)controller_.apply();
        window_->save_finished();
    };
    window_->on_reset = [this] {
        (void)controller_.reset();
        window_->reset_main_view();
    };
    window_->on_cancel = [this] { controller_.cancel(); };
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Nothing else could bring it back: a normal window with a taskbar entry, minimised
        // instead of hidden.
        window_->setWindowFlags((window_->windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
        window_->set_hide_minimises(true);
    }
    new DialogLaunchers(*window_, controller_, *skin, colour);  // owned by the window
    if (!on_firmware_update) on_firmware_update = [] { (void)launch_firmware_updater(); };
    window_->show_splash();
    QTimer::singleShot(options_.splash_ms, this, &Application::initialise_main_view);
    create_tray();
    // A mouse that is there but may not be opened is not "not detected": say what to do.
    if (!opened && opened.error().code == ErrorCode::kPermission) {
        sink_->notify(Notification{"Warning", opened.message(), 10000});
    }
}

void Application::initialise_main_view() {
    if (window_->main_view_shown()) return;  // a tray restore came first
    if (controller_.profile().first_run_flag == 0) (void)controller_.apply_first_run_labels();
    window_->show_main_view();
    if (!options_.screenshot.isEmpty())
        QTimer::singleShot(500, this, &Application::take_screenshot);
}

void Application::restore_from_tray() {
    if (controller_.reload_pending()) {
        controller_.reload_if_pending();
        window_->redraw_main_view();
    } else if (window_->main_view_shown()) {
        window_->redraw_main_view();
    } else {
        initialise_main_view();
    }
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!session_->connected()) session_->notify_not_detected();
}

void Application::exit_program() {
    listener_.stop();
    if (tray_) tray_->hide();
    QCoreApplication::exit(0);
}

void Application::take_screenshot() {
    QScreen* screen = window_->screen();
    const QPixmap shot = screen ? screen->grabWindow(window_->winId()) : QPixmap();
    if (shot.isNull() || !shot.save(options_.screenshot, "PNG")) {
        qWarning("p330: could not save the screenshot to %s", qPrintable(options_.screenshot));
        if (options_.exit_after_screenshot) QCoreApplication::exit(1);
        return;
    }
    if (options_.exit_after_screenshot) exit_program();
}

}  // namespace p330::gui
