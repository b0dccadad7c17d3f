#pragma once
// The dialog a button gets its macro from: one of the macros of record.ini, read afresh each
// time the list opens, and how the macro repeats.

#include <filesystem>
#include <string>

#include "core/lang/language.h"
#include "gui/skin/ok_cancel_dialog.h"

class QLabel;
class QListWidget;

namespace p330::gui {

class MacroKeyDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    MacroKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour, Language language,
                   std::filesystem::path record_ini);

    int macro_index() const { return index_; }
    int repeat_mode() const { return mode_; }
    const std::string& macro_name() const { return name_; }
    QListWidget* list() const { return list_; }

  protected:
    void click(layout::Point p) override;
    // OK acts once a macro has been chosen: a button never gets a macro without a name.
    bool can_accept() const override { return !name_.empty(); }
    void wheelEvent(QWheelEvent* event) override;
    void add_stops(FocusStops& stops) override;

  private:
    void open_list();
    void open_list_from_keyboard();
    void close_list();
    void choose(int row);
    void paint_ticks();
    void paint_modes();  // ticks and their texts, once

    std::filesystem::path record_ini_;
    Language language_;
    QLabel* chosen_ = nullptr;
    QListWidget* list_ = nullptr;
    int index_ = 0;
    int mode_ = 0;
    std::string name_;
};

}  // namespace p330::gui
