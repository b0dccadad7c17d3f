#include "gui/dialogs/macro_manager_dialog.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWindow>

#include "core/lang/error_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/access/key_filter.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/context_menu.h"
#include "gui/skin/control_style.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;
namespace mm = layout::macro_manager;

namespace {

const QColor kListGrey(0x6D, 0x6D, 0x6D);
const QColor kBoxBrown(0x22, 0x18, 0x15);

Point dialog_point(const QPointF& p) {
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

void style_control(QWidget* w, const QColor& base, const QColor& text, const QFont& font) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, base);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Disabled, QPalette::Text, text.darker(140));
    w->setPalette(palette);
    w->setFont(font);
}

int selected_row(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

}  // namespace

MacroManagerDialog::MacroManagerDialog(QWidget* parent, const QString& skin_dir, TextColour colour,
                                       Language language, std::filesystem::path record_ini)
    : SkinnedDialog(parent, skin_dir, colour,
                    single_font(dialog_font(language, QStringLiteral("Segoe UI"), 15, 700))),
      language_(language),
      texts_(macro_manager_texts(language)),
      model_(std::move(record_ini)) {
    setWindowTitle(qtext(kMacroManagerWindowText));
    setMouseTracking(true);
    clock_.start();
    // Loaded also for a dialog without its background, whose OK must still hand over the
    // macros of the file rather than empty blocks.
    (void)model_.load_list();  // no record.ini: empty lists
    const bool background =
        LoadDialogBackground(skin().path(QString::fromLatin1(mm::kBackground)),
                             QStringLiteral("Macro Manager Dialog Load background image failed!!!"),
                             QSize(mm::kWindow.width(), mm::kWindow.height()));
    if (!background) {
        paint_area(kOk, false);  // opens plain: OK, Cancel and close still work
        paint_area(kCancel, false);
        paint_area(kClose, false);
        return;
    }
    create_controls();
    show_list();
    show_items(-1);
    show_options();
    paint_all();
    filter_ = std::make_unique<KeyFilter>([this](const CapturedKey& key) { return on_key(key); });
    focus_ring().tab_paused = [this] { return recorder_.recording(); };
    folder_watcher_.addPath(QString::fromStdString(model_.path().parent_path().string()));
    settle_.setSingleShot(true);
    settle_.setInterval(200);
    connect(&folder_watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, &MacroManagerDialog::file_changed);
}

MacroManagerDialog::~MacroManagerDialog() = default;

// Controls and painting

void MacroManagerDialog::create_controls() {
    const QFont& font = skin().fonts().normal;
    const QColor text = skin().text_colour();
    for (QListWidget** list : {&macros_, &items_}) {
        *list = new QListWidget(this);
        (*list)->setFrameShape(QFrame::NoFrame);
        (*list)->setSelectionMode(QAbstractItemView::SingleSelection);
        style_control(*list, kListGrey, text, font);
        style_dark_scroll_bars(*list);
    }
    macros_->setGeometry(to_qrect(mm::kMacroList));
    macros_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    items_->setGeometry(to_qrect(mm::kItemList));
    items_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    on_right_click(items_->viewport(), [this](const QPoint& at) { show_item_menu(at); });
    connect(macros_, &QListWidget::currentRowChanged, this, &MacroManagerDialog::show_macro);
    connect(macros_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { macro_double_clicked(macros_->row(item)); });
    connect(items_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { item_clicked(items_->row(item)); });
    connect(items_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { item_clicked(items_->row(item)); });

    loop_ = new QLineEdit(this);
    loop_->setAccessibleName(qtext(texts_.loop_option));
    loop_->setGeometry(to_qrect(mm::kLoopBox));
    loop_->setFrame(false);
    loop_->setAlignment(Qt::AlignCenter);
    loop_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), loop_));
    style_control(loop_, kBoxBrown, text, font);
    connect(loop_, &QLineEdit::textChanged, this, &MacroManagerDialog::loop_text_changed);
}

void MacroManagerDialog::paint_all() {
    SkinCanvas& c = skin();
    c.label(mm::kMacroHeading, qtext(texts_.macro_list_heading), kCentred);
    c.label(mm::kItemHeading, qtext(texts_.item_list_heading), kCentred);
    c.label(mm::kOptionsHeading, qtext(texts_.options_heading), kCentred);
    c.label(mm::kLoopText, qtext(texts_.loop_option), 0);
    {
        QPainter p(&c.image());
        p.setFont(c.fonts().normal);
        p.setPen(c.text_colour());
        p.drawText(to_qrect(mm::kDelaysText), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   qtext(texts_.record_delays_option));
        c.mark_dirty(to_qrect(mm::kDelaysText));
    }
    for (Area a : {kClose, kOk, kCancel, kNew, kDelete}) paint_area(a, false);
    paint_record_button();
    paint_ticks();
}

