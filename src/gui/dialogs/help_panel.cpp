#include "gui/dialogs/help_panel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

#include "core/lang/dialog_texts.h"
#include "gui/access/focus_ring.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

HelpPanel::HelpPanel(QWidget* window, const QString& skin_dir, Language language,
                     const QString& home_page)
    : QWidget(window),
      canvas_(skin_dir, TextColour{},
              single_font(dialog_font(language, QStringLiteral("Arial"), 14))),
      ok_(qtext(help_dialog_texts(language).ok)),
      cancel_(qtext(help_dialog_texts(language).cancel)),
      home_page_(home_page),
      web_text_(home_page.isEmpty() ? qtext(ui_texts(language).product_title) : home_page) {
    // A screen reader reads the three lines; the keyboard stays with the main window, whose
    // Esc and F1 close the panel.
    (new FocusRing(
         this, [this] { return text_stops(); }, Qt::black))
        ->refresh();
    setMouseTracking(true);
    move(help::kOrigin.x, help::kOrigin.y);
    const QImage background = load_skin_image(canvas_.path(QString::fromLatin1(help::kBackground)));
    if (background.isNull()) {
        // Opens without texts, as a blank panel of the shipped size.
        skin_messages().background_failed(
            this, QStringLiteral("Help Dialog Load background image failed!!!"));
        QImage plain(help::kWindow.width(), help::kWindow.height(),
                     QImage::Format_ARGB32_Premultiplied);
        plain.fill(Qt::white);
        canvas_.reset(plain);
        resize(plain.size());
        return;
    }
    canvas_.reset(background);
    resize(canvas_.size());
    QPainter p(&canvas_.image());
    p.setFont(canvas_.fonts().normal);
    p.setPen(Qt::black);
    const auto line = [&](const Rect& r, const QString& text) {
        p.drawText(to_qrect(r), Qt::AlignCenter | Qt::TextSingleLine, text);
    };
    line(help::kWebLine, web_text_);
    line(help::kUpdateLine, qtext(kHelpUpdateLabel));
    line(help::kVersionLine, qtext(kHelpVersionLabel));
}

FocusStops HelpPanel::text_stops() const {
    FocusStops stops;
    const std::pair<Rect, QString> lines[] = {{help::kWebLine, web_text_},
                                              {help::kUpdateLine, qtext(kHelpUpdateLabel)},
                                              {help::kVersionLine, qtext(kHelpVersionLabel)}};
    int id = 1;
    for (const auto& [rect, text] : lines) {
        FocusStop s;
        s.id = id++;
        s.role = QAccessible::StaticText;
        s.name = text;
        s.rect = rect;
        stops.push_back(std::move(s));
    }
    if (!home_page_.isEmpty()) {
        stops.front().role = QAccessible::Link;
        stops.front().press = [this] { QDesktopServices::openUrl(home_page_); };
    }
    return stops;
}

void HelpPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    canvas_.paint(painter, event->rect());
}

HelpPanel::Part HelpPanel::part_at(const QPointF& at) const {
    const Point p{static_cast<int>(at.x()), static_cast<int>(at.y())};
    if (help::kClose.contains(p)) return kClose;
    if (help::kOk.contains(p)) return kOk;
    if (help::kCancel.contains(p)) return kCancel;
    return kNone;
}

void HelpPanel::paint_part(Part part, bool over) {
    switch (part) {
        case kNone: return;
        case kClose:
            canvas_.draw(over ? dialog::kCloseOver : dialog::kCloseNormal, help::kClose.top_left());
            break;
        case kOk:
        case kCancel: {
            const Rect& r = part == kOk ? help::kOk : help::kCancel;
            canvas_.draw(over ? dialog::kButtonOver : dialog::kButtonNormal, r.top_left());
            canvas_.label(r, part == kOk ? ok_ : cancel_, kCentred);
            break;
        }
    }
    update(canvas_.take_dirty());
}

void HelpPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Part part = part_at(event->position());
    if (part == kOk) {
        hide();  // the main window still counts the panel as open until it removes it
    } else if (part == kCancel || part == kClose) {
        hide();
        deleteLater();
    } else if (help::kWebLine.contains({static_cast<int>(event->position().x()),
                                        static_cast<int>(event->position().y())})) {
        if (home_page_.isValid() && !home_page_.isEmpty()) QDesktopServices::openUrl(home_page_);
    }
}

void HelpPanel::mouseMoveEvent(QMouseEvent* event) {
    const Part part = part_at(event->position());
    if (part == hover_) return;
    paint_part(hover_, false);
    hover_ = part;
    paint_part(hover_, true);
}

void HelpPanel::leaveEvent(QEvent*) {
    paint_part(hover_, false);
    hover_ = kNone;
}

}  // namespace p330::gui
