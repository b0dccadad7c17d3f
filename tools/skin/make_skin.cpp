// Draws the default skin: every image the program's windows load, at the sizes their
// layouts need, in one dark look with one accent colour. Run by the build.
//
// Each image is drawn twice: name.png at the window's pixels and name@2x.png, the same
// shapes at twice the pixels, for screens with a device-pixel ratio above 1.
//
// usage: make_skin SKIN_DIR GENERATED_DIR   (the thumb and the icons go to GENERATED_DIR)

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <map>

#include "app_icons.h"
#include "core/model/settings_record.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/panel_layout.h"
#include "mouse_art.h"
#include "skin_style.h"

using namespace skin;
namespace layout = p330::layout;

namespace {

QString g_root;
std::map<QString, QImage> g_made;  // everything written at this scale, for composing main.png
bool g_ok = true;

// name.png at scale 1, name@2x.png at scale 2.
QString scaled_name(const QString& rel) {
    if (scale() == 1) return rel;
    QString name = rel;
    name.insert(name.lastIndexOf('.'), QStringLiteral("@%1x").arg(scale()));
    return name;
}

void save(const QString& rel, const QImage& image) {
    const QString path = g_root + scaled_name(rel);
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_skin: cannot write %s\n", qPrintable(path));
        g_ok = false;
    }
    g_made[rel] = image;
}

const QImage& made(const QString& rel) {
    return g_made.at(rel);
}

template <typename Draw>
QImage draw(int w, int h, Draw&& body) {
    QImage image = blank(w, h);
    QPainter p;
    begin(p, image);
    body(p, w, h);
    p.end();
    return image;
}

// An image the size of a rectangle of the window's layout.
template <typename Draw>
QImage draw(const layout::Rect& r, Draw&& body) {
    return draw(r.width(), r.height(), std::forward<Draw>(body));
}

// The columns: as wide as their headers, down to the bottom of the scroll track.
constexpr int kColumnWidth =
    layout::kButtonAssignmentHeader.rect.right - layout::kButtonAssignmentHeader.rect.left;
static_assert(kColumnWidth == layout::kRightRight - layout::kRightLeft);
constexpr int kColumnBottom = layout::kScrollTrack.rect.bottom;

// The brand's V, filling the given box.
QPolygonF brand_mark_outline(const QRectF& box) {
    QPolygonF mark;
    for (const QPointF& f : {QPointF(0, 0), QPointF(0.5, 1), QPointF(1, 0), QPointF(0.75, 0),
                             QPointF(0.5, 0.53), QPointF(0.25, 0)})
        mark << QPointF(box.left() + f.x() * box.width(), box.top() + f.y() * box.height());
    return mark;
}

void brand_mark(QPainter& p, const QRectF& box) {
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(brand_mark_outline(box));
}

// Title bar and bottom buttons --------------------------------------------------------------

QImage round_icon(const QString& glyph, bool hot, bool danger) {
    return draw(15, 15, [&](QPainter& p, int w, int h) {
        p.setPen(Qt::NoPen);
        p.setBrush(hot ? (danger ? kDanger : kAccent) : kRaised);
        p.drawEllipse(QRectF(0.5, 0.5, w - 1, h - 1));
        const QColor ink = hot ? kWindow : kMuted;
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        if (glyph == "x") {
            p.drawLine(QPointF(5, 5), QPointF(10, 10));
            p.drawLine(QPointF(10, 5), QPointF(5, 10));
        } else if (glyph == "-") {
            p.drawLine(QPointF(4.5, 7.5), QPointF(10.5, 7.5));
        } else {
            label(p, QRectF(0, 0, w, h), "?", 10, ink, Qt::AlignCenter, true);
        }
    });
}

