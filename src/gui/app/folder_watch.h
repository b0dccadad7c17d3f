#pragma once
// The window and the data folder it shows: when another program (p330ctl, a second window)
// changes the active profile's files, a window with no unsaved edit reloads them; one with
// unsaved edits keeps them, and its Save asks before it overwrites the other change.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>

#include "core/flows/settings_controller.h"

class QWidget;

namespace p330::gui {

class FolderWatch : public QObject {
    Q_OBJECT
  public:
    // busy: an upload runs (its own writes are on the way); reloaded: redraw after a reload.
    FolderWatch(SettingsController& controller, std::function<bool()> busy,
                std::function<void()> reloaded, QObject* parent);

    // Before Save writes: true when nobody else changed the files, or the user agrees to
    // overwrite what they changed. (A change in the moment between is caught by the save.)
    bool may_save(QWidget* window);

  private:
    void changed();

    SettingsController& controller_;
    std::function<bool()> busy_;
    std::function<void()> reloaded_;
    QFileSystemWatcher watcher_;
    QTimer settle_;  // a change of several files is taken as one
};

}  // namespace p330::gui
