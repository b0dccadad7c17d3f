// The main window driven by clicks at window coordinates, as a user would, against the
// simulated mouse: what the record holds and what the window shows afterwards.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "core/device/simulated_mouse.h"
#include "core/flows/profile_files.h"
#include "gui/app/application.h"
#include "gui/buttons/function_lists.h"
#include "gui/layout/panel_layout.h"
#include "gui/panels/dpi_panel.h"
#include "gui/panels/scroll_panel.h"
#include "gui/skin/image_button.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;

using MainWindowTest = test::WindowTest;

TEST_F(MainWindowTest, RightColumnAccordionHidesAndPagesAsTheHeadersAreClicked) {
    click(right_header(32));  // "DPI Setting"
    EXPECT_TRUE(window().right_expanded(kDpi));
    const Rect lighting = window().right_header(kLighting);
    EXPECT_EQ(lighting.top, 52 + window().dpi_panel().body_size().height() + 5);

    const Rect rate = window().right_header(kReportRate);
    click(rate);
    EXPECT_TRUE(window().right_expanded(kReportRate));
    for (int i = kMouseSpeed; i <= kAngleSnap; ++i) EXPECT_FALSE(window().header_visible(i)) << i;

    // Where "Mouse Speed" was before, a click changes nothing.
    click(right_header(107));
    for (int i = kMouseSpeed; i <= kAngleSnap; ++i) EXPECT_FALSE(window().right_expanded(i));

    // The thumb dragged to the lower half shows the lower page, "Mouse Speed" on top.
    ImageButton* thumb = window().thumb();
    ASSERT_NE(thumb, nullptr);
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(3, 20));
    for (int step = 0; step < 40; ++step) QTest::mouseMove(thumb, QPoint(3, 30));  // 10 down each
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(3, 30));
    EXPECT_EQ(window().page(), Page::kLower);
    EXPECT_EQ(window().right_header(kMouseSpeed).top, 32);
    EXPECT_FALSE(window().header_visible(kDpi));
    EXPECT_EQ(window().dpi_panel().box(0), nullptr);  // the DPI boxes are gone with the page

    // Clicking the old DPI header position now toggles "Mouse Speed" instead.
    click(right_header(32));
    EXPECT_TRUE(window().right_expanded(kMouseSpeed));
    EXPECT_TRUE(window().right_expanded(kDpi));
}

TEST_F(MainWindowTest, DpiBarsBoxesAndSwatchesEditTheRecord) {
    click(right_header(32));
    DpiPanel& dpi = window().dpi_panel();
    ASSERT_NE(dpi.box(0), nullptr);
    const QImage before = shot(dpi::kBars[0]);

    click(dpi::kBars[0].left + 5, dpi::kBars[0].bottom - 2);  // one pixel above the bottom edge
    EXPECT_EQ(record().dpi_stage[0], 2);
    EXPECT_EQ(dpi.box(0)->text(), "100");
    EXPECT_NE(shot(dpi::kBars[0]), before);
    click(dpi::kBars[1].left + 5, dpi::kBars[1].top + 12);
    EXPECT_EQ(record().dpi_stage[1], 100);
    EXPECT_EQ(dpi.box(1)->text(), "5000");
    // A screen reader finds the bar usable, at the value the click set.
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window());
    QAccessibleInterface* bar = nullptr;
    for (int i = 0; frame != nullptr && i < frame->childCount(); ++i) {
        if (QAccessibleInterface* c = frame->child(i); c && c->text(QAccessible::Name) == "Stage 2")
            bar = c;
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->state().disabled);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 5000);

    type_into(dpi.box(2), "175");
    EXPECT_EQ(record().dpi_stage[2], 3);
    EXPECT_EQ(dpi.box(2)->text(), "175");
    type_into(dpi.box(2), "6000");
    EXPECT_EQ(dpi.box(2)->text(), "5000");
    EXPECT_EQ(record().dpi_stage[2], 100);
    // What is not a digit is not taken: the box keeps showing the number stored.
    const QString shown = dpi.box(3)->text();
    type_into(dpi.box(3), "abc");
    EXPECT_EQ(dpi.box(3)->text(), shown);
    EXPECT_EQ(QString::number(record().dpi_stage[3] * 50), shown);
    dpi.box(3)->clear();  // no number at all: the lowest, once the box is left
    emit dpi.box(3)->editingFinished();
    EXPECT_EQ(dpi.box(3)->text(), "100");
    EXPECT_EQ(record().dpi_stage[3], 2);
    // A value typed digit by digit is not rewritten half way ("8" of "800").
    type_into(dpi.box(3), "800");
    EXPECT_EQ(dpi.box(3)->text(), "800");
    EXPECT_EQ(record().dpi_stage[3], 16);

    // The system's colour dialog opens at the stage's colour; its choice is stored.
    store_stage_colour(record(), 1, QColor(10, 200, 30));
    QColor offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(255, 128, 0));
        dialog->accept();
    });
    click(dpi::kSwatches[1]);
    EXPECT_EQ(offered, QColor(10, 200, 30));
    EXPECT_EQ(record().stage_colour[1][0], 255);
    EXPECT_EQ(record().stage_colour[1][1], 0);
    EXPECT_EQ(record().stage_colour[1][2], 128);
    dpi.choose_colour = [](QWidget*, const QColor&) {
        return std::optional<QColor>();
    };  // cancelled
    click(dpi::kSwatches[1]);
    EXPECT_EQ(record().stage_colour[1][0], 255);

    click(right_header(32));  // collapsing removes the boxes; expanding shows the record again
    EXPECT_EQ(dpi.box(0), nullptr);
    click(right_header(32));
    EXPECT_EQ(dpi.box(2)->text(), "5000");
    EXPECT_EQ(dpi.box(3)->text(), "800");
}