void title_and_bottom_buttons() {
    for (bool hot : {false, true}) {
        const QString look = hot ? "over" : "normal";
        save("/button-close-" + look + ".png", round_icon("x", hot, true));
        save("/button-min-" + look + ".png", round_icon("-", hot, false));
        save("/button-help-" + look + ".png", round_icon("?", hot, false));
        save("/button-cancel-" + look + ".png",
             draw(layout::kCancelButton.rect, [&](QPainter& p, int w, int h) {
                 button_face(p, QRectF(0, 0, w, h), hot, false);
             }));
        save("/button-save-" + look + ".png",
             draw(layout::kSaveButton.rect, [&](QPainter& p, int w, int h) {
                 button_face(p, QRectF(0, 0, w, h), hot, true);
             }));
        save("/button-config-" + look + ".png",
             draw(layout::kConfigButton.rect, [&](QPainter& p, int w, int h) {
                 button_face(p, QRectF(0, 0, w, h), hot, false);
                 // A small stack icon in the 25-pixel indent before the label.
                 p.setPen(QPen(hot ? kAccent : kMuted, 1.4));
                 p.setBrush(Qt::NoBrush);
                 for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(8, 9 + 4.5 * i, 11, 3), 1, 1);
             }));
    }
    save("/button-mouse-normal.png", draw(layout::kFrontTab.rect, [](QPainter& p, int w, int h) {
             p.setPen(QPen(kPanelEdge, 1));
             p.setBrush(kPanel);
             p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
         }));
    save("/button-mouse-leave.png", draw(layout::kFrontTab.rect, [](QPainter& p, int w, int h) {
             p.setPen(QPen(kAccent, 1));
             p.setBrush(kRaisedHot);
             p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
             accent_bar(p, QRectF(10, h - 4, w - 20, 2.5));
         }));
}

// Columns, headers and markers ----------------------------------------------------------------

QImage column_background(int width, int height) {
    return draw(width, height, [](QPainter& p, int w, int h) { panel(p, QRectF(0, 0, w, h), 8); });
}