void MacroManagerDialog::paint_area(Area area, bool over) {
    SkinCanvas& c = skin();
    auto wide = [&](const Rect& r, std::string_view text) {
        c.draw(over ? mm::kWideOver : mm::kWideNormal, r.top_left());
        c.label(r, qtext(text), kCentred);
    };
    auto small = [&](const Rect& r, std::string_view text) {
        c.draw(over ? mm::kSmallOver : mm::kSmallNormal, r.top_left());
        c.label(r, qtext(text), kCentred);
    };
    switch (area) {
        case kNone: return;
        case kClose:
            c.draw(over ? mm::kCloseOver : mm::kCloseNormal, mm::kClose.top_left());
            return;
        case kOk: wide(mm::kOk, texts_.ok); return;
        case kCancel: wide(mm::kCancel, texts_.cancel); return;
        case kNew: small(mm::kNew, texts_.new_button); return;
        case kDelete: small(mm::kDelete, texts_.delete_button); return;
    }
}

void MacroManagerDialog::paint_record_button() {
    SkinCanvas& c = skin();
    c.draw(mm::kRecordImage, mm::kRecord.top_left());
    const QString text =
        qtext(recorder_.recording() ? texts_.stop_recording : texts_.start_recording);
    c.label(mm::kRecordText, text, kCentred);  // beside the red dot
    paint_title();
}

void MacroManagerDialog::paint_title() {
    // The dialog has no frame to carry a window title: how to stop a recording is shown in
    // the painted title while it runs.
    SkinCanvas& c = skin();
    const QImage& background = c.image_of(QString::fromLatin1(mm::kBackground));
    if (!background.isNull())
        c.draw_image(background.copy(to_qrect(mm::kTitle)), mm::kTitle.top_left());
    c.label(mm::kTitle, qtext(recorder_.recording() ? texts_.recording_window_text : texts_.title),
            10);
}

void MacroManagerDialog::paint_ticks() {
    skin().draw(model_.record_delays ? mm::kTicked : mm::kUnticked, mm::kDelaysTick.top_left());
    skin().draw(model_.loop_option ? mm::kTicked : mm::kUnticked, mm::kLoopTick.top_left());
    paint_pairs();
}

void MacroManagerDialog::paint_pairs() {
    const EncodedMacro shown = model_.encode_selected();
    auto fill = [&shown](std::string_view text) {
        return qtext(text)
            .replace(QStringLiteral("{used}"), QString::number(shown.pairs_used))
            .replace(QStringLiteral("{max}"), QString::number(kMaxEventPairs))
            .replace(QStringLiteral("{dropped}"), QString::number(shown.events_dropped))
            .replace(QStringLiteral("{total}"), QString::number(shown.events_total));
    };
    pairs_text_ = model_.selected() < 0 ? QString() : fill(texts_.pairs_used);
    if (shown.cut) pairs_text_ += QStringLiteral(".\n") + fill(texts_.macro_cut);
    SkinCanvas& c = skin();
    const QImage& background = c.image_of(QString::fromLatin1(mm::kBackground));
    if (!background.isNull())
        c.draw_image(background.copy(to_qrect(mm::kPairsText)), mm::kPairsText.top_left());
    QPainter p(&c.image());
    p.setFont(c.fonts().normal);
    p.setPen(shown.cut ? QColor(255, 120, 90) : c.text_colour());
    p.drawText(to_qrect(mm::kPairsText), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               pairs_text_);
    c.mark_dirty(to_qrect(mm::kPairsText));
    // Painted text is not read out: the item list carries it for screen readers.
    if (items_ != nullptr) items_->setAccessibleDescription(pairs_text_);
}

MacroManagerDialog::Area MacroManagerDialog::area_at(Point p) const {
    if (mm::kOk.contains(p)) return kOk;
    if (mm::kCancel.contains(p)) return kCancel;
    if (mm::kClose.contains(p)) return kClose;
    if (mm::kNew.contains(p)) return kNew;
    if (mm::kDelete.contains(p)) return kDelete;
    return kNone;
}

