#include "gui/app/folder_watch.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "gui/skin/texts.h"

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
    const UiTexts& texts = ui_texts(controller_.language());
    QMessageBox ask(QMessageBox::Question, qtext(texts.warning_title),
                    qtext(texts.overwrite_changed_elsewhere),
                    QMessageBox::Save | QMessageBox::Cancel, window);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Save)->setText(qtext(texts.save));
    ask.button(QMessageBox::Cancel)->setText(qtext(texts.cancel));
    const bool overwrite = ask.exec() == QMessageBox::Save;
    if (overwrite) controller_.overwrite_on_next_save();
    return overwrite;
}

}  // namespace p330::gui
