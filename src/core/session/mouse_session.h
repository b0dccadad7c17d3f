#pragma once
// The mouse's life as the program sees it: opened and greeted at start, its own reports
// turned into notifications, and its arrival and removal handled as the device-change
// sequence does (re-open, greet, reload the profile; or tell the user it is gone).

#include <functional>
#include <memory>
#include <vector>

#include "core/device/clock.h"
#include "core/device/listener.h"
#include "core/device/mouse_link.h"
#include "core/device/protocol.h"
#include "core/flows/settings_controller.h"
#include "core/session/notifications.h"

namespace p330 {

class MouseSession {
  public:
    using Opener = std::function<Result<std::unique_ptr<MouseLink>>()>;

    MouseSession(Opener opener, Clock& clock, SettingsController& controller,
                 NotificationSink& sink, DeviceListener* listener)
        : opener_(std::move(opener)),
          clock_(clock),
          controller_(controller),
          sink_(sink),
          listener_(listener) {}
    ~MouseSession();

    // Start-up: open the mouse and greet it. The error says why it could not be opened; a
    // mouse another program holds is open but waits (waiting_until_free).
    Status open_at_start();
    // These three send commands or replace the link; while the link is held they wait, in
    // order, and run when it is released.
    void on_arrival();
    void on_removal();
    // A report of the mouse's own (on the owner's thread).
    void on_mouse_report(MouseReport report);
    // The mouse is not connected: not detected, or in use by another program.
    void notify_not_connected();

    // The mouse is there but another program held it when it was greeted: nothing is sent
    // until a retry finds it free. The owner retries while this holds.
    bool waiting_until_free() const { return waiting_until_free_; }
    // Greets the waiting mouse again; true once it is connected (it is then announced, and an
    // arrival's profile reload follows).
    bool retry_when_free();
    // Called when the session starts waiting for the mouse to be free.
    std::function<void()> on_waiting_until_free;

    // An upload runs over the link on another thread: nothing else may use or replace it.
    void hold_link() { held_ = true; }
    // The upload has ended: what waited runs now.
    void release_link();
    bool link_held() const { return held_; }

    bool connected() const { return controller_.connected(); }
    MouseLink* link() { return link_.get(); }
    const Error& last_open_error() const { return last_error_; }
    // Called when an arrival cannot be opened (the window hides).
    std::function<void()> on_arrival_failed;
    // Called after an arrival reloaded the profile, with what the loading said (the user
    // sees its message; the window redraws).
    std::function<void(const LoadResult&)> on_profile_reloaded;

  private:
    bool open_link();
    void drop_link();
    // False when another program holds the mouse: the session then waits until it is free.
    bool greet();
    void reload_after_arrival();

    Opener opener_;
    Clock& clock_;
    SettingsController& controller_;
    NotificationSink& sink_;
    DeviceListener* listener_;
    std::unique_ptr<MouseLink> link_;
    std::unique_ptr<CommandProtocol> protocol_;
    Error last_error_;
    bool held_ = false;
    bool waiting_until_free_ = false;
    bool reload_when_free_ = false;  // an arrival waits for the mouse: its reload too
    std::vector<std::function<void()>> waiting_;
};

}  // namespace p330
