// The main window without a pointer: its focus stops in reading order (left column, picture
// tabs, right column, bottom buttons, title-bar buttons) and its keys. Every stop acts by
// clicking where the pointer would, so a key changes the record exactly as a click does.

#include <QKeyEvent>
#include <QLineEdit>

#include "core/lang/access_texts.h"
#include "core/model/record_units.h"
#include "core/settings/settings_catalogue.h"
#include "gui/access/focus_ring.h"
#include "gui/app/main_window.h"
#include "gui/buttons/function_lists.h"
#include "gui/layout/control_rules.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/button_rows_panel.h"
#include "gui/panels/dpi_panel.h"
#include "gui/panels/lighting_panel.h"
#include "gui/panels/panel.h"
#include "gui/panels/scroll_panel.h"
#include "gui/skin/texts.h"

namespace p330::gui {

using namespace layout;

namespace {

// Stop ids: fixed elements below 100, the right column's panel i from 100 + 20 i.
enum StopId {
    kAssignmentStop = 1,
    kMacroManagerStop,
    kSensitivityStop,
    kFrontTabStop,
    kSideTabStop,
    kBoxStop = 10,   // + button row
    kAxisStop = 20,  // + axis
    kConfigStop = 30,
    kResetStop,
    kCancelStop,
    kSaveStop,
    kHelpStop,
    kHideStop,
    kCloseStop,
    kRightStop = 100,
};
constexpr int kRightStride = 20;

Point centre(const Rect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

QString numbered(std::string_view text, int n) {
    return qtext(text).replace(QStringLiteral("{n}"), QString::number(n));
}

FocusStop button_stop(int id, const Rect& rect, QString name, std::function<void()> press) {
    FocusStop s;
    s.id = id;
    s.role = QAccessible::Button;
    s.name = std::move(name);
    s.rect = rect;
    s.press = std::move(press);
    return s;
}

}  // namespace

void MainWindow::click_at(Point p) {
    dispatch(p);
    flush();
}

FocusStop MainWindow::element_stop(int id, const Element& e, QString name) {
    return button_stop(id, e.rect, name.isEmpty() ? qtext(texts_, e.label) : std::move(name),
                       [this, action = e.action] {
                           perform(action);
                           flush();
                       });
}

QString MainWindow::control_name(SettingId id) const {
    return QString::fromStdString(setting(id).accessible_name(language_));
}

// A control of a setting, named by its catalogue entry, over the entry's range.
FocusStop MainWindow::level_stop(int id, QAccessible::Role role, SettingId id_of_setting, Rect rect,
                                 std::function<Point(int)> point_of_level) {
    const SettingEntry& entry = setting(id_of_setting);
    FocusStop s;
    s.id = id;
    s.role = role;
    s.name = control_name(id_of_setting);
    s.rect = rect;
    StopValue v;
    v.min = entry.range.min;
    v.max = entry.range.max;
    v.get = [this, &entry] { return entry.get(record_); };
    v.set = [this, point_of_level = std::move(point_of_level)](int level) {
        click_at(point_of_level(level));
    };
    s.value = std::move(v);
    return s;
}

FocusStops MainWindow::focus_stops() {
    FocusStops stops;
    if (!main_view_shown_) return stops;
    const AccessTexts& access = access_texts(language_);
    // A header runs its element's action, or, in the right column, opens or closes its panel.
    const auto header = [this](int id, const Rect& r, std::string_view text, bool expanded,
                               std::function<void()> press) {
        FocusStop s = button_stop(id, r, qtext(text), [this, press = std::move(press)] {
            press();
            flush();
        });
        s.expanded = [expanded] { return expanded; };
        return s;
    };

    // Left column.
    const LeftColumn left = left_column();
    const auto act = [this](Action action) { return [this, action] { perform(action); }; };
    stops.push_back(header(kAssignmentStop, left.button_assignment, texts_.button_assignment,
                           assignment_expanded_, act(kButtonAssignmentHeader.action)));
    if (assignment_expanded_) {
        for (int i = 0; i < kButtonCount; ++i) {
            FocusStop s =
                button_stop(kBoxStop + i, dropdown_box(i), control_name(button_setting(i)),
                            [this, i] { open_list_from_keyboard(i); });
            s.role = QAccessible::ComboBox;
            s.open = s.press;
            s.value_text = [this, i] { return QString::fromStdString(labels_[i]); };
            stops.push_back(std::move(s));
        }
    }
    FocusStop manager = element_stop(kMacroManagerStop, kMacroManagerItem);
    manager.rect = left.macro_manager;
    stops.push_back(std::move(manager));
    stops.push_back(header(kSensitivityStop, left.sensitivity, texts_.sensitivity_setting,
                           sensitivity_expanded_, act(kSensitivityHeader.action)));
    if (sensitivity_expanded_) {
        for (int axis = 0; axis < 2; ++axis) {
            const Rect bar = sensitivity::axis(left.sensitivity.bottom, axis).bar;
            stops.push_back(
                level_stop(kAxisStop + axis, QAccessible::Slider,
                           axis == 0 ? SettingId::kSensitivityX : SettingId::kSensitivityY, bar,
                           [bar](int l) { return slider_point(bar, l); }));
        }
    }

    // The picture's tabs.
    for (const bool front : {true, false}) {
        FocusStop s =
            element_stop(front ? kFrontTabStop : kSideTabStop, front ? kFrontTab : kSideTab);
        s.role = QAccessible::PageTab;
        s.checked = [this, front] { return front_view_ == front; };
        stops.push_back(std::move(s));
    }

    // Right column: every header, those of the other page brought into view when reached.
    for (int i = 0; i < kRightPanelCount; ++i) {
        const int base = kRightStop + kRightStride * i;
        if (!right_column_.visible[i]) {
            FocusStop s = header(base, {}, texts_.*kRightPanels[i].title, right_expanded_[i],
                                 [this, i] { toggle_right(i); });
            s.reveal = [this] {
                page_ = page_ == Page::kUpper ? Page::kLower : Page::kUpper;
                layout_right_column();
                flush();
            };
            stops.push_back(std::move(s));
            continue;
        }
        stops.push_back(header(base, right_header(i), texts_.*kRightPanels[i].title,
                               right_expanded_[i], [this, i] { toggle_right(i); }));
        if (right_expanded_[i]) add_panel_stops(i, base + 1, access, stops);
    }

    // Bottom buttons, then the title bar's.
    stops.push_back(element_stop(kConfigStop, kConfigButton));
    stops.push_back(element_stop(kResetStop, kResetButton));
    stops.push_back(element_stop(kCancelStop, kCancelButton));
    stops.push_back(element_stop(kSaveStop, kSaveButton));
    stops.push_back(element_stop(kHelpStop, kHelpButton, qtext(access.help)));
    stops.push_back(element_stop(kHideStop, kHideButton, qtext(access.minimise)));
    stops.push_back(element_stop(kCloseStop, kCloseButton, qtext(access.close)));
    return stops;
}

void MainWindow::add_panel_stops(int panel, int id, const AccessTexts& access, FocusStops& stops) {
    const int b = right_header(panel).bottom;
    const int width = right_[panel]->body_size().width();
    switch (panel) {
        case kDpi:
            for (int k = 0; k < dpi::kStages; ++k) {
                const Rect bar = dpi::kBars[k];
                const auto point = [bar](int dpi) { return dpi_bar_point(bar, dpi / kDpiStep); };
                FocusStop s = level_stop(id + k, QAccessible::Slider, dpi_setting(k), bar, point);
                s.value->step = kDpiStep;
                s.value->unit = QStringLiteral(" DPI");
                stops.push_back(s);
                if (QLineEdit* box = dpi_panel().box(k)) {
                    s.id = id + dpi::kStages + k;
                    s.role = QAccessible::EditableText;
                    s.name = numbered(access.stage_dpi, k + 1);
                    s.rect = dpi::kBoxes[k];
                    s.widget = box;
                    stops.push_back(s);
                }
                FocusStop colour =
                    button_stop(id + 2 * dpi::kStages + k, dpi::kSwatches[k],
                                control_name(colour_setting(k)),
                                [this, r = dpi::kSwatches[k]] { click_at(centre(r)); });
                colour.value_text = [this, k] { return stage_colour(record_, k).name().toUpper(); };
                stops.push_back(std::move(colour));
            }
            return;
        case kLighting: {
            const std::string_view names[lighting::kModes] = {
                texts_.light_standard, texts_.light_respiration, texts_.light_neon};
            for (int m = 0; m < lighting::kModes; ++m) {
                const lighting::Row row = lighting::row(b, m);
                FocusStop marker = button_stop(id + 2 * m, row.marker, qtext(names[m]),
                                               [this, r = row.marker] { click_at(centre(r)); });
                marker.role = QAccessible::RadioButton;
                marker.checked = [this, m] { return record_.light_mode == m + 1; };
                stops.push_back(std::move(marker));
                FocusStop bar =
                    level_stop(id + 2 * m + 1, QAccessible::Slider, light_level_setting(m + 1),
                               row.bar, [bar = row.bar](int l) { return lighting_point(bar, l); });
                // Read as the scale under the bar reads, not as the stored level.
                bar.value_text = [this, m, get = bar.value->get] {
                    return LightingPanel::scale_text(m, get());
                };
                stops.push_back(std::move(bar));
            }
            return;
        }
        case kReportRate: {
            const Rect dial = report_rate::dial(b, width);
            FocusStop s =
                level_stop(id, QAccessible::Dial, SettingId::kReportRate, dial, [dial](int hz) {
                    return dial_point(dial, report_interval_of_rate(hz).value_or(1));
                });
            s.value->choices = {125, 250, 500, 1000};
            s.value->unit = QStringLiteral(" Hz");
            stops.push_back(std::move(s));
            return;
        }
        case kMouseSpeed:
        case kDoubleClick: {
            const Rect gauge = speed::gauge(b, width).gauge;
            FocusStop s = level_stop(
                id, QAccessible::Dial,
                panel == kMouseSpeed ? SettingId::kPointerSpeed : SettingId::kDoubleClick, gauge,
                [gauge](int l) { return gauge_point(gauge, l); });
            s.value->min = kDoubleClickRange.min;  // the gauge's lowest level
            stops.push_back(std::move(s));
            return;
        }
        case kScrollSpeed: {
            const scroll::Controls c = scroll::controls(b);
            FocusStop lines = button_stop(id, c.lines_marker, control_name(SettingId::kScrollLines),
                                          [this, r = c.lines_marker] { click_at(centre(r)); });
            lines.role = QAccessible::RadioButton;
            lines.checked = [this] { return record_.scroll_by_page == 0; };
            stops.push_back(lines);
            if (QLineEdit* box = scroll_panel().box()) {
                FocusStop s;
                s.id = id + 1;
                s.role = QAccessible::SpinBox;
                s.name = control_name(SettingId::kScrollLines);
                s.rect = c.box;
                s.widget = box;
                StopValue v;
                v.min = kScrollLinesRange.min;
                v.max = kScrollLinesRange.max;
                v.get = [this] { return static_cast<int>(record_.scroll_lines); };
                // The box's own arrows, clicked as often as it takes.
                v.set = [this, c](int lines_wanted) {
                    while (record_.scroll_lines < lines_wanted && record_.scroll_lines < 100)
                        click_at(centre(c.up));
                    while (record_.scroll_lines > lines_wanted && record_.scroll_lines > 1)
                        click_at(centre(c.down));
                };
                s.value = std::move(v);
                stops.push_back(std::move(s));
            }
            FocusStop page =
                button_stop(id + 2, c.page_marker, control_name(SettingId::kScrollPage),
                            [this, r = c.page_marker] { click_at(centre(r)); });
            page.role = QAccessible::RadioButton;
            page.checked = [this] { return record_.scroll_by_page != 0; };
            stops.push_back(std::move(page));
            return;
        }
        case kAngleSnap: {
            const Rect bar = angle_snap::controls(b).bar;
            stops.push_back(level_stop(id, QAccessible::Slider, SettingId::kAngleSnap, bar,
                                       [bar](int l) { return slider_point(bar, l); }));
            return;
        }
        default: return;
    }
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
