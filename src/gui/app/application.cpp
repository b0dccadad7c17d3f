#include "gui/app/application.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <chrono>
#include <utility>

#include "core/buttons/function_catalogue.h"
#include "core/device/open_mouse.h"
#include "core/flows/export_target.h"
#include "core/lang/access_texts.h"
#include "core/util/file_io.h"
#include "core/util/file_journal.h"
#include "gui/access/painted_accessible.h"
#include "gui/app/dialog_launchers.h"
#include "gui/app/drawing_check.h"
#include "gui/app/loss_questions.h"
#include "gui/app/notification_presenters.h"
#include "gui/app/qt_translations.h"
#include "gui/app/screenshot_views.h"
#include "gui/dialogs/firmware_updater.h"
#include "gui/skin/texts.h"
#include "platform/pointer_backend.h"

namespace p330::gui {

namespace {

// Ends the program's event loop with `code`. Asked for while no loop runs (the program ends
// through start()'s answer then, or a test drives the object by hand), it changes nothing:
// Qt would otherwise keep the request and end every loop started afterwards at once, the
// next modal dialog's included.
void end_running_loop(int code) {
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(code);
}

}  // namespace

// The session is built before the window and the tray exist; it notifies through this.
class Application::ForwardingSink final : public NotificationSink {
  public:
    explicit ForwardingSink(Application& app) : app_(app) {}
    void notify(const Notification& n) override {
        if (app_.window_) app_.set_up_tray();
        if (app_.sink_ != nullptr) app_.sink_->notify(n);
        // A screen reader says the balloon too.
        announce(app_.window_.get(), notification_title(n, app_.controller_.language()) +
                                         QStringLiteral(": ") + QString::fromStdString(n.text));
    }

  private:
    Application& app_;
};

Application::Application(AppOptions options, NotificationSink* sink, MessagePresenter* messages,
                         PointerSettings* pointer)
    : options_(std::move(options)),
      own_pointer_(pointer != nullptr ? nullptr : desktop_pointer_settings()),
      controller_(DataFolder{options_.data_dir.toStdString(), options_.defaults_dir.toStdString()},
                  nullptr, pointer != nullptr ? pointer : own_pointer_.get()),
      listener_([this](MouseReport report) { session_->on_mouse_report(report); }),
      sink_(sink),
      forwarding_sink_(std::make_unique<ForwardingSink>(*this)),
      messages_(messages) {
    const std::string device = options_.device.toStdString();
    Clock& clock = options_.clock != nullptr ? *options_.clock : SystemClock::instance();
    session_ =
        std::make_unique<MouseSession>([device, &clock] { return open_mouse_link(device, clock); },
                                       clock, controller_, *forwarding_sink_, &listener_);
    session_->on_arrival_failed = [this] {
        if (window_) hide_window();
    };
    session_->on_profile_reloaded = [this](const LoadResult& loaded) {
        start_listener_if_connected();
        if (loaded.message) show_messages({*loaded.message});
        if (window_) window_->redraw_main_view();
    };
    // Another program's hold on the mouse ends without a sign: asked again every second.
    session_->on_waiting_until_free = [this] { free_retry_.start(); };
    free_retry_.setInterval(options_.free_retry_ms);
    connect(&free_retry_, &QTimer::timeout, this, &Application::retry_when_free);
    settle_timer_.setSingleShot(true);
    plugs_ = std::make_unique<PlugEventHandler>(*session_);
    connect(&settle_timer_, &QTimer::timeout, this,
            [this] { plugs_->settle(std::chrono::steady_clock::now()); });
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
    Result<std::unique_ptr<PlugEventSource>> monitor = watch_plug_events();
    if (!monitor) {
        qWarning("p330: %s; plugging the mouse in or out will not be noticed",
                 monitor.error().message.c_str());
        return;
    }
    hotplug_ = std::move(*monitor);
    hotplug_->remember_present_nodes();
    hotplug_notifier_ = std::make_unique<QSocketNotifier>(hotplug_->fd(), QSocketNotifier::Read);
    connect(hotplug_notifier_.get(), &QSocketNotifier::activated, this,
            &Application::handle_hotplug_events);
}

void Application::handle_hotplug_events() {
    settle_timer_.stop();
    if (const auto left = plugs_->handle(hotplug_->receive(), std::chrono::steady_clock::now()))
        settle_timer_.start(*left);
}

void Application::after_first_paint() {
    if (std::optional<UserMessage> bad = check_whole_skin(skin_dir_, controller_.language())) {
        refuse(*bad);
        return;
    }
    set_up_tray();
}

void Application::refuse(const UserMessage& why) {
    refused_ = true;
    if (options_.on_refused) options_.on_refused();
    window_->hide();
    if (own_messages_) own_messages_->set_parent(nullptr);
    show_messages({why});
    end_running_loop(4);
}

void Application::retry_when_free() {
    if (session_->retry_when_free()) {
        start_listener_if_connected();
        if (window_) window_->redraw_main_view();
    }
    if (!session_->waiting_until_free()) free_retry_.stop();
}

void Application::set_up_tray() {
    if (tray_checked_ || !window_ || refused_) return;
    tray_checked_ = true;
    // Without a tray nothing else could bring a hidden window back: the main window is then
    // a normal one with a taskbar entry, minimised instead of hidden, and no icon is made.
    tray_available_ = QSystemTrayIcon::isSystemTrayAvailable();
    window_->set_hide_minimises(!tray_available_);
    const Language language = controller_.language();
    tray_menu_ = std::make_unique<QMenu>();
    exit_action_ = tray_menu_->addAction(qtext(ui_texts(language).tray_exit));
    connect(exit_action_, &QAction::triggered, this, &Application::exit_asking);
    if (tray_available_) {
        tray_ = std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/p330/icon.png")));
        tray_->setToolTip(qtext(ui_texts(language).product_title));
        tray_->setContextMenu(tray_menu_.get());
        connect(
            tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    restore_from_tray();
            });
        tray_->show();
    }
    if (sink_ == nullptr) {
        // The desktop's own notifications name the program; balloons only where it has none.
        if (tray_ && !notification_service_available()) {
            own_sink_ = std::make_unique<TrayPresenter>(*tray_, language);
        } else {
            own_sink_ = std::make_unique<DesktopPresenter>(language);
        }
        sink_ = own_sink_.get();
    }
    if (start_warning_) sink_->notify(*std::exchange(start_warning_, std::nullopt));
}

