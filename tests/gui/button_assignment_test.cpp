// Giving buttons their functions through the lists, sub-lists and key dialogs, with clicks,
// pointer moves and key events that carry physical scan codes.
#include <QLabel>
#include <QListWidget>
#include <fstream>

#include "core/buttons/button_code.h"
#include "core/buttons/function_catalogue.h"
#include "core/buttons/key_tables.h"
#include "dialog_driving.h"
#include "gui/buttons/function_lists.h"
#include "gui/dialogs/key_capture_dialogs.h"
#include "gui/dialogs/macro_key_dialog.h"
#include "gui/layout/main_layout.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;

using namespace test::evdev;

using test::press_and_release;
using test::with_dialog;

class ButtonAssignmentTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        click(kButtonAssignmentHeader.rect);
        lists().warn = [this](const QString& caption, const QString& text) {
            warnings << caption + ": " + text;
        };
    }
    FunctionLists& lists() { return window().function_lists(); }
    std::string& label(int button) { return app_->controller().labels()[button]; }
    QPoint row_centre(QListWidget* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }
    void pick(int button, int row) {
        click(dropdown_box(button));
        ASSERT_EQ(lists().open_button(), button);
        QTest::mouseClick(lists().list()->viewport(), Qt::LeftButton, {},
                          row_centre(lists().list(), row));
    }
    void hover(int row) {
        QTest::mouseMove(lists().list()->viewport(), row_centre(lists().list(), row));
    }
    QStringList warnings;
};

TEST_F(ButtonAssignmentTest, EveryPlainFunctionAndSubListItemCommitsItsCodeAndLabel) {
    for (ButtonKind kind : {kKindMenu, kKindIeForward, kKindIeBackward, kKindDoubleClick,
                            kKindButtonOff, kKindClick}) {
        pick(1, kind);
        EXPECT_EQ(record().button_kind[1], kind);
        EXPECT_EQ(label(1), function_name(kind, Language::kEnglish));
        EXPECT_EQ(lists().open_button(), -1);
    }
    struct Sub {
        int anchor;
        SubListId id;
        QSize size;
        std::uint8_t (SettingsRecord::*field)[kButtonCount];
    };
    const Sub subs[] = {{2, SubListId::kScrollSelect, {110, 60}, &SettingsRecord::button_mouse},
                        {6, SubListId::kCpiCycle, {60, 60}, &SettingsRecord::button_dpi},
                        {7, SubListId::kMultimedia, {90, 130}, &SettingsRecord::button_media},
                        {8, SubListId::kHotKey, {60, 162}, &SettingsRecord::button_hotkey},
                        {9, SubListId::kWindows, {90, 114}, &SettingsRecord::button_special}};
    for (const Sub& s : subs) {
        click(dropdown_box(2));
        hover(s.anchor);
        QListWidget* sub = lists().sub_list();
        ASSERT_NE(sub, nullptr) << s.anchor;
        // The layout's size, wider only where an entry would otherwise be cut.
        EXPECT_EQ(sub->height(), s.size.height());
        EXPECT_GE(sub->width(), s.size.width());
        for (int row = 0; row < sub->count(); ++row) {
            EXPECT_LE(sub->fontMetrics().horizontalAdvance(sub->item(row)->text()),
                      sub->viewport()->width())
                << sub->item(row)->text().toStdString();
        }
        QTest::mouseClick(sub->viewport(), Qt::LeftButton, {}, row_centre(sub, 1));
        EXPECT_EQ(record().button_kind[2], sub_list_kind(s.id));
        EXPECT_EQ((record().*s.field)[2], sub_list_value(s.id, 1)) << s.anchor;
        EXPECT_EQ(label(2), sub_list_items(s.id)[1].in(Language::kEnglish));
        EXPECT_EQ(lists().list(), nullptr);
    }

    // Hovering moves the sub-list with the anchor; the anchor itself commits nothing.
    click(dropdown_box(3));
    hover(2);
    ASSERT_NE(lists().sub_list(), nullptr);
    hover(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(lists().sub_list(), nullptr);
    const std::uint8_t before = record().button_kind[3];
    QTest::mouseClick(lists().list()->viewport(), Qt::LeftButton, {},
                      row_centre(lists().list(), 2));
    EXPECT_EQ(record().button_kind[3], before);
    EXPECT_EQ(lists().open_button(), 3);
    click(dropdown_box(3));  // a second click on the box closes it
    EXPECT_EQ(lists().open_button(), -1);
}

TEST_F(ButtonAssignmentTest, TheLastLeftKeyCannotBeChanged) {
    // Only button 1 is on "Click" in the shipped profile.
    click(dropdown_box(0));
    EXPECT_EQ(lists().open_button(), -1);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], "Warning: Left key must be selected!");
    pick(1, kKindClick);
    click(dropdown_box(0));
    EXPECT_EQ(lists().open_button(), 0);
    click(700, 600);  // anywhere else closes it
    EXPECT_EQ(lists().open_button(), -1);
}

