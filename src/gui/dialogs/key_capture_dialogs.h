#pragma once
// The dialogs that ask for keys when a button becomes a Single Key or a Combo Key. Neither
// interprets keys: while a capture box has the focus, every key touched is named by its
// physical key and the box shows the last name. Tab is a key like any other there; Ctrl+Tab
// (Ctrl+Shift+Tab) leaves the box for the next (previous) stop and keeps the name it had.

#include <QString>
#include <memory>
#include <string>

#include "core/lang/language.h"
#include "gui/skin/ok_cancel_dialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace p330::gui {

class KeyFilter;
struct CapturedKey;

class SingleKeyDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    SingleKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour, Language language);
    ~SingleKeyDialog() override;

    // The last key touched; empty when none was.
    const std::string& key_name() const { return key_name_; }

  protected:
    void add_stops(FocusStops& stops) override;

  private:
    bool on_key(const CapturedKey& key);
    void show_name();

    QString prompt_;
    Language language_;
    QLabel* name_ = nullptr;
    std::string key_name_;
    std::string before_control_;  // the name before Ctrl was pressed: Ctrl+Tab keeps it
    bool control_down_ = false;
    std::unique_ptr<KeyFilter> filter_;
};

class ComboKeyDialog : public OkCancelDialog {
    Q_OBJECT
  public:
    ComboKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour, Language language);
    ~ComboKeyDialog() override;

    const std::string& modifier_name() const { return modifier_; }
    const std::string& first_key_name() const { return first_key_; }
    const std::string& second_key_name() const { return second_key_; }
    bool modifier_list_open() const { return list_ != nullptr; }
    QListWidget* modifier_list() const { return list_; }
    QLineEdit* key_box(int which) const { return which == 0 ? first_ : second_; }

  protected:
    void click(layout::Point p) override;
    void add_stops(FocusStops& stops) override;

  private:
    bool on_key(const CapturedKey& key);
    void open_list_from_keyboard();
    void open_list();
    void close_list();
    void choose_modifier(int row);

    QLabel* modifier_label_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    QListWidget* list_ = nullptr;
    std::string modifier_, first_key_, second_key_;
    std::string before_control_;
    bool control_down_ = false;
    bool just_entered_ = false;  // by Ctrl+Tab: its releases are still to come
    Language language_;
    std::unique_ptr<KeyFilter> filter_;
};

}  // namespace p330::gui