void Application::hide_window() {
    set_up_tray();
    window_->hide_or_minimise();
}

void Application::show_messages(const std::vector<UserMessage>& messages) {
    for (const UserMessage& m : messages) messages_->show(m);
    // A change saved but not yet completed, a journal set aside: said as p330ctl says it.
    if (const std::string notice = take_journal_notice(); !notice.empty())
        messages_->show(UserMessage{notice, "Warning"});
}

bool Application::start() {
    load_qt_translations(controller_.language());  // before any of Qt's dialogs can show
    // The mouse first: open and greet it; its listener runs only while it is there.
    Status opened = session_->open_at_start();
    if (!opened) qInfo("p330: %s", opened.message().c_str());
    listener_notifier_ =
        std::make_unique<QSocketNotifier>(listener_.owner_fd(), QSocketNotifier::Read);
    connect(listener_notifier_.get(), &QSocketNotifier::activated, this,
            [this] { listener_.dispatch(); });
    start_listener_if_connected();
    watch_hotplug();
    upload_notifier_ = std::make_unique<QSocketNotifier>(runner_.done_fd(), QSocketNotifier::Read);
    connect(upload_notifier_.get(), &QSocketNotifier::activated, this, &Application::upload_ended);

    // The profile, its snapshot, the language and the labels; then skin and fonts.
    const LoadResult loaded = controller_.start();
    const Language language = controller_.language();
    if (messages_ == nullptr) {
        own_messages_ = std::make_unique<BoxPresenter>(qtext(ui_texts(language).product_title));
        messages_ = own_messages_.get();
    }
    if (loaded.message) show_messages({*loaded.message});
    const ProfileIni& ini = controller_.profile_ini();
    const QStringList skin_roots = options_.skin_roots.isEmpty()
                                       ? QStringList{options_.data_dir + "/Skins"}
                                       : options_.skin_roots;
    const SkinCheck skin = check_window_can_be_drawn(
        DrawingSources{skin_roots, controller_.folder().dir, controller_.folder().main_ini(),
                       controller_.profile().active_ini, ini.skin_path,
                       options_.folder_problem.toStdString()},
        language);
    if (skin.problem) {
        if (options_.on_refused) options_.on_refused();
        show_messages({*skin.problem});
        return false;
    }
    skin_dir_ = skin.skin_dir;
    const TextColour colour = text_colour_from_strings(ini.red, ini.green, ini.blue);

    // Every window of the program, for the window manager's _NET_WM_ICON and the task bar.
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/p330/icon.png")));

    window_ = std::make_unique<MainWindow>(skin.skin_dir, colour, language, controller_.record(),
                                           controller_.labels(), controller_.folder().record_ini());
    wire_window();
    if (own_messages_) own_messages_->set_parent(window_.get());
    auto* launchers =
        new DialogLaunchers(*window_, controller_, skin.skin_dir, colour);  // owned by the window
    launchers->when_idle = [this](std::function<void()> next) { when_idle(std::move(next)); };
    if (!on_firmware_update) on_firmware_update = [] { (void)launch_firmware_updater(); };
    // A mouse that is there but may not be opened, or is held by another program, is not
    // "not detected": say what to do, or that it is connected once free.
    if (!opened && opened.error().code == ErrorCode::kPermission)
        start_warning_ = Notification{"Warning", opened.message(), 10000};
    if (session_->waiting_until_free()) start_warning_ = mouse_in_use_notification(language);
    window_->on_first_paint = [this] {
        QTimer::singleShot(0, this, &Application::after_first_paint);
    };
    window_->show_splash();
    QTimer::singleShot(options_.splash_ms, this, &Application::initialise_main_view);
    return true;
}

