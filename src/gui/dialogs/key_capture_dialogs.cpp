#include "gui/dialogs/key_capture_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

#include "core/buttons/key_tables.h"
#include "core/lang/access_texts.h"
#include "core/lang/dialog_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/key_filter.h"
#include "gui/access/list_keys.h"
#include "gui/access/table_stops.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/main_layout.h"
#include "gui/skin/control_style.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

// A dialog without its background still opens, at the size its skin would give it.
constexpr QSize kDialogSize(layout::dialog::kKeyCaptureFrame.width(),
                            layout::dialog::kKeyCaptureFrame.height());

bool is_windows_key(const CapturedKey& key) {
    return key.name == "Left Windows" || key.name == "Right Windows";
}
bool is_enter_or_escape(const CapturedKey& key) {
    return key.qt_key == Qt::Key_Return || key.qt_key == Qt::Key_Enter ||
           key.qt_key == Qt::Key_Escape;
}

constexpr int kCaptureStop = layout::dialog_stop_id(single_key::Stop::kCapturedKey);

// Ctrl+Tab and Ctrl+Shift+Tab leave a capture box; Ctrl itself is tracked by the caller.
bool is_leaving_tab(const CapturedKey& key, bool control_down) {
    return control_down && !key.release &&
           (key.qt_key == Qt::Key_Tab || key.qt_key == Qt::Key_Backtab);
}

// Esc in a key box is the way out a keyboard user expects, not a key to capture: it cancels.
bool escape_cancels(QDialog* dialog, const CapturedKey& key) {
    if (key.qt_key != Qt::Key_Escape || key.release) return false;
    dialog->reject();
    return true;
}

// The filter could not be installed: say so, as a failed keyboard hook is reported.
void report_refused_filter(QWidget* parent, const char* which) {
    QMessageBox::warning(
        parent, QString(),
        QStringLiteral("%1 Install error code :%2\n").arg(QLatin1String(which)).arg(0));
}

}  // namespace

// Single key --------------------------------------------------------------------------------------

SingleKeyDialog::SingleKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour,
                                 Language language)
    : OkCancelDialog(parent, skin_dir, colour,
                     single_font(dialog_font(language, QStringLiteral("Segoe UI"), 15)),
                     qtext(single_key_dialog_texts(language).ok),
                     qtext(single_key_dialog_texts(language).cancel)),
      prompt_(qtext(single_key_dialog_texts(language).prompt)),
      language_(language) {
    setWindowTitle(qtext(ui_texts(language).fn_single_key));
    set_close_name(qtext(access_texts(language).close));
    set_drag_on_click(true);
    if (!LoadDialogBackground(skin().path(QString::fromLatin1(single_key::kBackground)),
                              QStringLiteral("Single Key Dialog Load background image failed!!!"),
                              kDialogSize)) {
        paint_frame();  // opens blank, without capture; OK and Cancel still work
        return;
    }
    name_ = new QLabel(this);
    name_->setGeometry(to_qrect(single_key::kKeyName));
    name_->setAlignment(Qt::AlignCenter);
    name_->setFont(skin().fonts().normal);
    name_->setAutoFillBackground(true);
    QPalette palette = name_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    name_->setPalette(palette);
    paint_frame();
    skin().label(single_key::kPrompt, prompt_, kCentred);
    setAccessibleDescription(prompt_);  // the painted prompt, for a screen reader
    filter_ = std::make_unique<KeyFilter>([this](const CapturedKey& key) { return on_key(key); });
    if (!filter_->installed()) report_refused_filter(this, "KeyboardHook_SingleDlgKey");
}

SingleKeyDialog::~SingleKeyDialog() = default;

void SingleKeyDialog::add_stops(FocusStops& stops) {
    for (const auto& row : single_key::kFocusOrder) {
        FocusStop s = table_stop(row, single_key_dialog_texts(language_), access_texts(language_));
        s.value_text = [this] { return QString::fromStdString(key_name_); };
        stops.push_back(std::move(s));
    }
}