TEST_F(MainWindowTest, LightingRateAndPointerPanelsSetTheirFields) {
    click(right_header(57));  // "Lighting"
    const Rect lighting = window().right_header(kLighting);
    const lighting::Row respiration = lighting::row(lighting.bottom, 1);
    click(respiration.marker);
    EXPECT_EQ(record().light_mode, 2);
    click(respiration.bar.left + 3, respiration.bar.top + 2);
    EXPECT_EQ(record().light_param_2, 1);
    click(respiration.bar.left + 124, respiration.bar.top + 2);
    EXPECT_EQ(record().light_param_2, 6);
    click(lighting);  // collapsed again: the old bar position does nothing
    click(respiration.bar.left + 50, respiration.bar.top + 2);
    EXPECT_EQ(record().light_param_2, 6);

    click(window().right_header(kReportRate));
    const Rect dial = report_rate::dial(window().right_header(kReportRate).bottom, 242);
    const int cx = dial.left + 64, cy = dial.top + 64;
    click(cx + 30, cy - 40);  // distance 50, upper right
    EXPECT_EQ(record().report_interval, 1);
    click(cx - 30, cy + 40);
    EXPECT_EQ(record().report_interval, 4);
    click(cx + 20, cy - 20);  // inside the inner radius
    EXPECT_EQ(record().report_interval, 4);
    click(window().right_header(kReportRate));

    click(window().right_header(kMouseSpeed));
    const speed::Gauge g = speed::gauge(window().right_header(kMouseSpeed).bottom, 242);
    click(g.gauge.left + 71, g.gauge.top + 71 - 50);
    EXPECT_EQ(record().pointer_speed, 7);
    click(g.gauge.left + 71 - 50, g.gauge.top + 71);
    EXPECT_EQ(record().pointer_speed, 2);
    click(window().right_header(kMouseSpeed));

    click(window().right_header(kScrollSpeed));
    const scroll::Controls s = scroll::controls(window().right_header(kScrollSpeed).bottom);
    QLineEdit* lines = window().scroll_panel().box();
    ASSERT_NE(lines, nullptr);
    click(s.page_marker);
    EXPECT_EQ(record().scroll_by_page, 1);
    EXPECT_FALSE(lines->isEnabled());
    const int before = record().scroll_lines;
    click(s.up);  // the arrows work on a disabled box too
    EXPECT_EQ(record().scroll_lines, std::min(before + 1, 100));
    EXPECT_EQ(lines->text(), QString::number(record().scroll_lines));
    click(s.lines_marker);
    EXPECT_TRUE(lines->isEnabled());
    type_into(lines, "101");
    EXPECT_EQ(lines->text(), "1");
    EXPECT_EQ(record().scroll_lines, 1);
    type_into(lines, "7");
    type_into(lines, "-5");  // a negative entry becomes 1, shown and stored
    EXPECT_EQ(lines->text(), "1");
    EXPECT_EQ(record().scroll_lines, 1);
    click(s.down);
    EXPECT_EQ(record().scroll_lines, 1);
    type_into(lines, "12abc");
    EXPECT_EQ(lines->text(), "12");
    EXPECT_EQ(record().scroll_lines, 12);
    click(window().right_header(kScrollSpeed));

    click(window().right_header(kAngleSnap));
    const Rect bar = angle_snap::controls(window().right_header(kAngleSnap).bottom).bar;
    click(bar.right - 1, bar.top + 4);
    EXPECT_EQ(record().angle_snap_level, 10);
    click(bar.left + 9, bar.top + 4);
    EXPECT_EQ(record().angle_snap_level, 2);

    const LeftColumn left = window().left_column();
    click(left.sensitivity);
    const sensitivity::Axis x = sensitivity::axis(window().left_column().sensitivity.bottom, 0);
    click(x.bar.right - 1, x.bar.top + 4);
    EXPECT_EQ(record().sensitivity_x, 11);
}