// The lists

void MacroManagerDialog::show_list() {
    const QSignalBlocker quiet(macros_);
    macros_->clear();
    for (const std::string& name : model_.names()) macros_->addItem(QString::fromStdString(name));
    macros_->setCurrentRow(model_.selected());
    last_macro_double_clicked_ = -1;
}

void MacroManagerDialog::show_macro(int row) {
    if (row < 0 || row == model_.selected()) return;
    if (editor_ != nullptr) editor_->abandon();
    last_item_clicked_ = -1;
    if (Status s = model_.select(row); !s) warn(s.error());
    show_items(-1);
    show_options();
    flush();
}

void MacroManagerDialog::show_items(int select_row) {
    items_->clear();
    for (const std::string& item : model_.items()) items_->addItem(QString::fromStdString(item));
    paint_pairs();
    if (select_row >= 0 && select_row < items_->count()) {
        items_->setCurrentRow(select_row);
        items_->scrollToItem(items_->item(select_row));
    }
}

void MacroManagerDialog::show_options() {
    loop_->setText(QString::fromStdString(model_.loop_text()));
    loop_->setEnabled(model_.loop_option && !recorder_.recording());
    paint_ticks();
}

void MacroManagerDialog::loop_text_changed(const QString& text) {
    // Every change counts, the program's own included: the count reaches record.ini at once.
    Result<std::string> shown = model_.set_loop_times(text.toStdString());
    if (!shown) {
        warn(shown.error());
        return;
    }
    if (QString::fromStdString(*shown) != text) loop_->setText(QString::fromStdString(*shown));
}

void MacroManagerDialog::new_macro() {
    if (model_.names().size() >= static_cast<std::size_t>(kMacroCount)) {
        warn(qtext(texts_.limit_message));
        return;
    }
    Result<std::string> name = model_.new_macro(texts_.new_macro_base);
    if (!name) {
        warn(name.error());
        return;
    }
    macros_->addItem(QString::fromStdString(*name));
    macros_->setCurrentRow(macros_->count() - 1);  // already the model's selection
    show_items(-1);
    show_options();
}

void MacroManagerDialog::delete_macro() {
    const int row = model_.selected();
    if (row < 0) return;
    if (editor_ != nullptr) editor_->abandon();
    if (Status s = model_.delete_macro(); !s) warn(s.error());
    const QSignalBlocker quiet(macros_);
    delete macros_->takeItem(row);
    macros_->clearSelection();
    macros_->setCurrentRow(-1);
    items_->clear();
    {  // no macro is selected: nothing to count, and nothing to write
        const QSignalBlocker quiet_loop(loop_);
        loop_->clear();
    }
    loop_->setEnabled(false);
    last_macro_double_clicked_ = -1;
}

// Another program's changes

bool MacroManagerDialog::holds_unsaved_edit() const {
    return recorder_.recording() || (editor_ != nullptr && editor_->is_open());
}

void MacroManagerDialog::file_changed() {
    if (holds_unsaved_edit()) {  // looked at again once the edit has ended
        settle_.start();
        return;
    }
    if (model_.changed_elsewhere()) follow_file();
}

void MacroManagerDialog::follow_file() {
    const int item = selected_row(items_);
    if (Status s = model_.follow_file(); !s) warn(s.error());
    show_list();
    show_items(item);
    if (model_.selected() >= 0) {
        show_options();
    } else {
        const QSignalBlocker quiet_loop(loop_);
        loop_->clear();
        loop_->setEnabled(false);
    }
    flush();
}

bool MacroManagerDialog::may_overwrite() {
    if (!model_.selected_changed_elsewhere()) return true;
    const UiTexts& texts = ui_texts(language_);
    QMessageBox ask(QMessageBox::Question, qtext(texts_.warning_caption),
                    qtext(texts_.overwrite_changed_macro), QMessageBox::Save | QMessageBox::Cancel,
                    this);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Save)->setText(qtext(texts.save));
    ask.button(QMessageBox::Cancel)->setText(qtext(texts.cancel));
    if (ask.exec() == QMessageBox::Save) return true;
    follow_file();
    return false;
}

void MacroManagerDialog::item_clicked(int row) {
    if (row < 0 || (editor_ != nullptr && editor_->is_open())) return;
    if (!items_->item(row)->text().contains(QStringLiteral(" ms"))) return;
    editor_ = ListItemEditor::open_on_repeat(items_, row, last_item_clicked_,
                                             ListItemEditor::Mode::kDelay, editor_commit());
}