TEST_F(ButtonAssignmentTest, SingleKeyIsThePhysicalKeyAndEnterDoesNotEndTheDialog) {
    int reached_dialog = 0;
    with_dialog<SingleKeyDialog>([&](SingleKeyDialog& d) {
        struct Counter : QObject {
            int& n;
            explicit Counter(int& count) : n(count) {}
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress) ++n;
                return false;
            }
        };
        auto* counter = new Counter(reached_dialog);
        counter->setParent(&d);
        d.installEventFilter(counter);
        press_and_release(&d, kEnter, Qt::Key_Return, "\r");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.key_name(), "Enter");
        press_and_release(&d, kLeftMeta, Qt::Key_Meta, "");
        EXPECT_EQ(d.key_name(), "Left Windows");
        EXPECT_EQ(reached_dialog, 0);
        press_and_release(&d, kRightMeta, Qt::Key_Meta, "");
        const QLabel* name = d.findChild<QLabel*>();
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "Right Windows");  // and shown whole
        EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()),
                  name->contentsRect().width());
        // A German layout types "z" on the key where a US layout has "Y": the key is "Y".
        press_and_release(&d, kY, Qt::Key_Z, "z");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(3, kKindSingleKey);
    EXPECT_EQ(record().button_kind[3], kKindSingleKey);
    EXPECT_EQ(record().button_key[3], key_usage_from_name("Y"));
    EXPECT_EQ(label(3), "Single Key-Y");
}

TEST_F(ButtonAssignmentTest, CancelledDialogsLeaveTheButtonAndAnEmptyOkStoresNoKey) {
    with_dialog<SingleKeyDialog>([](SingleKeyDialog& d) {
        press_and_release(&d, kA, Qt::Key_A, "a");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(4, kKindSingleKey);
    ASSERT_EQ(label(4), "Single Key-A");
    pick(4, kKindClick);
    with_dialog<SingleKeyDialog>([](SingleKeyDialog& d) {
        press_and_release(&d, kA, Qt::Key_A, "a");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(343, 262));  // Cancel
    });
    pick(4, kKindSingleKey);
    EXPECT_EQ(record().button_kind[4], kKindClick);
    EXPECT_EQ(label(4), "Click");
    with_dialog<SingleKeyDialog>([](SingleKeyDialog& d) {
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(4, kKindSingleKey);
    EXPECT_EQ(record().button_kind[4], kKindSingleKey);
    EXPECT_EQ(record().button_key[4], 0);
}

TEST_F(ButtonAssignmentTest, ComboKeyTakesAModifierFromItsListAndKeysInItsBoxes) {
    with_dialog<ComboKeyDialog>([](ComboKeyDialog& d) {
        press_and_release(&d, kA, Qt::Key_A, "a");  // no box has the focus: nothing
        EXPECT_EQ(d.first_key_name(), "");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(60, 77));
        ASSERT_TRUE(d.modifier_list_open());
        EXPECT_FALSE(d.key_box(0)->isEnabled());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(300, 150));  // outside
        EXPECT_FALSE(d.modifier_list_open());
        EXPECT_EQ(d.modifier_name(), "");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(60, 77));
        QListWidget* list = d.modifier_list();
        const QPoint over_second = list->visualItemRect(list->item(1)).center();
        QTest::mouseMove(d.windowHandle(), list->viewport()->mapTo(&d, over_second));
        EXPECT_TRUE(list->item(1)->isSelected());  // the entry under the pointer is lit
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());  // "Left Ctrl"
        EXPECT_TRUE(d.key_box(0)->isEnabled());
        d.key_box(0)->setFocus();
        press_and_release(&d, kC, Qt::Key_C, "c");
        EXPECT_EQ(d.key_box(0)->text(), "C");
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(5, kKindComboKey);
    EXPECT_EQ(label(5), "Combo Key-Left Ctrl+C");
    EXPECT_EQ(record().button_combo_mod[5], modifier_bit_from_name("Left Ctrl"));
    EXPECT_EQ(record().button_combo_key1[5], key_usage_from_name("C"));
    EXPECT_EQ(record().button_combo_key2[5], 0);
}

TEST_F(ButtonAssignmentTest, MacroKeyNeedsAChosenMacro) {
    with_dialog<MacroKeyDialog>([](MacroKeyDialog& d) {
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));  // no macro
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(80, 136));
        ASSERT_NE(d.list(), nullptr);
        ASSERT_GE(d.list()->count(), 2);
        QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {},
                          d.list()->visualItemRect(d.list()->item(1)).center());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(228, 186));  // mode 2
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(6, kKindMacroKey);
    EXPECT_EQ(record().button_kind[6], kKindMacroKey);
    EXPECT_EQ(record().button_macro[6], 1);
    EXPECT_EQ(record().button_macro_mode[6], 2);
    EXPECT_EQ(label(6).rfind("Macro Key-", 0), 0u);
}

