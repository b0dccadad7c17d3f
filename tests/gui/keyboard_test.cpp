// The main window without a pointer: Tab alone walks every element in reading order, and each
// element's Enter, Space or value keys change the record and the picture as its click does.
#include <QAccessible>
#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <cstring>
#include <optional>

#include "core/buttons/button_code.h"
#include "core/settings/settings_catalogue.h"
#include "dialog_driving.h"
#include "gui/access/focus_ring.h"
#include "gui/app/dialog_launchers.h"
#include "gui/buttons/function_lists.h"
#include "gui/dialogs/help_panel.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/layout/focus_order.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/dpi_panel.h"
#include "gui/skin/image_button.h"
#include "gui/skin/texts.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;

class KeyboardTest : public test::KeyboardWindowTest {
  protected:
    QString at() { return window().focus_ring().current()->name; }
    // Tab until the stop named `name` (its n-th of that name) has the focus.
    void tab_to(const QString& name, int nth = 1) {
        for (int i = 0; i < 80; ++i) {
            key(Qt::Key_Tab);
            if (at() == name && --nth == 0) return;
        }
        FAIL() << "Tab never reached " << name.toStdString();
    }
    std::string label(int b) { return app_->controller().labels()[b]; }
    // The window's element of that name, as a screen reader finds it.
    QAccessibleInterface* accessible(const QString& name) {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window());
        for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
            if (QAccessibleInterface* c = root->child(i); c && c->text(QAccessible::Name) == name)
                return c;
        }
        return nullptr;
    }
};

// Every setting the window has a control for, found by walking the catalogue: with its panel
// open, Tab reaches a stop named as its catalogue entry names it.
TEST_F(KeyboardTest, EverySettingOfTheWindowHasAFocusStopOfItsName) {
    const Language language = app_->controller().language();
    int reached = 0;
    for (const SettingEntry& entry : settings_catalogue()) {
        const QString name = QString::fromStdString(entry.accessible_name(language));
        if (name.isEmpty()) continue;  // set by files and p330ctl only
        tab_to(qtext(ui_texts(language).*entry.panel));
        const FocusStop* header = window().focus_ring().current();
        if (header->expanded && !header->expanded()) key(Qt::Key_Return);
        tab_to(name);
        if (at() == name) ++reached;
        EXPECT_EQ(at(), name) << entry.key;
    }
    EXPECT_GT(reached, kButtonCount);  // the buttons and the panels' settings
}

// The window's stops are the rows of its focus-order table that it shows, in the table's
// order; and every place where a click changes the record lies in one of them, so a painted
// control the table lacks fails here (the pointer alone would reach it).
TEST_F(KeyboardTest, TheStopsAreTheFocusOrderTableAndHoldEveryControl) {
    window().dpi_panel().choose_colour = [](QWidget*, const QColor& now) {
        return std::optional<QColor>(QColor::fromRgb(now.rgb() ^ 0x010101u));
    };
    FocusRing& ring = window().focus_ring();
    Columns columns;
    const auto check = [&](const char* state) {
        ring.refresh();
        for (int i = 0; i < kRightPanelCount; ++i) {
            columns.expanded[i] = window().right_expanded(i);
            columns.right.visible[i] = window().header_visible(i);
        }
        std::vector<int> want, have;
        for (const MainStop& row : main_focus_order()) {
            if (shown(row, columns)) want.push_back(stop_id(row));
        }
        for (const FocusStop& stop : ring.stops()) have.push_back(stop.id);
        EXPECT_EQ(have, want) << state;
        // Clicks over the open bodies, from a header's bottom to the next header or the end,
        // every 6 pixels: the smallest control, a scroll arrow, is 6 high and 10 wide.
        std::vector<Rect> bodies;
        const LeftColumn left = window().left_column();
        if (columns.sensitivity)
            bodies.push_back({left.sensitivity.left, left.sensitivity.bottom,
                              left.sensitivity.right, kTrackBottom});
        for (int i = 0; i < kRightPanelCount; ++i) {
            if (!columns.right.visible[i] || !columns.expanded[i]) continue;
            int end = kTrackBottom;
            for (int j = i + 1; j < kRightPanelCount; ++j) {
                if (columns.right.visible[j]) end = std::min(end, window().right_header(j).top);
            }
            bodies.push_back({kRightLeft, window().right_header(i).bottom, kRightRight, end});
        }
        for (const Rect& body : bodies) {
            for (int y = body.top; y < body.bottom; y += 6) {
                for (int x = body.left; x < body.right; x += 6) {
                    const SettingsRecord before = record();
                    click(x, y);
                    if (std::memcmp(&before, &record(), sizeof before) == 0) continue;
                    const Point p{x, y};
                    EXPECT_TRUE(std::any_of(ring.stops().begin(), ring.stops().end(),
                                            [p](const FocusStop& s) { return s.rect.contains(p); }))
                        << state << ": a click at " << x << "," << y << " sets what no stop has";
                }
            }
        }
    };
    check("collapsed");
    const auto press = [&](const QString& name) {
        for (const FocusStop& stop : ring.stops()) {
            if (stop.name == name && stop.expanded) return ring.press(stop.id);
        }
        ADD_FAILURE() << "no header " << name.toStdString();
    };
    press("Button Assignment");
    press("X/Y Sensitivity Setting");
    columns.assignment = columns.sensitivity = true;
    for (const char* header : {"DPI Setting", "Lighting", "USB Report Rate"}) press(header);
    check("upper page");
    for (const char* header : {"Mouse Speed", "Double Click Speed", "Scroll Speed", "Angle Snap"})
        press(header);
    ASSERT_EQ(window().page(), Page::kLower);
    check("lower page");
}