void columns() {
    save("/BK_MainLeft.png",
         column_background(kColumnWidth, kColumnBottom - layout::kLeftBackground.y));
    save("/BK_MainRight.png",
         column_background(kColumnWidth, kColumnBottom - layout::kRightBackground.y));
    save("/BK_MainMid.png", draw(layout::kMouseArea.rect, [](QPainter& p, int w, int h) {
             QRadialGradient g(QPointF(w / 2.0, h / 2.0), w * 0.6);
             g.setColorAt(0, QColor(0x1D, 0x24, 0x2E));
             g.setColorAt(1, kWindow);
             p.setPen(Qt::NoPen);
             p.setBrush(g);
             p.drawRect(QRectF(0, 0, w, h));
             // A faint floor grid under the mouse.
             p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 10), 1));
             for (int x = 16; x < w; x += 32) p.drawLine(x, 0, x, h);
             for (int y = 16; y < h; y += 32) p.drawLine(0, y, w, y);
         }));
    save("/ItemBK.png", draw(layout::kButtonAssignmentHeader.rect, [](QPainter& p, int w, int h) {
             QLinearGradient g(0, 0, 0, h);
             g.setColorAt(0, kRaisedHot);
             g.setColorAt(1, kRaised);
             p.setPen(Qt::NoPen);
             p.setBrush(g);
             p.drawRoundedRect(QRectF(0, 0, w, h), 3, 3);
             accent_bar(p, QRectF(2, 4, 3, h - 8));
             chevron_down(p, QPointF(w - 14, h / 2.0), 4, kMuted);
         }));
    save("/MacroManagementBK.png",
         draw(layout::kMacroManagerItem.rect, [](QPainter& p, int w, int h) {
             button_face(p, QRectF(0, 0, w, h), false, false);
             accent_bar(p, QRectF(2, 6, 3, h - 12));
             p.setPen(QPen(kAccent, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(w - 34, 10, 22, 18), 3, 3);  // a keycap
             p.drawLine(QPointF(w - 28, 22), QPointF(w - 18, 22));
         }));
    save("/Bar1.png", draw(layout::kScrollTrack.rect, [](QPainter& p, int w, int h) {
             p.setPen(Qt::NoPen);
             p.setBrush(kPanel);
             p.drawRoundedRect(QRectF(1, 0, w - 2, h), 2.5, 2.5);
         }));
    auto dot = [](int width, int height, bool on) {
        return draw(width, height, [on](QPainter& p, int w, int h) {
            const QRectF r(0.75, 0.75, w - 1.5, h - 1.5);
            p.setPen(QPen(on ? kAccent : kMuted, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(r);
            if (on) {
                p.setPen(Qt::NoPen);
                p.setBrush(kAccent);
                p.drawEllipse(r.adjusted(2.2, 2.2, -2.2, -2.2));
            }
        });
    };
    save("/Enable.png", dot(10, 9, true));
    save("/Disable.png", dot(10, 9, false));
    save("/MouseAttribute/ScrollSpeed/Enable.png", dot(12, 12, true));
    save("/MouseAttribute/ScrollSpeed/Disable.png", dot(12, 12, false));
    save("/MouseAttribute/ScrollSpeed/ScrollLines.png",
         draw(36, 14, [](QPainter& p, int w, int h) { field(p, QRectF(0, 0, w, h), false); }));
    save("/Logo.png", draw(layout::kLogo.rect, [](QPainter& p, int w, int h) {
             brand_mark(p, QRectF(10, 18, 32, 34));
             label(p, QRectF(52, 12, w - 52, 30), "VELSTRA", 24, kText,
                   Qt::AlignLeft | Qt::AlignVCenter, true);
             label(p, QRectF(53, 40, w - 53, 18), "P330  GAMING MOUSE", 10, kMuted,
                   Qt::AlignLeft | Qt::AlignVCenter);
             (void)h;
         }));
}

// Panels --------------------------------------------------------------------------------------

QImage body(int height) {
    return draw(kColumnWidth, height,
                [](QPainter& p, int w, int h) { panel(p, QRectF(0, 1, w, h - 2), 4); });
}

void horizontal_levels(const QString& dir, int count, int width, int height) {
    for (int level = 1; level <= count; ++level) {
        save(dir + QString::number(level) + ".png",
             draw(width, height, [&](QPainter& p, int w, int h) {
                 const qreal cy = h / 2.0;
                 p.setPen(Qt::NoPen);
                 p.setBrush(kTrack);
                 p.drawRoundedRect(QRectF(0, cy - 2, w, 4), 2, 2);
                 const qreal x = 4 + (w - 8) * (level - 1) / qreal(count - 1);
                 QLinearGradient g(0, 0, x, 0);
                 g.setColorAt(0, kAccentDeep);
                 g.setColorAt(1, kAccent);
                 p.setBrush(g);
                 p.drawRoundedRect(QRectF(0, cy - 2, x, 4), 2, 2);
                 p.setBrush(kText);
                 p.drawEllipse(QPointF(std::clamp<qreal>(x, h / 2.0, w - h / 2.0), cy),
                               h / 2.0 - 0.5, h / 2.0 - 0.5);
             }));
    }
}

void dpi_panel() {
    save("/DPISetting/BK_DPISetting.png", body(225));
    save("/DPISetting/BK-DPIValue.png",
         draw(40, 16, [](QPainter& p, int w, int h) { field(p, QRectF(0, 0, w, h), false); }));
    for (int v = 1; v <= 100; ++v) {
        save("/DPISetting/DPIStage/" + QString::number(v) + ".png",
             draw(10, 113, [v](QPainter& p, int w, int h) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(kTrack);
                 p.drawRoundedRect(QRectF(3, 0, w - 6, h), 2, 2);
                 // Value v fills from the bottom: the click rule puts v at y = bottom - 1 - v.
                 const qreal top = std::max<qreal>(0, h - 1 - v);
                 QLinearGradient g(0, h, 0, top);
                 g.setColorAt(0, kAccentDeep);
                 g.setColorAt(1, kAccent);
                 p.setBrush(g);
                 p.drawRoundedRect(QRectF(3, top, w - 6, h - top), 2, 2);
                 p.setBrush(kText);
                 p.drawRoundedRect(QRectF(0, std::clamp<qreal>(top - 2, 0, h - 4), w, 4), 2, 2);
             }));
    }
}

void lighting_and_rate_panels() {
    save("/Lighting/BK_Lighting.png", body(112));
    horizontal_levels("/Lighting/", 6, 128, 8);
    save("/USBReportRate/BK_USBReportRate.png", body(138));
    struct Quadrant {
        int hz;
        int start_deg;  // Qt angles: counter-clockwise from 3 o'clock
        QPointF text;
    };
    const Quadrant quadrants[] = {
        {1000, 0, {92, 34}}, {125, 90, {36, 34}}, {250, 180, {36, 94}}, {500, 270, {92, 94}}};
    for (const Quadrant& selected : quadrants) {
        save("/USBReportRate/" + QString::number(selected.hz) + "HZ.png",
             draw(128, 128, [&](QPainter& p, int, int) {
                 const QPointF c(64, 64);
                 for (const Quadrant& q : quadrants) {
                     QPainterPath ring;
                     ring.arcMoveTo(QRectF(1, 1, 126, 126), q.start_deg + 3);
                     ring.arcTo(QRectF(1, 1, 126, 126), q.start_deg + 3, 84);
                     ring.arcTo(QRectF(29, 29, 70, 70), q.start_deg + 87, -84);
                     ring.closeSubpath();
                     const bool on = q.hz == selected.hz;
                     p.setPen(QPen(on ? kAccent : kPanelEdge, 1));
                     p.setBrush(on ? QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 200)
                                   : kRaised);
                     p.drawPath(ring);
                     label(p, QRectF(q.text.x() - 20, q.text.y() - 8, 40, 16),
                           QString::number(q.hz), 10, on ? kWindow : kMuted, Qt::AlignCenter, on);
                 }
                 label(p, QRectF(c.x() - 30, c.y() - 12, 60, 14), QString::number(selected.hz), 13,
                       kText, Qt::AlignCenter, true);
                 label(p, QRectF(c.x() - 30, c.y() + 2, 60, 12), "Hz", 9, kMuted, Qt::AlignCenter);
             }));
    }
}

