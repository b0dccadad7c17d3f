#include "gui/app/loss_questions.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/skin/texts.h"

namespace p330::gui {

CloseAnswer ask_save_before_close(QWidget* parent, Language language) {
    const UiTexts& texts = ui_texts(language);
    QMessageBox ask(QMessageBox::Question, qtext(texts.warning_title),
                    qtext(texts.close_with_unsaved_edits),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    ask.setDefaultButton(QMessageBox::Save);
    ask.setEscapeButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Save)->setText(qtext(texts.save));
    ask.button(QMessageBox::Discard)->setText(qtext(texts.discard));
    ask.button(QMessageBox::Cancel)->setText(qtext(texts.cancel));
    switch (ask.exec()) {
        case QMessageBox::Save: return CloseAnswer::kSave;
        case QMessageBox::Discard: return CloseAnswer::kDiscard;
        default: return CloseAnswer::kCancel;
    }
}

bool ask_before_reset(QWidget* parent, Language language) {
    const UiTexts& texts = ui_texts(language);
    QMessageBox ask(QMessageBox::Question, qtext(texts.warning_title),
                    qtext(texts.reset_replaces_settings), QMessageBox::Reset | QMessageBox::Cancel,
                    parent);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.setEscapeButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Reset)->setText(qtext(texts.reset));
    ask.button(QMessageBox::Cancel)->setText(qtext(texts.cancel));
    return ask.exec() == QMessageBox::Reset;
}

}  // namespace p330::gui