TEST_F(KeyboardTest, TabWalksInReadingOrderAndEveryKeyActsAsTheClick) {
    const QStringList order = {"Button Assignment",
                               "Macro Manager",
                               "X/Y Sensitivity Setting",
                               "Front",
                               "Side",
                               "DPI Setting",
                               "Lighting",
                               "USB Report Rate",
                               "Mouse Speed",
                               "Double Click Speed",
                               "Scroll Speed",
                               "Angle Snap",
                               "Config",
                               "Reset",
                               "Cancel",
                               "Save",
                               "Help",
                               "Minimise",
                               "Close"};
    QStringList walked;
    for (int i = 0; i <= order.size(); ++i) {
        key(Qt::Key_Tab);
        walked << at();
    }
    EXPECT_EQ(walked.mid(0, order.size()), order);
    EXPECT_EQ(walked.last(), "Button Assignment");  // round the window
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(at(), "Close");

    // A button's box: Enter opens its list, the arrows move, Enter commits; Right enters a
    // sub-list; Esc closes without a choice. The focus stays on the box throughout.
    tab_to("Button Assignment");
    key(Qt::Key_Return);
    tab_to("Button 2");
    key(Qt::Key_Return);
    ASSERT_EQ(window().function_lists().open_button(), 1);
    EXPECT_EQ(window().function_lists().list()->currentRow(), kKindMenu);  // its function
    key(Qt::Key_Home);
    for (int i = 0; i < kKindDoubleClick; ++i) key(Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(record().button_kind[1], kKindDoubleClick);
    EXPECT_EQ(label(1), "Double Click");
    EXPECT_EQ(at(), "Button 2");
    key(Qt::Key_Down);
    key(Qt::Key_Home);
    for (int i = 0; i < kKindCpiCycle; ++i) key(Qt::Key_Down);
    key(Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), window().function_lists().sub_list());
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(label(1), "DPI -");
    key(Qt::Key_Space);
    key(Qt::Key_Escape);
    EXPECT_EQ(window().function_lists().open_button(), -1);
    EXPECT_EQ(label(1), "DPI -");
    EXPECT_TRUE(window().isVisible());  // Esc never closes the window

    // A DPI bar set by keys: the same record and the same picture as the click that sets it.
    tab_to("DPI Setting");
    key(Qt::Key_Return);
    ASSERT_TRUE(window().right_expanded(kDpi));
    click(780, 150);  // 2600 DPI
    const QImage clicked = shot(dpi::kBars[0]);
    tab_to("Stage 1");
    key(Qt::Key_Home);
    EXPECT_EQ(record().dpi_stage[0], 2);
    key(Qt::Key_End);
    EXPECT_EQ(record().dpi_stage[0], 100);
    key(Qt::Key_Home);
    key(Qt::Key_PageUp);  // a quarter: 24 steps of 50
    key(Qt::Key_PageUp);
    key(Qt::Key_Right);
    key(Qt::Key_Up);
    EXPECT_EQ(record().dpi_stage[0], 52);
    EXPECT_EQ(shot(dpi::kBars[0]), clicked);
    EXPECT_EQ(window().dpi_panel().box(0)->text(), "2600");
    key(Qt::Key_Tab);  // the stage's box: its arrows step the stage too
    EXPECT_TRUE(window().dpi_panel().box(0)->hasFocus());
    key(Qt::Key_Up);
    EXPECT_EQ(record().dpi_stage[0], 53);
    // A screen reader's actions on the bar step it as the arrows do.
    QAccessibleInterface* bar = accessible("Stage 1");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(bar->actionInterface(), nullptr);
    // Actions run once the call has returned, as a click would.
    bar->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(record().dpi_stage[0], 54);
    EXPECT_EQ(window().dpi_panel().box(0)->text(), "2700");
    bar->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCoreApplication::processEvents();
    bar->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(record().dpi_stage[0], 52);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 2600);

    // Lighting: the mode markers as radio buttons, the levels as sliders.
    tab_to("Lighting");
    key(Qt::Key_Space);
    ASSERT_TRUE(window().right_expanded(kLighting));
    tab_to("Neon");
    key(Qt::Key_Space);
    EXPECT_EQ(record().light_mode, 3);
    key(Qt::Key_Tab);
    key(Qt::Key_End);
    key(Qt::Key_Left);
    EXPECT_EQ(record().light_param_3, 5);

    // The report-rate dial steps through its four rates.
    tab_to("USB Report Rate");
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    key(Qt::Key_Home);
    EXPECT_EQ(record().report_interval, 8);  // 125 Hz
    key(Qt::Key_Right);
    EXPECT_EQ(record().report_interval, 4);  // 250 Hz

    // Reaching a header of the other page brings that page into view; every gauge level.
    ASSERT_FALSE(window().header_visible(kMouseSpeed));
    tab_to("Mouse Speed");
    EXPECT_EQ(window().page(), Page::kLower);
    // Shift+Tab retraces Tab: back on the other page, at the open panel's last stop.
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(window().page(), Page::kUpper);
    EXPECT_EQ(window().focus_ring().current()->role, QAccessible::Dial);
    key(Qt::Key_Tab);
    EXPECT_EQ(at(), "Mouse Speed");
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    key(Qt::Key_Home);
    EXPECT_EQ(record().pointer_speed, 2);
    for (int level = 3; level <= 12; ++level) {
        key(Qt::Key_Right);
        EXPECT_EQ(record().pointer_speed, level);
    }
    tab_to("Scroll Speed");
    key(Qt::Key_Return);
    tab_to("Scroll one screen");
    key(Qt::Key_Space);
    EXPECT_EQ(record().scroll_by_page, 1);
    // Left column.
    tab_to("X/Y Sensitivity Setting");
    key(Qt::Key_Return);
    tab_to("Y axis");
    key(Qt::Key_Home);
    EXPECT_EQ(record().sensitivity_y, 1);
    key(Qt::Key_End);
    EXPECT_EQ(record().sensitivity_y, 11);

    // The side tab, F1 and Esc for help, Ctrl+S for Save.
    tab_to("Side");
    key(Qt::Key_Return);
    EXPECT_FALSE(window().front_view());
    auto* launchers = window().findChild<DialogLaunchers*>();
    key(Qt::Key_F1);
    ASSERT_NE(launchers->help_panel(), nullptr);
    EXPECT_TRUE(launchers->help_panel()->isVisible());
    key(Qt::Key_Escape);
    EXPECT_TRUE(launchers->help_panel() == nullptr || !launchers->help_panel()->isVisible());
    EXPECT_FALSE(window().save_locked());
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(window().save_locked());
    EXPECT_TRUE(window().isVisible());
}