void pointer_panels() {
    save("/MouseAttribute/BK_MouseAttribute.png", body(110));
    save("/MouseAttribute/BK_ScrollSpeed.png", draw(242, 72, [](QPainter& p, int w, int h) {
             panel(p, QRectF(0, 1, w, h - 2), 4);
             // The up and down arrows at (924, b + 15) and (924, b + 23) of the window.
             p.setPen(Qt::NoPen);
             p.setBrush(kMuted);
             QPolygonF up({QPointF(190, 20), QPointF(195, 14.5), QPointF(200, 20)});
             QPolygonF down({QPointF(190, 24), QPointF(195, 29.5), QPointF(200, 24)});
             p.drawPolygon(up);
             p.drawPolygon(down);
         }));
    for (int level = 2; level <= 12; ++level) {
        save("/MouseAttribute/Speed/" + QString::number(level) + ".png",
             draw(142, 83, [level](QPainter& p, int, int) {
                 const QRectF outer(0.5, 0.5, 141, 141);
                 const QRectF inner(28.5, 28.5, 85, 85);
                 auto band = [&](qreal from, qreal span, const QBrush& brush) {
                     QPainterPath path;
                     path.arcMoveTo(outer, from);
                     path.arcTo(outer, from, span);
                     path.arcTo(inner, from + span, -span);
                     path.closeSubpath();
                     p.setPen(Qt::NoPen);
                     p.setBrush(brush);
                     p.drawPath(path);
                 };
                 band(0, 180, kTrack);
                 const qreal angle = (12 - level) * 18.0;  // level 12 at the right, 2 at the left
                 QConicalGradient g(QPointF(71, 71), 0);
                 g.setColorAt(0, kAccent);
                 g.setColorAt(0.5, kAccentDeep);
                 band(angle, 180 - angle, g);
                 for (int tick = 0; tick <= 10; ++tick) {
                     const qreal a = qDegreesToRadians(tick * 18.0);
                     p.setPen(QPen(kWindow, 1.2));
                     p.drawLine(QPointF(71 + 44 * std::cos(a), 71 - 44 * std::sin(a)),
                                QPointF(71 + 52 * std::cos(a), 71 - 52 * std::sin(a)));
                 }
                 // The needle starts outside the level number, which it would cover when it
                 // points up (levels 6 to 8).
                 const qreal a = qDegreesToRadians(angle);
                 auto along = [a](qreal r) {
                     return QPointF(71 + r * std::cos(a), 71 - r * std::sin(a));
                 };
                 p.setPen(QPen(kText, 2.2, Qt::SolidLine, Qt::RoundCap));
                 p.drawLine(along(33), along(66));
                 p.setPen(Qt::NoPen);
                 p.setBrush(kText);
                 p.drawEllipse(along(33), 2.5, 2.5);
                 label(p, QRectF(51, 42, 40, 20), QString::number(level), 14, kText,
                       Qt::AlignCenter, true);
             }));
    }
    save("/AngleSnap/BK_AngleSnap.png", body(140));
    for (int level = 1; level <= 10; ++level) {
        save("/AngleSnap/" + QString::number(level) + ".png",
             draw(207, 85, [level](QPainter& p, int w, int h) {
                 field(p, QRectF(0, 0, w, h), false);
                 // A hand-drawn stroke (muted) and the path the mouse makes of it: the higher the
                 // level, the straighter.
                 QPainterPath raw, snapped;
                 const qreal wobble = 16;
                 const qreal kept = 1.0 - (level - 1) / 9.0;
                 for (int x = 12; x <= w - 12; x += 3) {
                     const qreal y = h / 2.0 + wobble * std::sin(x / 13.0) * std::cos(x / 37.0);
                     const qreal ys = h / 2.0 + (y - h / 2.0) * kept;
                     if (x == 12) {
                         raw.moveTo(x, y);
                         snapped.moveTo(x, ys);
                     } else {
                         raw.lineTo(x, y);
                         snapped.lineTo(x, ys);
                     }
                 }
                 p.setBrush(Qt::NoBrush);
                 p.setPen(QPen(kMuted, 1, Qt::DashLine));
                 p.drawPath(raw);
                 p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
                 p.drawPath(snapped);
             }));
    }
    horizontal_levels("/StageSlider/", 11, 208, 9);
    save("/XYSensitivity/BK_XYSensSetting.png", body(142));
}

