#pragma once
// The desktop program's spine: brings the system up in its fixed order (mouse, listener,
// device watching, profile, language, skin, fonts, splash, tray), hands the mouse's
// reports and plug events to the core on the UI thread, runs Save and Reset with their
// upload on a thread of its own, and ends it cleanly.

#include <QObject>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "core/device/clock.h"
#include "core/device/listener.h"
#include "core/device/plug_events.h"
#include "core/flows/settings_controller.h"
#include "core/flows/upload_runner.h"
#include "core/session/mouse_session.h"
#include "core/session/plug_handling.h"
#include "gui/app/folder_watch.h"
#include "gui/app/main_window.h"
#include "gui/app/notification_presenters.h"

class QMenu;

namespace p330::gui {

struct AppOptions {
    QString device = QStringLiteral("auto");
    QString data_dir;        // the user's files
    QString defaults_dir;    // what Reset reads; empty: data_dir
    QStringList skin_roots;  // Skins folders searched in order; empty: data_dir/Skins
    QString folder_problem;  // why the user's folder could not be filled from the defaults
    QString screenshot;      // saved once the main view shows
    bool exit_after_screenshot = false;
    QString screenshot_view = QStringLiteral("main");  // see screenshot_views.h
    int splash_ms = 3000;
    int free_retry_ms = 1000;  // how often a mouse another program holds is asked again
    Clock* clock = nullptr;    // the protocol's pauses; null: real time
    // Called when the window cannot be drawn, before the user is told: a start that ends
    // lets the single-instance lock go at once rather than after the message box.
    std::function<void()> on_refused;
};

class Application : public QObject {
    Q_OBJECT
  public:
    // sink: where notifications go; null means the tray, or desktop notifications where
    // there is no tray. messages: where message boxes go; null means real boxes. pointer:
    // the desktop's pointer settings; null means the running desktop's own backend.
    explicit Application(AppOptions options, NotificationSink* sink = nullptr,
                         MessagePresenter* messages = nullptr, PointerSettings* pointer = nullptr);
    ~Application() override;

    // False when the window cannot be drawn; the user has been told why. A skin image that is
    // found unusable once the splash is on screen ends the event loop with 4 after its box.
    bool start();
    bool refused() const { return refused_; }
    // The tray icon's left click and double click, and a second start (with its
    // xdg-activation token, if any).
    void restore_from_tray(const QString& activation_token = {});
    // A second start with --firmware-update: the updater's launcher.
    std::function<void()> on_firmware_update;
    // The tray menu's Exit and the window's close button: ends the event loop with code 0.
    void exit_program();

    // The window's Save (its lock clear), Reset and Cancel.
    void save();
    void reset();
    void cancel();
    // The window's close button and the tray's Exit: with unsaved edits the user chooses
    // Save (the program ends once they are saved), Discard or Cancel first.
    void exit_asking();
    // The window's Reset: asked first when it would replace saved or unsaved settings.
    void reset_asking();
    // A Save or Reset upload is running on its thread.
    bool upload_running() const { return runner_.busy(); }

    MainWindow* window() { return window_.get(); }
    SettingsController& controller() { return controller_; }
    MouseSession& session() { return *session_; }
    DeviceListener& listener() { return listener_; }
    QAction* exit_action() {
        set_up_tray();
        return exit_action_;
    }
    const QSystemTrayIcon* tray() const { return tray_.get(); }  // null without a tray
    // Asks a mouse another program held again, as the retry timer does.
    void retry_when_free();

  private:
    enum class Flow { kApply, kReset };

    // The splash's end, or a tray restore before it: the main view, first-run labels.
    void initialise_main_view();
    void start_listener_if_connected();
    void watch_hotplug();
    void handle_hotplug_events();
    // The tray where the desktop has one, its menu, the notifications and whether the
    // window hides or minimises: nothing the splash needs, so done after its first paint, or
    // at their first use (the main view's type depends on it).
    void set_up_tray();
    void after_first_paint();
    void refuse(const UserMessage& why);
    void take_screenshot();
    void save_screenshot(QWidget* shown);
    void hide_window();
    void wire_window();
    void show_messages(const std::vector<UserMessage>& messages);
    // Now, or once the running upload has ended: what must not overlap its end.
    void when_idle(std::function<void()> next);
    void start_upload(UploadJob job, Flow flow, FlowReport report);
    void upload_ended();
    void end_reset(FlowReport& report);

    AppOptions options_;
    std::unique_ptr<PointerSettings> own_pointer_;
    SettingsController controller_;
    DeviceListener listener_;
    bool listener_started_ = false;
    std::unique_ptr<MouseSession> session_;
    std::unique_ptr<QSocketNotifier> listener_notifier_;
    std::unique_ptr<PlugEventSource> hotplug_;
    std::unique_ptr<QSocketNotifier> hotplug_notifier_;
    std::unique_ptr<PlugEventHandler> plugs_;  // over session_
    QTimer settle_timer_;
    QTimer free_retry_;  // while another program holds the mouse
    std::unique_ptr<MainWindow> window_;
    QString skin_dir_;
    bool refused_ = false;  // the skin cannot be drawn: the program is ending
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> tray_menu_;
    QAction* exit_action_ = nullptr;
    bool tray_checked_ = false;
    bool tray_available_ = false;
    std::optional<Notification> start_warning_;  // shown once the tray is there
    std::unique_ptr<NotificationSink> own_sink_;
    NotificationSink* sink_;
    class ForwardingSink;
    std::unique_ptr<ForwardingSink> forwarding_sink_;
    std::unique_ptr<BoxPresenter> own_messages_;
    MessagePresenter* messages_;
    FolderWatch* folder_watch_ = nullptr;  // a child of this

    // The upload of the flow that runs, the report it adds to, and the clicks that came
    // while it ran. Declared last: it is destroyed first, waiting for an upload still on
    // the link.
    Flow flow_ = Flow::kApply;
    FlowReport flow_report_;
    std::deque<std::function<void()>> after_upload_;
    std::unique_ptr<QSocketNotifier> upload_notifier_;
    UploadRunner runner_;
};

}  // namespace p330::gui
