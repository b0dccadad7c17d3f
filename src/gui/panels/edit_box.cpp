#include "gui/panels/edit_box.h"

#include <QLineEdit>
#include <QPalette>
#include <QRegularExpressionValidator>

#include "gui/access/painted_accessible.h"
#include "gui/skin/skin_canvas.h"

namespace p330::gui {

QLineEdit* make_edit_box(QWidget* parent, const layout::Rect& r, const SkinCanvas& canvas,
                         bool takes_minus) {
    auto* box = new QLineEdit(parent);
    box->setValidator(new QRegularExpressionValidator(
        QRegularExpression(takes_minus ? QStringLiteral("-?[0-9]*") : QStringLiteral("[0-9]*")),
        box));
    box->setGeometry(to_qrect(r));
    box->setAlignment(Qt::AlignCenter);
    box->setFont(canvas.fonts().normal);
    box->setTextMargins(0, 0, 0, 0);
    // A palette, not a style sheet: boxes are made anew on every layout of their panel.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(148, 148, 148));
    palette.setColor(QPalette::Text, canvas.text_colour());
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(90, 90, 90));
    box->setPalette(palette);
    box->show();
    return box;
}

QWidget* make_swatch(QWidget* parent, const layout::Rect& r, const QColor& colour) {
    auto* swatch = new QWidget(parent);
    swatch->setGeometry(to_qrect(r));
    swatch->setAttribute(Qt::WA_TransparentForMouseEvents);
    swatch->setAutoFillBackground(true);
    swatch->setProperty(kDecoration, true);  // its colour is told by the stage's colour button
    set_swatch_colour(swatch, colour);
    swatch->show();
    return swatch;
}

void set_swatch_colour(QWidget* swatch, const QColor& colour) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    swatch->update();
}

bool is_partial_number(const QString& text) {
    for (const QChar c : text) {
        if (!c.isDigit()) return false;
    }
    return true;
}

}  // namespace p330::gui
