#include "gui/app/dialog_launchers.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "core/flows/macro_sync.h"
#include "core/flows/macro_sync_profiles.h"
#include "core/flows/profile_edit.h"
#include "core/formats/ini_document.h"
#include "core/lang/dialog_texts.h"
#include "core/lang/error_texts.h"
#include "core/util/file_io.h"
#include "gui/app/main_window.h"
#include "gui/dialogs/help_panel.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/dialogs/profile_manager_panel.h"
#include "gui/skin/texts.h"

namespace p330::gui {

namespace {

// Where the help panel's first line leads: set once when the program is built.
const QString kHomePage = QStringLiteral(P330_HOME_PAGE);
const QString kProfileFilter = QStringLiteral("Gaming Mouse Profile(*.bin)");

// The file dialog of Load (open) and Save, offering `initial`; empty when cancelled. Qt's
// own dialog, the same on every desktop.
QString choose_profile_file(QWidget* parent, const QString& initial, bool save) {
    QFileDialog chooser(parent, QString(), initial, kProfileFilter);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
    return chooser.selectedFiles().front();
}

bool same_folder(const QString& a, const std::filesystem::path& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() &&
           canonical == QFileInfo(QString::fromStdString(b.string())).canonicalFilePath();
}

}  // namespace

QString DialogLaunchers::suggested_profile_file(int position) const {
    // The profile's own name, in the folder last chosen outside the data folder: the data
    // folder's files belong to the list positions and are never offered.
    QString name;
    if (profile_manager_ != nullptr) {
        const std::vector<std::string>& names = profile_manager_->model().names();
        if (position >= 0 && position < static_cast<int>(names.size()))
            name = QString::fromStdString(names[static_cast<std::size_t>(position)]);
    }
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty()) name = QStringLiteral("PROFILE");
    return QDir(last_folder_).filePath(name + QStringLiteral(".bin"));
}

void DialogLaunchers::remember_folder(const QString& chosen) {
    const QString folder = QFileInfo(chosen).absolutePath();
    if (!same_folder(folder, controller_.folder().dir)) last_folder_ = folder;
}

DialogLaunchers::DialogLaunchers(MainWindow& window, SettingsController& controller,
                                 QString skin_dir, TextColour colour)
    : QObject(&window),
      window_(window),
      controller_(controller),
      skin_dir_(std::move(skin_dir)),
      colour_(colour) {
    window_.on_macro_manager = [this] { open_macro_manager(); };
    window_.on_config = [this] { open_profile_manager(); };
    window_.on_help = [this](bool open) { show_help(open); };
}

ProfileManagerPanel* DialogLaunchers::profile_manager() const {
    return profile_manager_;
}

HelpPanel* DialogLaunchers::help_panel() const {
    return help_;
}

void DialogLaunchers::tell(const UserMessage& message) {
    const Language language = controller_.language();
    const QString caption =
        message.caption.empty() ? qtext(ui_texts(language).product_title) : qtext(message.caption);
    QMessageBox::warning(&window_, caption, qtext(message.text));
}

void DialogLaunchers::open_macro_manager() {
    const Language language = controller_.language();
    // The manager writes record.ini as the user edits: even its Cancel may leave macros deleted
    // or moved, and then the buttons must follow them as after OK.
    const auto before = read_file(controller_.folder().record_ini(), kMaxIniFileSize);
    MacroManagerDialog dialog(&window_, skin_dir_, colour_, language,
                              controller_.folder().record_ini());
    if (dialog.exec() != QDialog::Accepted) {
        const auto after = read_file(controller_.folder().record_ini(), kMaxIniFileSize);
        if (before.is_ok() == after.is_ok() && (!before || *before == *after)) return;
    }
    Result<IniDocument> file = IniDocument::load(controller_.folder().record_ini());
    if (!file) {
        tell(UserMessage{file.error().message, "Warning"});
        return;
    }
    // Saving, renaming and deleting macros may have changed the positions the buttons store.
    const MacroButtonLinks links =
        sync_macros_into_record(controller_.record(), controller_.labels(), language, *file,
                                dialog.model().renames(),
                                shipped_default_record(controller_.folder()))
            .links;
    // record.ini is already written: the saved files follow it now, the shown profile's too,
    // so that Cancel or another program never reads a button on a macro that is gone.
    const bool theirs_pending = controller_.files_changed_elsewhere();
    Result<SavedProfilesFollowed> followed = follow_macros_in_saved_profiles(
        controller_.folder(), controller_.profile().index, dialog.model().renames());
    // Another program's change made before this one is still the folder watch's to report.
    if (followed && followed->shown && !theirs_pending)
        controller_.saved_files_rewritten(followed->shown->record, followed->shown->labels);
    window_.redraw_main_view();
    const std::string caption(macro_manager_texts(language).warning_caption);
    if (!links.lost.empty())
        tell(UserMessage{lost_macro_buttons_message(language, links.lost), caption});
    if (!followed) return tell(UserMessage{error_text(followed.error(), language), caption});
    for (const ProfileMacroLinks& other : followed->others)
        tell(UserMessage{lost_macro_buttons_message(other), caption});
}