void Application::wire_window() {
    window_->on_exit = [this] { exit_asking(); };
    window_->on_save = [this] { save(); };
    window_->on_reset = [this] { reset_asking(); };
    window_->on_cancel = [this] { cancel(); };
    folder_watch_ = new FolderWatch(
        controller_, [this] { return runner_.busy(); }, [this] { window_->redraw_main_view(); },
        this);
}

void Application::save() {
    // Save during the splash: the main view's first-run labels are this program's own write,
    // made before the save takes the stamp it expects the files to have.
    initialise_main_view();
    if (runner_.busy()) {  // a Reset's upload: this Save follows it
        after_upload_.emplace_back([this] { save(); });
        return;
    }
    if (!folder_watch_->may_save(window_.get())) {  // another program's change stays
        window_->save_finished();
        return;
    }
    std::optional<UploadJob> job = controller_.begin_apply();
    if (!job) {  // without the mouse nothing is sent or saved: the edits stay in the window
        window_->save_finished();
        const UiTexts& texts = ui_texts(controller_.language());
        show_messages({UserMessage{
            std::string(session_->waiting_until_free() ? texts.mouse_busy
                                                       : texts.not_saved_without_mouse),
            ""}});
        return;
    }
    window_->set_busy(true);
    start_upload(std::move(*job), Flow::kApply, {});
}

void Application::reset() {
    if (runner_.busy()) {
        after_upload_.emplace_back([this] { reset(); });
        return;
    }
    window_->set_busy(true);
    FlowReport report;
    std::optional<UploadJob> job = controller_.begin_reset(report);
    if (!job) {
        end_reset(report);
        return;
    }
    start_upload(std::move(*job), Flow::kReset, std::move(report));
}

void Application::exit_asking() {
    if (window_ == nullptr || !controller_.has_unsaved_edits()) {
        exit_program();
        return;
    }
    switch (ask_save_before_close(window_.get(), controller_.language())) {
        case CloseAnswer::kCancel: return;
        case CloseAnswer::kDiscard: exit_program(); return;
        case CloseAnswer::kSave:
            save();
            // A Save that could not run, or did not save, keeps the program and says why.
            when_idle([this] {
                if (!controller_.has_unsaved_edits()) exit_program();
            });
            return;
    }
}

void Application::reset_asking() {
    if (controller_.reset_would_lose() && !ask_before_reset(window_.get(), controller_.language()))
        return;
    reset();
}