void MacroManagerDialog::macro_double_clicked(int row) {
    if (row < 0 || (editor_ != nullptr && editor_->is_open())) return;
    editor_ = ListItemEditor::open_on_repeat(macros_, row, last_macro_double_clicked_,
                                             ListItemEditor::Mode::kMacroName, editor_commit());
}

ListItemEditor::Commit MacroManagerDialog::editor_commit() {
    return [this](ListItemEditor::Mode m, int r, const QString& t) { commit_edit(m, r, t); };
}

void MacroManagerDialog::commit_edit(ListItemEditor::Mode mode, int row, const QString& text) {
    if (mode == ListItemEditor::Mode::kDelay) {
        // Leaving the editor without typing is no edit: the item keeps its text exactly.
        if (row >= items_->count() || text == items_->item(row)->text()) return;
        if (!may_overwrite()) return;
        Result<bool> done = model_.commit_delay_edit(row, text.toStdString());
        if (!done) warn(done.error());
        if (done && *done) show_items(row);  // anything but a delay leaves the item as it was
        return;
    }
    if (mode != ListItemEditor::Mode::kMacroName || row >= macros_->count()) return;
    if (text == macros_->item(row)->text()) return;
    if (row != model_.selected()) macros_->setCurrentRow(row);
    if (!may_overwrite()) return;
    // A name that cannot be a section name (empty, too long, another macro's) is not taken:
    // the entry keeps its name.
    if (Status renamed = model_.rename(text.toStdString())) {
        macros_->item(row)->setText(text);
        macros_->setCurrentRow(row);
    }
}

void MacroManagerDialog::item_command(ItemCommand command) {
    const int selected = selected_row(items_);
    Result<bool> done = false;
    int select_after = -1;
    switch (command) {
        case ItemCommand::kDelete: done = model_.delete_item(selected); break;
        case ItemCommand::kInsertLeft:
        case ItemCommand::kInsertMiddle:
        case ItemCommand::kInsertRight: {
            const char which = command == ItemCommand::kInsertLeft     ? 'L'
                               : command == ItemCommand::kInsertMiddle ? 'M'
                                                                       : 'R';
            done = model_.insert_mouse_button(which, selected);
            select_after = selected >= 0 ? selected + 1 : -1;
            break;
        }
        case ItemCommand::kInsertDelay:
            done = model_.insert_delay(selected);
            select_after = selected;
            break;
    }
    if (!done) {
        warn(done.error());
        return;
    }
    if (*done) show_items(select_after);
}

void MacroManagerDialog::show_item_menu(const QPoint& global) {
    // In the order of ItemCommand.
    const int chosen = exec_context_menu(
        this, global,
        {texts_.delete_button, texts_.insert_left_button, texts_.insert_middle_button,
         texts_.insert_right_button, texts_.insert_delay});
    if (chosen >= 0) item_command(static_cast<ItemCommand>(chosen));
}

// Recording

void MacroManagerDialog::toggle_recording() {
    if (recorder_.recording()) {
        stop_recording(false);
    } else {
        start_recording();
    }
}

void MacroManagerDialog::start_recording() {
    if (editor_ != nullptr) editor_->abandon();
    recorder_.start(model_.items());
    show_items(-1);
    items_->setFocus();
    loop_->setEnabled(false);
    if (filter_ == nullptr || !filter_->installed()) {
        recorder_.reset();
        warn(QStringLiteral("JournalRecordHook Install error code :%1\n").arg(0));
        return;
    }
    setWindowTitle(qtext(texts_.recording_window_text));
    paint_record_button();
}

void MacroManagerDialog::stop_recording(bool at_break) {
    const bool was_recording =
        at_break ? recorder_.stop_at_break(model_.items(), ctrl_name_) : recorder_.stop();
    if (!was_recording) return;
    show_items(items_->count() > 0 ? static_cast<int>(model_.items().size()) - 1 : -1);
    paint_record_button();
    loop_->setEnabled(model_.loop_option);
    if (!may_overwrite()) return;
    if (Status saved = model_.save_macro(); !saved) warn(saved.error());
}