void button_assignment() {
    save("/ButtonAssignment/BK_ButtonAssignment.png", body(195));
    const char* looks[] = {"normal", "over", "leave"};
    const layout::Rect box = layout::dropdown_box(0);
    const layout::Rect arrow = layout::dropdown_arrow(0);
    // The chevron in the middle of the arrow's place, which the label keeps clear of.
    const QPointF chevron((arrow.left + arrow.right) / 2.0 - box.left,
                          (arrow.top + arrow.bottom) / 2.0 - box.top);
    for (int i = 0; i < 3; ++i) {
        save(QString("/ButtonAssignment/DropdownBox-") + looks[i] + ".png",
             draw(box, [i, chevron](QPainter& p, int w, int h) {
                 field(p, QRectF(0, 0, w, h), i == 1);
                 chevron_down(p, chevron, 3, i == 1 ? kAccent : kMuted);
             }));
    }
}

void mouse_pictures() {
    save("/Mouse/Front/MouseFront.png", mouse_front());
    save("/Mouse/Side/MouseSide.png", mouse_side());
    // The badge goes to the side away from the mouse.
    auto size_of = [](const layout::Rect& r) { return QSize(r.width(), r.height()); };
    for (int n = 1; n <= 8; ++n) {
        for (bool over : {false, true}) {
            const QString look = over ? "over" : "normal";
            const layout::Rect& front = layout::kFrontCallouts[n - 1];
            const layout::Rect& side = layout::kSideCallouts[n - 1];
            save(QString("/Mouse/Front/F-%1-%2.png").arg(n).arg(look),
                 callout(n, size_of(front), front.left == layout::kFrontPicture.x, over));
            save(QString("/Mouse/Side/S-%1-%2.png").arg(n).arg(look),
                 callout(n, size_of(side), side.left == layout::kSidePicture.x, over));
        }
    }
}

// Dialogs -------------------------------------------------------------------------------------

QImage dialog_background(int width, int height, int title_height) {
    return draw(width, height, [title_height](QPainter& p, int w, int h) {
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(kWindow);
        p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
        title_bar(p, w, title_height, QString());
    });
}

void small_button(const QString& rel_base, int width, int height) {
    for (bool hot : {false, true}) {
        save(rel_base + (hot ? "-over.png" : "-normal.png"),
             draw(width, height, [hot](QPainter& p, int w, int h) {
                 button_face(p, QRectF(0, 0, w, h), hot, false);
             }));
    }
}

