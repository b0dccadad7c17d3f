#pragma once
// What the main window's "Macro Manager" item, "Config" button and help button open, and
// what their results do to the settings: the macro blocks and the buttons' macros after the
// macro manager, profile selection, import and export after the profile manager.

#include <QDir>
#include <QObject>
#include <QPointer>
#include <functional>

#include "core/flows/settings_controller.h"
#include "gui/skin/skin_folder.h"

namespace p330::gui {

class MainWindow;
class ProfileManagerPanel;
class HelpPanel;

class DialogLaunchers : public QObject {
    Q_OBJECT
  public:
    // Fills the window's hooks; lives as long as the window (its parent).
    DialogLaunchers(MainWindow& window, SettingsController& controller, QString skin_dir,
                    TextColour colour);

    void open_macro_manager();
    void open_profile_manager();  // at most one at a time
    void show_help(bool open);
    // Load and Save of the profile manager, for the profile at position.
    void import_into(int position);
    void export_from(int position);

    // Runs next at once, or after the upload under way: a profile read meanwhile would be
    // overwritten by what the upload ends with. At once when unset.
    std::function<void(std::function<void()> next)> when_idle;

    ProfileManagerPanel* profile_manager() const;
    HelpPanel* help_panel() const;

  private:
    void tell(const UserMessage& message);
    // The profile the manager makes current as it closes: the chosen one, unless the window
    // holds unsaved edits and the user keeps them.
    int settle_current(int chosen);
    // The window shows the profile now current: its record and labels read from its files.
    void show_current_profile(int position);
    // Where Load and Save start, and the folder a choice leaves for the next one.
    QString suggested_profile_file(int position) const;
    void remember_folder(const QString& chosen);

    MainWindow& window_;
    SettingsController& controller_;
    QString skin_dir_;
    TextColour colour_;
    QPointer<ProfileManagerPanel> profile_manager_;
    QPointer<HelpPanel> help_;
    QString last_folder_ = QDir::homePath();
    bool keep_shown_ = false;  // the user kept the unsaved edits of the profile shown
};

}  // namespace p330::gui
