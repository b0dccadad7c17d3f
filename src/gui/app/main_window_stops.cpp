// The main window without a pointer: its focus stops, one per row of its focus-order table
// (gui/layout/focus_order.h) that the window shows now, and its keys. Every stop acts by
// clicking where the pointer would, so a key changes the record exactly as a click does.

#include <QKeyEvent>
#include <QLineEdit>

#include "core/lang/access_texts.h"
#include "core/model/record_units.h"
#include "core/settings/settings_catalogue.h"
#include "gui/access/focus_ring.h"
#include "gui/access/table_stops.h"
#include "gui/app/main_window.h"
#include "gui/buttons/function_lists.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/focus_order.h"
#include "gui/panels/button_rows_panel.h"
#include "gui/panels/dpi_panel.h"
#include "gui/panels/lighting_panel.h"
#include "gui/panels/panel.h"
#include "gui/panels/scroll_panel.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

Point centre(const Rect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

}  // namespace

void MainWindow::click_at(Point p) {
    dispatch(p);
    flush();
}

QString MainWindow::control_name(SettingId id) const {
    return QString::fromStdString(setting(id).accessible_name(language_));
}

// A control of a setting over the entry's range, set by a click at the point of a level.
StopValue MainWindow::level_value(SettingId id, std::function<Point(int)> point_of_level) {
    const SettingEntry& entry = setting(id);
    StopValue v;
    v.min = entry.range.min;
    v.max = entry.range.max;
    v.get = [this, &entry] { return entry.get(record_); };
    v.set = [this, point_of_level = std::move(point_of_level)](int level) {
        click_at(point_of_level(level));
    };
    return v;
}

FocusStops MainWindow::focus_stops() {
    FocusStops stops;
    if (!main_view_shown_) return stops;
    const Columns columns{assignment_expanded_, sensitivity_expanded_, right_expanded_,
                          right_column_};
    for (const MainStop& row : main_focus_order()) {
        if (!shown(row, columns)) continue;
        if (std::optional<FocusStop> stop = row_stop(row)) stops.push_back(std::move(*stop));
    }
    return stops;
}