void tick_boxes(const QString& dir, int size) {
    save(dir + "/Pane.png",
         draw(size, size, [](QPainter& p, int w, int h) { field(p, QRectF(0, 0, w, h), false); }));
    save(dir + "/PaneMakingTick.png", draw(size, size, [](QPainter& p, int w, int h) {
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawRoundedRect(QRectF(0, 0, w, h), 3, 3);
             p.setPen(QPen(kWindow, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({QPointF(w * 0.25, h * 0.5), QPointF(w * 0.43, h * 0.7),
                                       QPointF(w * 0.76, h * 0.3)}));
         }));
}

void dialogs() {
    small_button("/MacroManagement/button-new", 58, 25);
    small_button("/MacroManagement/button-cancel", 54, 28);
    small_button("/Insert-Macro", 63, 25);
    for (bool hot : {false, true}) {
        save(QString("/macro-button-close-") + (hot ? "over" : "normal") + ".png",
             draw(51, 24, [hot](QPainter& p, int w, int h) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(hot ? kDanger : kRaised);
                 p.drawRoundedRect(QRectF(0, 0, w, h), 4, 4);
                 p.setPen(QPen(hot ? kWindow : kMuted, 1.6, Qt::SolidLine, Qt::RoundCap));
                 p.drawLine(QPointF(w / 2.0 - 4, h / 2.0 - 4), QPointF(w / 2.0 + 4, h / 2.0 + 4));
                 p.drawLine(QPointF(w / 2.0 + 4, h / 2.0 - 4), QPointF(w / 2.0 - 4, h / 2.0 + 4));
             }));
    }
    save("/MacroManagement/Record-normal.png", draw(89, 24, [](QPainter& p, int w, int h) {
             button_face(p, QRectF(0, 0, w, h), false, false);
             p.setPen(Qt::NoPen);
             p.setBrush(kDanger);
             p.drawEllipse(QPointF(10, h / 2.0), 3.5, 3.5);
         }));
    tick_boxes("/MacroManagement", 14);
    tick_boxes("", 16);

    QImage manager = dialog_background(500, 440, 31);
    {
        QPainter p;
        begin(p, manager);
        panel(p, QRectF(16, 78, 118, 280));   // macro list 21..130 x 82..353
        panel(p, QRectF(148, 78, 118, 280));  // item list 153..262
        panel(p, QRectF(279, 78, 118, 280));  // record options
        p.setPen(QPen(kPanelEdge, 1));
        p.drawLine(QPointF(16, 384), QPointF(484, 384));
        p.end();
    }
    save("/MacroManagement/MacroManagement.png", manager);

    auto key_dialog = [](const QString& rel, bool with_field) {
        QImage image = dialog_background(layout::dialog::kKeyCaptureFrame.width(),
                                         layout::dialog::kKeyCaptureFrame.height(), 30);
        QPainter p;
        begin(p, image);
        panel(p, QRectF(14, 44, 352, 190));
        if (with_field)
            field(p, QRectF(70, 126, 84, 20), true);  // the captured key, 74..150 x 129..143
        p.end();
        save(rel, image);
    };
    key_dialog("/single-key.png", true);
    QImage combo = dialog_background(layout::dialog::kKeyCaptureFrame.width(),
                                     layout::dialog::kKeyCaptureFrame.height(), 30);
    {
        QPainter p;
        begin(p, combo);
        panel(p, QRectF(14, 44, 352, 190));
        for (const QRectF r :
             {QRectF(48, 68, 86, 18), QRectF(48, 118, 85, 18), QRectF(48, 168, 85, 18)})
            field(p, r, false);
        chevron_down(p, QPointF(126, 77), 3, kMuted);
        label(p, QRectF(150, 68, 40, 18), "+", 14, kMuted, Qt::AlignLeft | Qt::AlignVCenter);
        p.end();
    }
    save("/combo-key.png", combo);
    QImage macro_key = dialog_background(layout::macro_key::kFrame.width(),
                                         layout::macro_key::kFrame.height(), 30);
    {
        QPainter p;
        begin(p, macro_key);
        panel(p, QRectF(10, 60, 190, 180));
        field(p, QRectF(40, 126, 113, 20), false);
        chevron_down(p, QPointF(143, 136), 3, kMuted);
        panel(p, QRectF(210, 58, 182, 156));  // the repeat modes, 62..210
        p.end();
    }
    save("/macro-key.png", macro_key);

    QImage config = draw(263, 598, [](QPainter& p, int w, int h) {
        p.setPen(Qt::NoPen);
        p.setBrush(kPanel);
        p.drawRect(QRectF(0, 0, w, h));
        title_bar(p, w, 31, QString());
        p.setBrush(kRaised);
        p.drawRect(QRectF(0, 575, w, 23));
        accent_bar(p, QRectF(0, 575, w, 1));
    });
    save("/Config/Config.png", config);
    save("/Config/New-Config.png", draw(12, 12, [](QPainter& p, int w, int h) {
             p.setPen(QPen(kAccent, 2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(w / 2.0, 1.5), QPointF(w / 2.0, h - 1.5));
             p.drawLine(QPointF(1.5, h / 2.0), QPointF(w - 1.5, h / 2.0));
         }));
    save("/Help/HelpWindow.png", draw(200, 80, [](QPainter& p, int w, int h) {
             p.setPen(QPen(kAccent, 1));
             p.setBrush(QColor(0xDD, 0xE3, 0xEA));  // the help texts are black
             p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 5, 5);
         }));
}

// Window backgrounds and the splash -------------------------------------------------------------

void place(QPainter& p, layout::Point at, const QString& rel) {
    p.drawImage(at.x, at.y, made(rel));
}

// An image the window draws over an older look of itself (hover, a new level) must cover
// everything that look drew: it is made opaque over what lies beneath it.
void flatten(const QString& rel, const QImage& under, layout::Point at) {
    const QImage& top = made(rel);
    QImage flat = under.copy(at.x * scale(), at.y * scale(), top.width(), top.height())
                      .convertToFormat(QImage::Format_ARGB32);
    flat.setDevicePixelRatio(scale());
    QPainter p(&flat);
    p.drawImage(0, 0, top);
    p.end();
    save(rel, flat);
}

void flatten_numbered(const QString& pattern, int first, int last, const QImage& under,
                      layout::Point at) {
    for (int n = first; n <= last; ++n) flatten(pattern.arg(n), under, at);
}

// A body image with the panel's header bottom at y = 0.
layout::Point in_body(layout::Point window, layout::Point body_origin) {
    return {window.x - body_origin.x, window.y - body_origin.y};
}

