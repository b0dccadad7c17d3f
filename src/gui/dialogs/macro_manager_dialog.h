#pragma once
// The macro manager: the macros of record.ini and the items of the selected one, recording
// from the keyboard, the item menu and the in-place editor. Every edit reaches record.ini at
// once through the core's model; an OK ending (the OK area, or Enter once a recording has
// stopped) saves, encodes and leaves the twelve blocks for the caller. Another program's
// change to record.ini is shown once no recording or in-place edit is open; a macro it
// changed is overwritten only when the user agrees.

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QTimer>
#include <array>
#include <filesystem>
#include <memory>

#include "core/lang/dialog_texts.h"
#include "core/macro/macro_manager_model.h"
#include "core/macro/recorder.h"
#include "gui/macro/list_item_editor.h"
#include "gui/skin/skinned_dialog.h"

class QLineEdit;
class QListWidget;

namespace p330::gui {

class KeyFilter;
struct CapturedKey;

class MacroManagerDialog : public SkinnedDialog {
    Q_OBJECT
  public:
    enum class ItemCommand { kDelete, kInsertLeft, kInsertMiddle, kInsertRight, kInsertDelay };

    MacroManagerDialog(QWidget* parent, const QString& skin_dir, TextColour colour,
                       Language language, std::filesystem::path record_ini);
    ~MacroManagerDialog() override;

    // Filled by an OK ending.
    const std::array<Block, kMacroCount>& blocks() const { return blocks_; }
    const MacroManagerModel& model() const { return model_; }
    bool recording() const { return recorder_.recording(); }
    QListWidget* macro_list() const { return macros_; }
    QListWidget* item_list() const { return items_; }
    QLineEdit* loop_box() const { return loop_; }
    // What the pairs text says now.
    const QString& pairs_text() const { return pairs_text_; }
    ListItemEditor* editor() const { return editor_; }
    // The item menu's commands on the item list's selection.
    void item_command(ItemCommand command);

    void accept() override;
    void reject() override;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Reading order: the macros with New and Delete, the items, the options, OK, Cancel and
    // the close button (see macro_manager_stops.cpp).
    FocusStops focus_stops() override;
    bool focusNextPrevChild(bool next) override;

  private:
    enum Area { kNone, kClose, kOk, kCancel, kNew, kDelete };
    void create_controls();
    void paint_all();
    void paint_area(Area area, bool over);
    void paint_record_button();
    void paint_title();
    void paint_ticks();
    // The selected macro's pairs used of the block's and, when it does not fit, what is cut.
    void paint_pairs();
    Area area_at(layout::Point p) const;

    void show_list();
    void show_macro(int row);  // the macro list's selection changed
    void show_items(int select_row);
    void show_options();
    void loop_text_changed(const QString& text);
    void new_macro();
    void delete_macro();
    void toggle_recording();
    void start_recording();
    void stop_recording(bool at_break);
    bool on_key(const CapturedKey& key);
    void item_clicked(int row);
    void macro_double_clicked(int row);
    ListItemEditor::Commit editor_commit();
    void commit_edit(ListItemEditor::Mode mode, int row, const QString& text);
    void show_item_menu(const QPoint& global);
    // record.ini changed: followed when the manager holds no edit of its own, else later.
    void file_changed();
    void follow_file();
    bool holds_unsaved_edit() const;
    // Before the selected macro is written: true when nobody else changed it, or the user
    // agrees to overwrite; otherwise the other program's macro is shown.
    bool may_overwrite();
    void warn(const QString& text);
    void warn(const Error& error);  // in the dialog's language where it has the words

    Language language_;
    const MacroManagerTexts& texts_;
    MacroManagerModel model_;
    MacroRecorder recorder_;
    QElapsedTimer clock_;
    std::unique_ptr<KeyFilter> filter_;
    std::array<Block, kMacroCount> blocks_{};

    QListWidget* macros_ = nullptr;
    QListWidget* items_ = nullptr;
    QLineEdit* loop_ = nullptr;
    QPointer<ListItemEditor> editor_;
    Area hover_ = kNone;
    bool ctrl_down_ = false;
    std::string ctrl_name_;
    int last_item_clicked_ = -1;
    QString pairs_text_;
    int last_macro_double_clicked_ = -1;
    QFileSystemWatcher folder_watcher_;  // the folder: every writer replaces record.ini
    QTimer settle_;                      // a change of several files is taken as one
};

}  // namespace p330::gui