// A screen reader's actions on the main window: each runs what the click runs, returns before
// it does (a dialog it opens does not hold the caller), and none reaches the window while a
// dialog of its own is modal over it.
TEST_F(KeyboardTest, ScreenReaderActionsActAsClicksAndReturnAtOnce) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window());
    ASSERT_NE(frame, nullptr);
    const auto element = [frame](const QString& name) -> QAccessibleInterface* {
        for (int i = 0; i < frame->childCount(); ++i) {
            QAccessibleInterface* e = frame->child(i);
            if (e != nullptr && e->text(QAccessible::Name) == name) return e;
        }
        return nullptr;
    };
    const auto act = [&](const QString& name, const QString& action) {
        QAccessibleInterface* e = element(name);
        if (e == nullptr || e->actionInterface() == nullptr) {
            ADD_FAILURE() << "no element " << name.toStdString();
            return;
        }
        e->actionInterface()->doAction(action);
    };
    const QString press = QAccessibleActionInterface::pressAction();

    // Every header, the other page's too: open, as its click opens it.
    for (int panel = 0; panel < kRightPanelCount; ++panel) {
        const QString title = qtext(ui_texts(Language::kEnglish).*kRightPanels[panel].title);
        act(title, press);
        EXPECT_FALSE(window().right_expanded(panel)) << "ran inside the call";
        WAIT_UNTIL(window().right_expanded(panel)) << title.toStdString();
        EXPECT_TRUE(window().header_visible(panel)) << title.toStdString();
    }
    EXPECT_EQ(window().page(), Page::kLower);
    EXPECT_GT(window().thumb()->y(), (kTrackTop + kTrackBottom) / 2);  // the thumb shows it
    act("Side", QAccessibleActionInterface::toggleAction());
    WAIT_UNTIL(!window().front_view());
    const int stage = record().dpi_stage[0];
    act("DPI Setting", press);  // back closed, on the upper page
    WAIT_UNTIL(!window().right_expanded(kDpi));
    act("DPI Setting", press);
    WAIT_UNTIL(window().right_expanded(kDpi));
    act("Stage 1", QAccessibleActionInterface::increaseAction());
    WAIT_UNTIL(record().dpi_stage[0] == stage + 1);

    // "Page" shows the other page, as the thumb dragged there does (two panels are open).
    const Page before = window().page();
    QAccessibleInterface* page = QAccessible::queryAccessibleInterface(window().thumb());
    ASSERT_TRUE(page != nullptr && page->actionInterface() != nullptr);
    page->actionInterface()->doAction(press);
    WAIT_UNTIL(window().page() != before);
    page->actionInterface()->doAction(press);
    WAIT_UNTIL(window().page() == before);

    // A lighting bar reads as its scale: the end levels as the marks at the bar's ends.
    ASSERT_TRUE(window().right_expanded(kLighting) && window().header_visible(kLighting));
    QAccessibleInterface* standard = nullptr;  // the bar beside the "Standard" marker
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* e = frame->child(i);
        if (e != nullptr && e->role() == QAccessible::Slider &&
            e->text(QAccessible::Name) == "Standard")
            standard = e;
    }
    ASSERT_TRUE(standard != nullptr && standard->valueInterface() != nullptr);
    standard->valueInterface()->setCurrentValue(6);
    WAIT_UNTIL(standard->text(QAccessible::Value) == QStringLiteral("100%"))
        << standard->text(QAccessible::Value).toStdString();
    standard->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    WAIT_UNTIL(record().light_param_1 == 5) << record().light_param_1;
    EXPECT_EQ(standard->text(QAccessible::Value), QStringLiteral("75%"));

    // A function list's entry: Toggle chooses it as its click does, the list then closes;
    // so does Toggle on a sub-list's entry.
    act("Button Assignment", press);
    WAIT_UNTIL(element("Button 4") != nullptr);
    act("Button 4", press);
    WAIT_UNTIL(window().function_lists().open_button() == 3)
        << window().function_lists().open_button();
    QAccessibleInterface* list =
        QAccessible::queryAccessibleInterface(window().function_lists().list());
    ASSERT_TRUE(list != nullptr && list->child(kKindDoubleClick) != nullptr);
    ASSERT_NE(list->child(kKindDoubleClick)->actionInterface(), nullptr);
    list->child(kKindDoubleClick)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    WAIT_UNTIL(label(3) == "Double Click") << label(3);
    EXPECT_EQ(window().function_lists().open_button(), -1);
    act("Button 4", press);
    WAIT_UNTIL(window().function_lists().open_button() == 3)
        << window().function_lists().open_button();
    window().function_lists().hover_entry(kKindCpiCycle);  // its sub-list opens beside it
    WAIT_UNTIL(window().function_lists().sub_list() != nullptr);
    QListWidget* sub_list = window().function_lists().sub_list();
    EXPECT_EQ(sub_list->visualItemRect(sub_list->item(0)).height(), layout::kListEntryHeight)
        << "a sub-list's rows as high as the list's";
    QAccessibleInterface* sub = QAccessible::queryAccessibleInterface(sub_list);
    ASSERT_TRUE(sub != nullptr && sub->child(1) != nullptr);
    sub->child(1)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    WAIT_UNTIL(label(3) == "DPI -") << label(3);
    EXPECT_EQ(window().function_lists().open_button(), -1);

    // The macro manager opens after the call has returned; while it is open, the main
    // window's Cancel (which would hide it with the window) and its tabs are not reached.
    bool opened = false;
    test::when_shown<MacroManagerDialog>([&](MacroManagerDialog* manager) {
        opened = true;
        act("Cancel", press);
        act("Front", QAccessibleActionInterface::toggleAction());
        QApplication::processEvents();
        EXPECT_TRUE(manager->isVisible());
        EXPECT_TRUE(window().isVisible());
        EXPECT_FALSE(window().front_view());
        manager->reject();
    });
    act("Macro Manager", press);
    EXPECT_FALSE(opened) << "the dialog ran inside the call";
    WAIT_UNTIL(opened);
}

}  // namespace
}  // namespace p330::gui