void flatten_state_images(const QImage& base) {
    using namespace layout;
    // On the window's own background: the title and bottom buttons and the view tabs.
    for (const Element* e : kHoverable) {
        flatten(e->normal, base, e->rect.top_left());
        flatten(e->over, base, e->rect.top_left());
    }
    flatten(kTabSelected, base, kFrontTab.rect.top_left());
    flatten(kTabIdle, base, kFrontTab.rect.top_left());

    // On the mouse picture: the callouts of both views.
    QImage front = made(kMouseArea.normal).convertToFormat(QImage::Format_ARGB32);
    QImage side = front;
    {
        QPainter p(&front);
        const Point at = in_body(kFrontPicture, kMouseArea.rect.top_left());
        p.drawImage(at.x, at.y, made(kFrontPictureImage));
        QPainter q(&side);
        const Point side_at = in_body(kSidePicture, kMouseArea.rect.top_left());
        q.drawImage(side_at.x, side_at.y, made(kSidePictureImage));
    }
    for (int n = 1; n <= p330::kButtonCount; ++n) {
        for (const char* look : {"normal", "over"}) {
            flatten(QString("/Mouse/Front/F-%1-%2.png").arg(n).arg(look), front,
                    in_body(kFrontCallouts[n - 1].top_left(), kMouseArea.rect.top_left()));
            flatten(QString("/Mouse/Side/S-%1-%2.png").arg(n).arg(look), side,
                    in_body(kSideCallouts[n - 1].top_left(), kMouseArea.rect.top_left()));
        }
    }

    // On the panels' bodies, where each control sits below its header's bottom b.
    const QImage& assignment = made(kButtonAssignmentBody);
    const Point box = in_body(dropdown_box(0).top_left(), {20, 127});
    flatten(kDropdownNormal, assignment, box);
    flatten(kDropdownOver, assignment, box);
    flatten_numbered(dpi::kBarImage, 1, 100, made(kRightPanels[kDpi].body),
                     in_body(dpi::kBars[0].top_left(), {kRightLeft, 52}));
    const QImage& light = made(kRightPanels[kLighting].body);
    const lighting::Row row = lighting::row(0, 0);
    flatten_numbered(lighting::kBarImage, 1, 6, light,
                     in_body(row.bar.top_left(), {kRightLeft, 0}));
    flatten(lighting::kSelected, light, in_body(row.marker.top_left(), {kRightLeft, 0}));
    flatten(lighting::kUnselected, light, in_body(row.marker.top_left(), {kRightLeft, 0}));
    const QImage& rate = made(kRightPanels[kReportRate].body);
    const Rect dial = report_rate::dial(0, logical_size(rate).width());
    for (int hz : {125, 250, 500, 1000})
        flatten(QString(report_rate::kDialImage).arg(hz), rate,
                in_body(dial.top_left(), {kRightLeft, 0}));
    const QImage& mouse = made(kRightPanels[kMouseSpeed].body);
    flatten_numbered(
        speed::kGaugeImage, 2, 12, mouse,
        in_body(speed::gauge(0, logical_size(mouse).width()).gauge.top_left(), {kRightLeft, 0}));
    const QImage& scrolling = made(kRightPanels[kScrollSpeed].body);
    const scroll::Controls sc = scroll::controls(0);
    flatten(scroll::kSelected, scrolling, in_body(sc.lines_marker.top_left(), {kRightLeft, 0}));
    flatten(scroll::kUnselected, scrolling, in_body(sc.lines_marker.top_left(), {kRightLeft, 0}));
    const QImage& angle = made(kRightPanels[kAngleSnap].body);
    const angle_snap::Controls ac = angle_snap::controls(0);
    flatten_numbered(angle_snap::kPictureImage, 1, 10, angle,
                     in_body(ac.picture.top_left(), {kRightLeft, 0}));
    flatten_numbered(slider::kBarImage, 1, 11, angle, in_body(ac.bar.top_left(), {kRightLeft, 0}));
}