bool SingleKeyDialog::on_key(const CapturedKey& key) {
    if (!isVisible()) return false;
    // Keys are captured while the box has the focus (it has it when the dialog opens).
    const int at = focus_ring().current_id();
    if (at >= 0 && at != kCaptureStop) return false;
    if (key.qt_key == Qt::Key_Control) {
        if (!key.release && !control_down_) before_control_ = key_name_;
        control_down_ = !key.release;
    }
    if (is_leaving_tab(key, control_down_)) {
        key_name_ = before_control_;
        show_name();
        control_down_ = false;
        focus_ring().step(key.qt_key == Qt::Key_Tab);
        return true;
    }
    if (escape_cancels(this, key)) return true;
    key_name_ = key.name;
    show_name();
    // The Windows keys reach nothing else; Enter does not end the dialog, Tab does not move
    // the focus.
    const bool tab = key.qt_key == Qt::Key_Tab || key.qt_key == Qt::Key_Backtab;
    return is_windows_key(key) || ((is_enter_or_escape(key) || tab) && !key.release);
}

void SingleKeyDialog::show_name() {
    if (name_ == nullptr) return;
    // A long name ("Right Windows") in a smaller font, not cut.
    const QString name = QString::fromStdString(key_name_);
    name_->setFont(font_to_fit(skin().fonts().normal, name, name_->contentsRect().width(),
                               name_->contentsRect().height()));
    name_->setText(name);
}

// Combination -----------------------------------------------------------------------------------

ComboKeyDialog::ComboKeyDialog(QWidget* parent, const QString& skin_dir, TextColour colour,
                               Language language)
    : OkCancelDialog(parent, skin_dir, colour,
                     single_font(dialog_font(language, QStringLiteral("Arial"), 14)),
                     qtext(combo_key_dialog_texts(language).ok),
                     qtext(combo_key_dialog_texts(language).cancel)),
      language_(language) {
    setWindowTitle(qtext(ui_texts(language).fn_combo_key));
    set_close_name(qtext(access_texts(language).close));
    if (!LoadDialogBackground(skin().path(QString::fromLatin1(combo_key::kBackground)),
                              QStringLiteral("Combo Dialog Load background image failed!!!"),
                              kDialogSize)) {
        paint_frame();
        return;
    }
    const QFont& font = skin().fonts().normal;
    modifier_label_ = new QLabel(this);
    modifier_label_->setGeometry(to_qrect(combo_key::kModifier));
    modifier_label_->setAlignment(Qt::AlignCenter);
    style_white_on_grey(modifier_label_, font);
    for (QLineEdit** box : {&first_, &second_}) {
        *box = new QLineEdit(this);
        (*box)->setFrame(false);
        (*box)->setFocusPolicy(Qt::ClickFocus);  // no box has the focus until clicked
        (*box)->setAlignment(Qt::AlignCenter);
        style_white_on_grey(*box, font);
    }
    first_->setGeometry(to_qrect(combo_key::kFirstKey));
    second_->setGeometry(to_qrect(combo_key::kSecondKey));
    paint_frame();
    filter_ = std::make_unique<KeyFilter>([this](const CapturedKey& key) { return on_key(key); });
    if (!filter_->installed()) report_refused_filter(this, "KeyboardHook_ComboDlg");
}

ComboKeyDialog::~ComboKeyDialog() = default;