TEST_F(MainWindowTest, LeftColumnMovesAndTheBoxesReactOnlyWhileExpanded) {
    int managers = 0;
    window().on_macro_manager = [&] { ++managers; };
    click(dropdown_box(5));  // collapsed: no box there
    EXPECT_EQ(window().function_lists().open_button(), -1);
    click(kMacroManagerItem.rect);
    EXPECT_EQ(managers, 1);

    click(kButtonAssignmentHeader.rect);
    const LeftColumn left = window().left_column();
    EXPECT_EQ(left.macro_manager.top, 132 + 195);
    click(kMacroManagerItem.rect);  // the old place is now the boxes' body
    EXPECT_EQ(managers, 1);
    click(left.macro_manager);
    EXPECT_EQ(managers, 2);
    click(dropdown_box(5));
    EXPECT_EQ(window().function_lists().open_button(), 5);
}

TEST_F(MainWindowTest, SaveSendsOnceWithinTheLockAndCancelBringsBackTheSavedValues) {
    click(right_header(32));
    click(dpi::kBars[0].left + 5, 150);  // value 52: 2600 DPI
    ASSERT_EQ(record().dpi_stage[0], 52);
    SimulatedMouse* mouse = app_->session().link()->simulated();
    ASSERT_NE(mouse, nullptr);
    mouse->clear_log();
    click(kSaveButton.rect);
    EXPECT_TRUE(window().save_locked());
    click(kSaveButton.rect);  // within the lock: nothing more is sent
    WAIT_UNTIL_MS(!window().save_locked(), 10000);
    int uploads = 0;  // each upload starts with command 0x02
    for (const WireReport& r : mouse->log())
        uploads += r.kind == ReportKind::kSetFeature && r.bytes.size() > 1 && r.bytes[1] == 0x02;
    EXPECT_EQ(uploads, 1);
    EXPECT_EQ(mouse->slot(0).parameters[param::kDpiTable1], 52);
    const Result<ProfileImage> saved =
        read_profile_image(data_.path().toStdString() + "/config0.bin");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->record.dpi_stage[0], 52);

    const QImage saved_bar = shot(dpi::kBars[0]);
    click(dpi::kBars[0].left + 5, 180);
    EXPECT_NE(record().dpi_stage[0], 52);
    click(kCancelButton.rect);
    EXPECT_TRUE(!window().isVisible() || window().isMinimized());  // minimised without a tray
    EXPECT_EQ(record().dpi_stage[0], 52);
    EXPECT_EQ(window().dpi_panel().box(0)->text(), "2600");  // shown before any restore
    EXPECT_EQ(shot(dpi::kBars[0]), saved_bar);
    app_->restore_from_tray();
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(record().dpi_stage[0], 52);
}

TEST_F(MainWindowTest, HoverShowsTheOverLookAndRestoresTheIdleOne) {
    const QImage idle = shot(kSaveButton.rect);
    QTest::mouseMove(window().windowHandle(), QPoint(950, 620));
    WAIT_UNTIL_MS(shot(kSaveButton.rect) != idle, 2000);
    QTest::mouseMove(window().windowHandle(), QPoint(700, 620));
    EXPECT_EQ(shot(kSaveButton.rect), idle);

    // The boxes show no hover while "Button Assignment" is collapsed.
    const QImage column = shot(dropdown_box(6));
    QTest::mouseMove(window().windowHandle(), QPoint(180, 280));
    WAIT_UNTIL_MS(!window().hover_pending(), 2000);
    EXPECT_EQ(shot(dropdown_box(6)), column);
}

TEST_F(MainWindowTest, HelpOpensAndClosesAndTabsSwitchTheView) {
    std::vector<bool> help;
    window().on_help = [&](bool open) { help.push_back(open); };
    click(kHelpButton.rect);
    click(kHelpButton.rect);
    click(kHelpButton.rect);
    click(500, 300);  // anywhere else closes it too
    EXPECT_EQ(help, (std::vector<bool>{true, false, true, false}));

    const QImage front = shot(kMouseArea.rect);
    click(kSideTab.rect);
    EXPECT_FALSE(window().front_view());
    EXPECT_NE(shot(kMouseArea.rect), front);
    click(kFrontTab.rect);
    EXPECT_EQ(shot(kMouseArea.rect), front);
}

}  // namespace
}  // namespace p330::gui