void main_and_splash() {
    using namespace layout;
    // The window's own background; then main.png, the main window as it first shows, with
    // every fixed element in place.
    QImage base = draw(kWindowRect.width(), kWindowRect.height(), [](QPainter& p, int w, int h) {
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(kWindow);
        p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
        title_bar(p, w, 26, QString());
        p.setPen(QPen(kPanelEdge, 1));
        p.drawLine(QPointF(12, 596), QPointF(988, 596));
    });
    flatten_state_images(base);
    QImage main = base;
    {
        QPainter p;
        begin(p, main);
        for (const Element* e : {&kLogo, &kMouseArea}) place(p, e->rect.top_left(), e->normal);
        place(p, kFrontPicture, kFrontPictureImage);
        for (int n = 1; n <= p330::kButtonCount; ++n)
            place(p, kFrontCallouts[n - 1].top_left(),
                  QString("/Mouse/Front/F-%1-normal.png").arg(n));
        place(p, kScrollTrack.rect.top_left(), kScrollTrack.normal);
        for (const Element* e : kHoverable) place(p, e->rect.top_left(), e->normal);
        place(p, kFrontTab.rect.top_left(), kTabSelected);
        place(p, kSideTab.rect.top_left(), kTabIdle);
        place(p, kLeftBackground, kLeftBackgroundImage);
        for (const Element* e : {&kButtonAssignmentHeader, &kMacroManagerItem, &kSensitivityHeader})
            place(p, e->rect.top_left(), e->normal);
        place(p, kRightBackground, kRightBackgroundImage);
        for (const RightPanelInfo& panel : kRightPanels)
            place(p, {kRightLeft, panel.initial_top}, kHeaderImage);
        p.end();
    }
    save(kBackground.normal, main);

    save("/start.png", draw(600, 340, [](QPainter& p, int w, int h) {
             QLinearGradient g(0, 0, w, h);
             g.setColorAt(0, QColor(0x0B, 0x0D, 0x11));
             g.setColorAt(1, QColor(0x17, 0x22, 0x2E));
             p.setPen(QPen(kPanelEdge, 1));
             p.setBrush(g);
             p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
             QRadialGradient halo(QPointF(w * 0.72, h * 0.5), 170);
             halo.setColorAt(0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 70));
             halo.setColorAt(1, Qt::transparent);
             p.setPen(Qt::NoPen);
             p.setBrush(halo);
             p.drawEllipse(QPointF(w * 0.72, h * 0.5), 170, 170);
             p.save();
             p.translate(w * 0.72 - 80, 30);
             p.scale(0.6, 0.6);
             p.drawImage(0, 0, mouse_front());
             p.restore();
             label(p, QRectF(40, 110, 300, 44), "VELSTRA", 40, kText,
                   Qt::AlignLeft | Qt::AlignVCenter, true);
             label(p, QRectF(42, 156, 300, 20), "P330 GAMING MOUSE", 14, kAccent,
                   Qt::AlignLeft | Qt::AlignVCenter, true);
             label(p, QRectF(42, 180, 300, 18), "Configurator", 12, kMuted,
                   Qt::AlignLeft | Qt::AlignVCenter);
             accent_bar(p, QRectF(42, 210, 56, 3));
         }));
}

QImage thumb() {
    return draw(7, 114, [](QPainter& p, int w, int h) {
        QLinearGradient g(0, 0, w, 0);
        g.setColorAt(0, kAccentDeep);
        g.setColorAt(1, kAccent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(1, 0, w - 2, h), 2.5, 2.5);
    });
}

// The program's icon, for the tray, the window and the desktop: drawn on 64 x 64.
constexpr IconBackground kIconBackground{QRectF(2, 2, 60, 60), 14};
constexpr QRectF kIconMark(14, 16, 36, 36);

void draw_icon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kRaised);
    p.drawRoundedRect(kIconBackground.rect, kIconBackground.radius, kIconBackground.radius);
    brand_mark(p, kIconMark);
}

QImage icon() {
    return draw(64, 64, [](QPainter& p, int, int) { draw_icon(p); });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_skin SKIN_DIR GENERATED_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    g_root = QString::fromLocal8Bit(argv[1]);
    const QString generated = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(generated);
    std::size_t images = 0;
    for (int s : {1, 2}) {
        set_scale(s);
        g_made.clear();
        title_and_bottom_buttons();
        columns();
        dpi_panel();
        lighting_and_rate_panels();
        pointer_panels();
        button_assignment();
        mouse_pictures();
        dialogs();
        main_and_splash();
        images += g_made.size();
        if (!thumb().save(generated + scaled_name("/thumb.png"), "PNG")) g_ok = false;
    }
    set_scale(1);
    if (!icon().save(generated + "/icon.png", "PNG")) g_ok = false;
    if (!write_hicolor_icons(generated, draw_icon)) g_ok = false;
    if (!write_scalable_icon(generated, kIconBackground, brand_mark_outline(kIconMark)))
        g_ok = false;
    std::printf("make_skin: %zu images in %s in %lld ms\n", images, argv[1],
                static_cast<long long>(timer.elapsed()));
    return g_ok ? 0 : 1;
}