bool ComboKeyDialog::on_key(const CapturedKey& key) {
    if (!isVisible()) return false;
    QLineEdit* box = nullptr;
    std::string* name = nullptr;
    if (first_ != nullptr && first_->hasFocus()) {
        box = first_;
        name = &first_key_;
    } else if (second_ != nullptr && second_->hasFocus()) {
        box = second_;
        name = &second_key_;
    }
    if (box == nullptr) return false;  // Enter and Esc act on the stop with the focus
    // The releases of the Ctrl+Tab that left the other box are not this box's keys.
    if (key.release && just_entered_) return true;
    just_entered_ = false;
    if (escape_cancels(this, key)) return true;
    if (key.qt_key == Qt::Key_Control) {
        if (!key.release && !control_down_) before_control_ = *name;
        control_down_ = !key.release;
    }
    if (is_leaving_tab(key, control_down_)) {
        *name = before_control_;
        box->setText(QString::fromStdString(*name));
        control_down_ = false;
        just_entered_ = true;
        focus_ring().step(key.qt_key == Qt::Key_Tab);
        return true;
    }
    *name = key.name;
    const QString text = QString::fromStdString(key.name);
    // A long name ("Right Windows") in a smaller font, not cut.
    const Rect& place = box == first_ ? combo_key::kFirstKey : combo_key::kSecondKey;
    const Rect inside = combo_key::key_text(place);
    box->setFont(font_to_fit(skin().fonts().normal, text, inside.width(), inside.height()));
    box->setText(text);
    // The box shows the key's name, not what the key would type.
    return true;
}

void ComboKeyDialog::add_stops(FocusStops& stops) {
    if (first_ == nullptr) return;  // opened without its background
    for (const auto& row : combo_key::kFocusOrder) {
        FocusStop s = table_stop(row, combo_key_dialog_texts(language_), access_texts(language_));
        switch (row.stop) {
            case combo_key::Stop::kModifierBox:
                s.open = [this] { open_list_from_keyboard(); };
                s.press = s.open;
                s.value_text = [this] { return QString::fromStdString(modifier_); };
                break;
            case combo_key::Stop::kFirstKeyBox: s.widget = first_; break;
            case combo_key::Stop::kSecondKeyBox: s.widget = second_; break;
        }
        stops.push_back(std::move(s));
    }
}

void ComboKeyDialog::open_list_from_keyboard() {
    if (list_ == nullptr) open_list();
    focus_popup_list(
        list_, this, [this](int row) { choose_modifier(row); }, [this] { close_list(); });
}

void ComboKeyDialog::open_list() {
    first_->setEnabled(false);
    second_->setEnabled(false);
    setFocus();
    list_ = new QListWidget(this);
    list_->setGeometry(to_qrect(combo_key::kModifierList));
    style_white_on_grey(list_, skin().fonts().normal);
    list_->setMouseTracking(true);
    for (const ModifierEntry& m : kModifierTable)
        list_->addItem(QString::fromUtf8(m.name.data(), static_cast<qsizetype>(m.name.size())));
    // The entry under the pointer becomes the selection; a click chooses it.
    connect(list_, &QListWidget::itemEntered, list_, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);  // highlighted, as in every other list
    });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose_modifier(list_->row(item)); });
    list_->show();
}

void ComboKeyDialog::close_list() {
    delete list_;
    list_ = nullptr;
    first_->setEnabled(true);
    second_->setEnabled(true);
}

void ComboKeyDialog::choose_modifier(int row) {
    if (row >= 0 && row < static_cast<int>(kModifierTable.size())) {
        modifier_ = std::string(kModifierTable[static_cast<std::size_t>(row)].name);
        const QString text = QString::fromStdString(modifier_);
        modifier_label_->setFont(font_to_fit(skin().fonts().normal, text,
                                             combo_key::kModifier.width(),
                                             combo_key::kModifier.height()));
        modifier_label_->setText(text);
    }
    list_->deleteLater();
    list_ = nullptr;
    first_->setEnabled(true);
    second_->setEnabled(true);
}

void ComboKeyDialog::click(Point p) {
    if (first_ == nullptr) return;  // opened without its background
    if (combo_key::kModifierArea.contains(p)) {
        if (list_ != nullptr) {
            close_list();
        } else {
            open_list();
        }
        return;
    }
    if (list_ != nullptr) close_list();  // a click outside closes it without a choice
}

}  // namespace p330::gui