std::optional<FocusStop> MainWindow::row_stop(const MainStop& row) {
    StopPlace at;
    at.left = left_column();
    if (row.panel >= 0) {
        at.header = right_column_.visible[row.panel] ? right_header(row.panel) : Rect{};
        at.body_width = right_[row.panel]->body_size().width();
    }
    FocusStop s;
    s.id = stop_id(row);
    s.role = accessible_role(role_of(row.shape));
    s.rect = row.rect(at);
    if (row.access != nullptr) {
        s.name = qtext(access_texts(language_).*row.access)
                     .replace(QStringLiteral("{n}"), QString::number(row.index + 1));
    } else if (row.text != nullptr) {
        s.name = qtext(texts_.*row.text);
    } else if (row.element != nullptr) {
        s.name = qtext(texts_, row.element->label);
    } else {
        s.name = control_name(row.setting);
    }
    const Rect r = s.rect;
    const auto click_centre = [this, r] { click_at(centre(r)); };
    const int i = row.index;
    switch (row.shape) {
        case StopShape::kHeader:
            if (row.shown == Shown::kRightHeader) {
                const int panel = row.panel;
                s.press = [this, panel] {
                    toggle_right(panel);
                    flush();
                };
                s.expanded = [this, panel] { return right_expanded_[panel]; };
                if (!right_column_.visible[panel]) {
                    s.reveal = [this] {
                        page_ = page_ == Page::kUpper ? Page::kLower : Page::kUpper;
                        layout_right_column();
                        flush();
                    };
                }
                return s;
            }
            s.expanded = [this, action = row.element->action] {
                return action == Action::kButtonAssignment ? assignment_expanded_
                                                           : sensitivity_expanded_;
            };
            [[fallthrough]];
        case StopShape::kButton:
        case StopShape::kTab:
            s.press = [this, action = row.element->action] {
                perform(action);
                flush();
            };
            if (row.shape == StopShape::kTab) {
                s.checked = [this, front = row.element->action == Action::kFrontTab] {
                    return front_view_ == front;
                };
            }
            return s;
        case StopShape::kDropdown:
            s.press = [this, i] { open_list_from_keyboard(i); };
            s.open = s.press;
            s.value_text = [this, i] { return QString::fromStdString(labels_[i]); };
            return s;
        case StopShape::kDpiBar:
        case StopShape::kDpiBox:
            s.value = level_value(row.setting, [r = dpi::kBars[i]](int dpi) {
                return dpi_bar_point(r, dpi / kDpiStep);
            });
            s.value->step = kDpiStep;
            s.value->unit = QStringLiteral(" DPI");
            if (row.shape == StopShape::kDpiBox) {
                s.widget = dpi_panel().box(i);
                if (s.widget == nullptr) return std::nullopt;
            }
            return s;
        case StopShape::kColour:
            s.press = click_centre;
            s.value_text = [this, i] { return stage_colour(record_, i).name().toUpper(); };
            return s;
        case StopShape::kLightBar:
            s.value = level_value(row.setting, [r](int l) { return lighting_point(r, l); });
            // Read as the scale under the bar reads, not as the stored level.
            s.value_text = [i, get = s.value->get] { return LightingPanel::scale_text(i, get()); };
            return s;
        case StopShape::kSlider:
            s.value = level_value(row.setting, [r](int l) { return slider_point(r, l); });
            return s;
        case StopShape::kGauge:
            s.value = level_value(row.setting, [r](int l) { return gauge_point(r, l); });
            s.value->min = kDoubleClickRange.min;  // the gauge's lowest level
            return s;
        case StopShape::kDial:
            s.value = level_value(row.setting, [r](int hz) {
                return dial_point(r, report_interval_of_rate(hz).value_or(1));
            });
            s.value->choices = {125, 250, 500, 1000};
            s.value->unit = QStringLiteral(" Hz");
            return s;
        case StopShape::kMarker:
            s.press = click_centre;
            s.checked = [this, &entry = setting(row.checks), when = row.when] {
                return entry.get(record_) == when;
            };
            return s;
        case StopShape::kSpinBox: {
            s.widget = scroll_panel().box();
            if (s.widget == nullptr) return std::nullopt;
            StopValue v;
            v.min = kScrollLinesRange.min;
            v.max = kScrollLinesRange.max;
            v.get = [this] { return static_cast<int>(record_.scroll_lines); };
            // The box's own arrows, clicked as often as it takes.
            v.set = [this, c = scroll::controls(at.header.bottom)](int lines_wanted) {
                while (record_.scroll_lines < lines_wanted && record_.scroll_lines < 100)
                    click_at(centre(c.up));
                while (record_.scroll_lines > lines_wanted && record_.scroll_lines > 1)
                    click_at(centre(c.down));
            };
            s.value = std::move(v);
            return s;
        }
    }
    return s;
}

// Keys -------------------------------------------------------------------------------------------

void MainWindow::open_list_from_keyboard(int button) {
    if (lists_->open_button() != button) click_at(centre(dropdown_box(button)));
    lists_->focus_list();
}

bool MainWindow::focusNextPrevChild(bool next) {
    // Tab itself reaches the ring first; this is Qt moving the focus off a control that
    // went away (a list closed, a box deleted): the focus goes back to the window.
    if (!main_view_shown_) return QWidget::focusNextPrevChild(next);
    return focus_->settle();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool save = event->matches(QKeySequence::Save) ||
                      (key == Qt::Key_S && event->modifiers() == Qt::ControlModifier);
    // Save is taken from the splash on: the main view it saves comes first.
    if (!main_view_shown_ && !save) return;
    if (save) {
        click_at(centre(kSaveButton.rect));
    } else if (key == Qt::Key_F1) {
        click_at(centre(kHelpButton.rect));
    } else if (key == Qt::Key_Escape) {
        // Esc closes what is open over the window, never the window itself.
        if (help_open_) {
            click_at(centre(kHelpButton.rect));
        } else {
            lists_->close_all();
            flush();
        }
    } else if (!focus_->key(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    focus_->update_mark();
}

void MainWindow::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focus_->update_mark();
}

}  // namespace p330::gui
