#pragma once
// The profile manager: a translucent panel over the main window's left column listing the
// profiles of str.ini. New, and the list menu's Delete, Edit, Copy, Load and Save, edit the
// list; closing writes it back as the Profile section. Load and Save are handed to the owner
// (import into and export of the selected profile); no profile file is touched here.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "core/flows/profile_manager_model.h"
#include "gui/access/focus_stop.h"
#include "gui/macro/list_item_editor.h"
#include "gui/skin/skin_canvas.h"

class QListWidget;

namespace p330::gui {

class FocusRing;

class ProfileManagerPanel : public QWidget {
    Q_OBJECT
  public:
    enum class Command { kDelete, kEdit, kCopy, kLoad, kSave };

    ProfileManagerPanel(QWidget* window, const QString& skin_dir, TextColour title_colour,
                        Language language, const std::filesystem::path& main_ini);

    // Load and Save with the selected position; closed with the position now current.
    std::function<void(int position)> on_load;
    std::function<void(int position)> on_save;
    std::function<void(int position)> on_closed;
    // Asked as the panel closes, before the list is written: the position to make current,
    // the chosen one or another (the owner may keep the profile it shows).
    std::function<int(int chosen)> settle_current;

    QListWidget* list() const { return list_; }
    const ProfileManagerModel& model() const { return model_; }
    ListItemEditor* editor() const { return editor_; }
    void command(Command command);
    // The close path: the Profile section written, the owner told; the panel deletes itself.
    void close_panel();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // The keyboard: the list, New and the close button; Esc closes as the close button does.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    FocusStops focus_stops();
    void add_list_keys_once();
    ListItemEditor::Commit rename_commit();
    void paint_close(bool over);
    void new_profile();
    void clicked(int row);  // a click or double click on an entry
    void rename_on_repeat(int row);
    void show_menu(const QPoint& global);
    int selected() const;

    Language language_;
    SkinCanvas canvas_;
    ProfileManagerModel model_;
    QListWidget* list_ = nullptr;
    QPointer<ListItemEditor> editor_;
    int remembered_ = -1;
    bool close_hover_ = false;
    bool closed_ = false;
    FocusRing* focus_ = nullptr;
};

}  // namespace p330::gui