bool MacroManagerDialog::on_key(const CapturedKey& key) {
    if (!isVisible()) return false;
    if (key.name == "Ctrl" || key.name == "Right Ctrl") {
        ctrl_down_ = !key.release;
        if (!key.release) ctrl_name_ = key.name;
    }
    const bool windows_key = key.name == "Left Windows" || key.name == "Right Windows";
    if (!recorder_.recording()) return windows_key;
    if (key.name == "Pause" && !key.release && ctrl_down_) {  // Ctrl+Break
        stop_recording(true);
        flush();
        return true;
    }
    const RecordedKeyEvent event{key.name, key.release, key.release || key.repeat,
                                 static_cast<std::uint32_t>(clock_.elapsed()), key.stamp};
    switch (recorder_.feed(event, model_.record_delays, model_.items())) {
        case MacroRecorder::Outcome::kDropped: break;
        case MacroRecorder::Outcome::kRecorded:
        case MacroRecorder::Outcome::kTakenBack:
            show_items(static_cast<int>(model_.items().size()) - 1);
            break;
        case MacroRecorder::Outcome::kLimitReached: {
            // The recorder has stopped itself: the rest of a stop, as the record button does.
            show_items(items_->count() - 1);
            paint_record_button();
            loop_->setEnabled(model_.loop_option);
            if (may_overwrite()) {
                if (Status saved = model_.save_macro(); !saved) warn(saved.error());
            }
            flush();
            break;
        }
    }
    return windows_key;
}

// Events

void MacroManagerDialog::accept() {
    // Every OK ending saves the macro shown and encodes all of them: the caller copies these.
    recorder_.reset();
    if (editor_ != nullptr) editor_->abandon();
    if (items_ != nullptr && may_overwrite()) (void)model_.save_macro();
    blocks_ = model_.encode_blocks().blocks;
    SkinnedDialog::accept();
}

void MacroManagerDialog::reject() {
    recorder_.reset();  // a recording still running is dropped, not saved
    if (editor_ != nullptr) editor_->abandon();
    SkinnedDialog::reject();
}

void MacroManagerDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Point p = dialog_point(event->position());
    if (mm::kOk.contains(p)) {
        accept();
        return;
    }
    if (mm::kCancel.contains(p) || mm::kClose.contains(p)) {
        reject();
        return;
    }
    if (items_ == nullptr) return;  // opened without its background
    if (mm::kRecord.contains(p)) {
        toggle_recording();
        flush();
        return;
    }
    bool taken = false;
    if (mm::kDelaysTick.contains(p)) {
        model_.record_delays = !model_.record_delays;
        paint_ticks();
        taken = true;
    }
    if (mm::kLoopTick.contains(p)) {
        model_.loop_option = !model_.loop_option;
        loop_->setEnabled(model_.loop_option && !recorder_.recording());
        paint_ticks();
        taken = true;
    }
    if (mm::kNew.contains(p)) {
        new_macro();
        taken = true;
    }
    if (mm::kDelete.contains(p)) {
        delete_macro();
        taken = true;
    }
    flush();
    if (!taken && windowHandle() != nullptr) windowHandle()->startSystemMove();
}

void MacroManagerDialog::mouseMoveEvent(QMouseEvent* event) {
    const Area area = area_at(dialog_point(event->position()));
    if (area == hover_) return;
    paint_area(hover_, false);
    hover_ = area;
    paint_area(hover_, true);
    flush();
}

void MacroManagerDialog::leaveEvent(QEvent*) {
    paint_area(hover_, false);
    hover_ = kNone;
    flush();
}

void MacroManagerDialog::keyPressEvent(QKeyEvent* event) {
    if (!recorder_.recording() && focus_ring().key(event)) {
        flush();
        focus_ring().refresh();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter ends the dialog only once a recording has stopped, and then as OK does.
            if (recorder_.state() == MacroRecorder::State::kStopped) accept();
            return;
        case Qt::Key_Escape:
            // As Cancel, unless it is being recorded.
            if (!recorder_.recording()) reject();
            return;
        default: SkinnedDialog::keyPressEvent(event);
    }
}

void MacroManagerDialog::wheelEvent(QWheelEvent* event) {
    if (items_ == nullptr) return;
    QScrollBar* bar = items_->verticalScrollBar();
    bar->setValue(bar->value() + (event->angleDelta().y() <= 0 ? 3 : -3));
}

void MacroManagerDialog::warn(const QString& text) {
    QMessageBox::warning(this, qtext(texts_.warning_caption), text);
}

void MacroManagerDialog::warn(const Error& error) {
    warn(qtext(error_text(error, language_)));
}

}  // namespace p330::gui