// Fourteen macros in record.ini, the fourth named with twelve three-byte characters: the dialog
// offers the twelve the mouse holds, and the name reaches the label and str0.ini whole.
TEST_F(ButtonAssignmentTest, MacroKeyOffersTheMousesTwelveAndKeepsNamesWhole) {
    std::string name;
    for (int i = 0; i < 12; ++i) name += "宏";
    std::string file = "[" + name + "]\nItemCount=0\n";
    for (int i = 1; i < 14; ++i) file += "[M" + std::to_string(i) + "]\nItemCount=0\n";
    std::ofstream(data_.dir.path() / "record.ini", std::ios::binary) << file;
    int offered = 0;
    with_dialog<MacroKeyDialog>([&](MacroKeyDialog& d) {
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(80, 136));
        ASSERT_NE(d.list(), nullptr);
        offered = d.list()->count();
        QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {},
                          d.list()->visualItemRect(d.list()->item(0)).center());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(6, kKindMacroKey);
    EXPECT_EQ(offered, 12);
    EXPECT_EQ(label(6), "Macro Key-" + name);
    click(kSaveButton.rect);
    WAIT_UNTIL_MS(!window().save_locked(), 10000);
    std::ifstream in(data_.dir.path() / "str0.ini", std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(ini.find("Item7=Macro Key-" + name + "\n"), std::string::npos) << ini;
    EXPECT_EQ(ini.find("\xEF\xBF\xBD"), std::string::npos);  // no replacement character
}

// Labels, a user's macro name too, end well before the arrow; the list hides before a dialog.
TEST_F(ButtonAssignmentTest, LabelsKeepClearOfTheArrowAndTheListHidesBeforeTheMacroDialog) {
    std::ofstream(data_.dir.path() / "record.ini") << "[Hi There]\nItemCount=0\n";
    const auto gap = [this](int row) {  // the four pixels before the arrow
        const Rect box = dropdown_box(row);
        return shot({dropdown_arrow(row).left - 4, box.top, dropdown_arrow(row).left, box.bottom});
    };
    EXPECT_EQ(gap(4), gap(1)) << label(4);  // as clear as beside "Menu"
    with_dialog<MacroKeyDialog>([&](MacroKeyDialog& d) {
        EXPECT_FALSE(lists().list()->isVisible());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(80, 136));
        QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {},
                          d.list()->visualItemRect(d.list()->item(0)).center());
        QTest::mouseClick(d.windowHandle(), Qt::LeftButton, {}, QPoint(279, 262));
    });
    pick(4, kKindMacroKey);
    click(kButtonAssignmentHeader.rect);  // every box in its idle look again
    click(kButtonAssignmentHeader.rect);
    EXPECT_EQ(gap(4), gap(1)) << label(4);
}

}  // namespace
}  // namespace p330::gui
