#include "gui/macro/list_item_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>

namespace p330::gui {

ListItemEditor* ListItemEditor::open(QListWidget* list, int row, Mode mode, Commit on_commit) {
    if (list == nullptr || list->item(row) == nullptr) return nullptr;
    return new ListItemEditor(list, row, mode, std::move(on_commit));
}

ListItemEditor* ListItemEditor::open_on_repeat(QListWidget* list, int row, int& remembered,
                                               Mode mode, Commit on_commit) {
    if (row != remembered) {
        remembered = row;
        return nullptr;
    }
    return open(list, row, mode, std::move(on_commit));
}

ListItemEditor::ListItemEditor(QListWidget* list, int row, Mode mode, Commit on_commit)
    : QLineEdit(list->viewport()), row_(row), mode_(mode), on_commit_(std::move(on_commit)) {
    setFont(list->font());
    setText(list->item(row)->text());
    setGeometry(list->visualItemRect(list->item(row)).adjusted(-1, -1, 1, 1));
    show();
    setFocus();
    selectAll();
    // The mouse is "captured": a press anywhere else ends the edit with a commit.
    qApp->installEventFilter(this);
}

ListItemEditor::~ListItemEditor() {
    qApp->removeEventFilter(this);
}

void ListItemEditor::finish() {
    done_ = true;
    qApp->removeEventFilter(this);
    // An edit ended from the keyboard leaves the keyboard on its list, on the entry edited.
    const bool had_focus = hasFocus();
    hide();
    if (auto* list = qobject_cast<QListWidget*>(parentWidget()->parentWidget());
        list != nullptr && had_focus) {
        list->setFocus(Qt::OtherFocusReason);
        if (row_ < list->count())
            list->selectionModel()->setCurrentIndex(list->model()->index(row_, 0),
                                                    QItemSelectionModel::NoUpdate);
    }
    deleteLater();
}

void ListItemEditor::commit() {
    if (done_) return;
    const QString typed = text();
    finish();
    if (on_commit_) on_commit_(mode_, row_, typed);
}

void ListItemEditor::abandon() {
    if (!done_) finish();
}

bool ListItemEditor::event(QEvent* e) {
    // Tab commits instead of moving the focus on.
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            commit();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void ListItemEditor::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: commit(); return;
        case Qt::Key_Escape: abandon(); return;
        default: QLineEdit::keyPressEvent(e);
    }
}

void ListItemEditor::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A popup (a context menu, the input method) takes the focus only for a moment.
    if (e->reason() != Qt::PopupFocusReason) commit();
}

bool ListItemEditor::eventFilter(QObject* watched, QEvent* e) {
    if (!done_ && e->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        watched != this) {
        commit();
    }
    return false;
}

}  // namespace p330::gui
