#pragma once
// The function lists of the eight buttons: one list opens from a button's box, the entry
// under the pointer is the selection, five entries open a sub-list beside them and three a
// dialog; a click commits the choice into the record and the button's label.

#include <QFont>
#include <QObject>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <string>

#include "core/buttons/function_catalogue.h"
#include "core/lang/language.h"
#include "core/model/settings_record.h"
#include "gui/layout/geometry.h"
#include "gui/skin/skin_folder.h"

class QListWidget;
class QListWidgetItem;
class QWidget;

namespace p330::gui {

struct FunctionListContext {
    QWidget* window;
    SettingsRecord& record;
    std::array<std::string, kButtonCount>& labels;
    Language language;
    QString skin_dir;
    TextColour colour;
    QFont font;
    std::filesystem::path record_ini;  // the macros the Macro Key dialog lists
};

class FunctionLists : public QObject {
  public:
    explicit FunctionLists(FunctionListContext context);
    ~FunctionLists() override;

    // A click on a button's box: opens its list, or closes it when it is open.
    void toggle(int button);
    // A click elsewhere in the window closes the open list unless it is in that button's box
    // or list.
    void close_outside(layout::Point p);
    void close_all();
    // The lists' font, once the window has its fonts.
    void set_font(const QFont& font) { ctx_.font = font; }

    int open_button() const { return open_; }  // -1 when no list is open
    QListWidget* list() const { return list_; }
    QListWidget* sub_list() const { return sub_list_; }
    // The sub-list of the open list's entry (for tests and the window's hover).
    void hover_entry(int row);
    // The keyboard takes the open list: the arrows move in it, Right and Left into and out of
    // a sub-list, Enter commits, Esc closes; the window has the focus again afterwards.
    void focus_list();

    // Redraws a button's box: the chosen look after a commit, the idle one otherwise.
    std::function<void(int button, bool chosen)> repaint_box;
    // Marks button n (1..8) on the mouse picture; 0 marks none.
    std::function<void(int n)> highlight;
    // The "Warning" box; a message box unless replaced.
    std::function<void(const QString& caption, const QString& text)> warn;

  private:
    void choose(int row);
    void choose_sub(int row);
    void open_sub_list(SubListId id, QListWidgetItem* anchor);
    void close_sub_list();
    void close_list();  // the function list alone
    void enter_entry(int row);
    void enter_sub_list();
    void return_focus();
    QListWidget* make_list(const layout::Rect& r);

    FunctionListContext ctx_;
    int open_ = -1;
    QListWidget* list_ = nullptr;
    QListWidget* sub_list_ = nullptr;
    SubListId sub_id_ = SubListId::kScrollSelect;
};

}  // namespace p330::gui