void Application::cancel() {
    controller_.cancel();  // memory only: fine while an upload runs
    // The saved labels are read back now, not at a tray restore: there may be no tray. An
    // upload still running saves first.
    const auto reload = [this] {
        const LoadResult loaded = controller_.reload_if_pending();
        if (loaded.message) show_messages({*loaded.message});
        window_->redraw_main_view();
    };
    when_idle(reload);
}

void Application::when_idle(std::function<void()> next) {
    if (runner_.busy()) {
        after_upload_.push_back(std::move(next));
    } else {
        next();
    }
}

void Application::start_upload(UploadJob job, Flow flow, FlowReport report) {
    flow_ = flow;
    flow_report_ = std::move(report);
    session_->hold_link();  // the mouse's reports and plug events wait for the upload
    runner_.start(std::move(job));
}

void Application::end_reset(FlowReport& report) {
    controller_.end_reset();
    window_->reset_main_view();
    window_->set_busy(false);
    show_messages(report.messages);
}

void Application::upload_ended() {
    std::optional<UploadJob> job = runner_.collect();
    if (!job) return;
    FlowReport report = std::move(flow_report_);
    controller_.finish_upload(*job, report);
    session_->release_link();
    if (flow_ == Flow::kReset) {
        end_reset(report);
    } else {
        window_->set_busy(false);
        window_->save_finished();
        if (report.uploaded && report.messages.empty())  // a screen reader hears it worked
            announce(window_.get(), qtext(access_texts(controller_.language()).saved));
        show_messages(report.messages);
    }
    while (!runner_.busy() && !after_upload_.empty()) {
        const std::function<void()> next = std::move(after_upload_.front());
        after_upload_.pop_front();
        next();
    }
}

void Application::initialise_main_view() {
    if (refused_ || window_->main_view_shown()) return;  // ending, or a tray restore came first
    if (controller_.profile().first_run_flag == 0) (void)controller_.apply_first_run_labels();
    set_up_tray();  // the window's type depends on it
    window_->show_main_view(tray_available_ ? Qt::Tool : Qt::Window);
    if (!options_.screenshot.isEmpty())
        QTimer::singleShot(500, this, &Application::take_screenshot);
}

void Application::restore_from_tray(const QString& activation_token) {
    if (refused_) return;
    set_up_tray();
    if (controller_.reload_pending()) {
        const LoadResult loaded = controller_.reload_if_pending();
        if (loaded.message) show_messages({*loaded.message});
        window_->redraw_main_view();
    } else if (window_->main_view_shown()) {
        window_->redraw_main_view();
    } else {
        initialise_main_view();
    }
    window_->bring_back(activation_token);
    // A dialog open over the window stays over it, with the keyboard.
    if (QWidget* modal = QApplication::activeModalWidget();
        modal != nullptr && modal != window_.get()) {
        modal->raise();
        modal->activateWindow();
    }
    if (!session_->connected()) session_->notify_not_connected();
}

void Application::exit_program() {
    listener_.stop();
    if (tray_) tray_->hide();
    end_running_loop(0);  // an upload still running is waited for as the program ends
}

void Application::take_screenshot() {
    stage_screenshot_view(*window_, options_.screenshot_view,
                          [this](QWidget* shown) { save_screenshot(shown); });
}

void Application::save_screenshot(QWidget* shown) {
    // The window as it paints itself, at the screen's pixel density: reading the screen back
    // fails on Wayland and, on some platforms, cuts a scaled window to its unscaled size.
    const QPixmap shot = shown != nullptr ? shown->grab() : QPixmap();
    QByteArray png;
    QBuffer buffer(&png);
    // Written as every file outside the data folder is: never over one of the folder's own
    // files however the name reaches it, replaced whole.
    const std::filesystem::path target = options_.screenshot.toStdString();
    Status written = check_export_target(controller_.folder(), target);
    if (written &&
        (shot.isNull() || !buffer.open(QIODevice::WriteOnly) || !shot.save(&buffer, "PNG")))
        written = Error{ErrorCode::kIo, "the window could not be drawn into an image"};
    if (written)
        written = write_file_atomically(
            target, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (!written) {
        qWarning("p330: could not save the screenshot to %s: %s", qPrintable(options_.screenshot),
                 written.message().c_str());
        if (options_.exit_after_screenshot) end_running_loop(1);
        return;
    }
    if (options_.exit_after_screenshot) exit_program();
}

}  // namespace p330::gui
