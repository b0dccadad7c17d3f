#include "gui/app/folder_watch.h"

#include <QMessageBox>

namespace p330::gui {

FolderWatch::FolderWatch(SettingsController& controller, std::function<bool()> busy,
                         std::function<void()> reloaded, QObject* parent)
    : QObject(parent),
      controller_(controller),
      busy_(std::move(busy)),
      reloaded_(std::move(reloaded)) {
    // The folder, not the files: every save replaces a file by rename.
    watcher_.addPath(QString::fromStdString(controller_.folder().dir.string()));
    settle_.setSingleShot(true);
    settle_.setInterval(200);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &FolderWatch::changed);
}

void FolderWatch::changed() {
    if (busy_()) {  // the upload's own save; looked at again once it is done
        settle_.start();
        return;
    }
    if (!controller_.files_changed_elsewhere() || controller_.has_unsaved_edits()) return;
    (void)controller_.reload_from_files();
    if (reloaded_) reloaded_();
}

bool FolderWatch::may_save(QWidget* window) {
    if (!controller_.files_changed_elsewhere()) return true;
    const bool overwrite =
        QMessageBox::question(
            window, QStringLiteral("Warning"),
            QStringLiteral("Another program changed this profile's files since they were "
                           "loaded.\nSave anyway and overwrite that change?"),
            QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Save;
    if (overwrite) controller_.overwrite_on_next_save();
    return overwrite;
}

}  // namespace p330::gui