void DialogLaunchers::open_profile_manager() {
    if (profile_manager_ != nullptr) return;
    profile_manager_ = new ProfileManagerPanel(&window_, skin_dir_, colour_, controller_.language(),
                                               controller_.folder().main_ini());
    profile_manager_->on_load = [this](int position) { import_into(position); };
    profile_manager_->on_save = [this](int position) { export_from(position); };
    profile_manager_->settle_current = [this](int chosen) { return settle_current(chosen); };
    profile_manager_->on_closed = [this](int position) {
        const auto show = [this, position] { show_current_profile(position); };
        if (when_idle) {
            when_idle(show);
        } else {
            show();
        }
    };
    profile_manager_->show();
}

int DialogLaunchers::settle_current(int chosen) {
    const int shown = controller_.profile().index;
    keep_shown_ = false;
    if (chosen == shown || !controller_.has_unsaved_edits()) return chosen;
    const Language language = controller_.language();
    const UiTexts& texts = ui_texts(language);
    QMessageBox ask(QMessageBox::Question, qtext(texts.warning_title),
                    qtext(texts.drop_edits_for_other_profile),
                    QMessageBox::Discard | QMessageBox::Cancel, &window_);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Discard)->setText(qtext(profile_manager_texts(language).menu_load));
    ask.button(QMessageBox::Cancel)->setText(qtext(texts.cancel));
    keep_shown_ = ask.exec() != QMessageBox::Discard;
    return keep_shown_ ? shown : chosen;
}

void DialogLaunchers::show_current_profile(int position) {
    // Save writes the record into the current profile's files, so the record must be that
    // profile's. Edits the user kept stay, even where the list lost their entry meanwhile.
    if (position != controller_.profile().index && !keep_shown_) {
        controller_.select_profile(position);
        // The list as written decides which profile is read, as at start-up.
        const LoadResult loaded = controller_.reload_from_files();
        if (loaded.message) tell(*loaded.message);
    }
    window_.close_transient_controls();
    window_.redraw_main_view();
}

void DialogLaunchers::import_into(int position) {
    const QString chosen = choose_profile_file(&window_, suggested_profile_file(position), false);
    if (chosen.isEmpty()) return;  // the record shown stays the shown profile's
    controller_.select_profile(position);
    ProfileState& state = controller_.profile();
    remember_folder(chosen);
    const ImportResult result = import_profile(chosen.toStdString(), controller_.folder(), state,
                                               controller_.record(), controller_.language());
    if (!result.adjusted.empty()) tell(UserMessage{result.adjusted, "Information"});
    if (result.message) tell(*result.message);
    // Without its INI the profile keeps the labels it has: empty ones would hide every button.
    if (result.ini_read) controller_.labels() = result.ini.labels;
    window_.close_transient_controls();
    window_.redraw_main_view();
}

void DialogLaunchers::export_from(int position) {
    const QString chosen = choose_profile_file(&window_, suggested_profile_file(position), true);
    if (chosen.isEmpty()) return;
    remember_folder(chosen);
    const ExportResult result = export_listed_profile(
        chosen.toStdString(), controller_.folder(), controller_.profile(), position,
        controller_.record(), controller_.labels(), controller_.language());
    for (const UserMessage& message : result.messages) tell(message);
}

void DialogLaunchers::show_help(bool open) {
    delete help_;
    if (!open) return;
    help_ = new HelpPanel(&window_, skin_dir_, controller_.language(), kHomePage);
    help_->show();
}

}  // namespace p330::gui
