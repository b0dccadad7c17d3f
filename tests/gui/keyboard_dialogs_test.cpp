// Every dialog without a pointer: the key-capture dialogs (left by Ctrl+Tab), the macro-key
// dialog, the macro manager and the profile manager, driven by keys alone from the window.
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <vector>

#include "core/buttons/button_code.h"
#include "dialog_driving.h"
#include "gui/access/focus_ring.h"
#include "gui/app/dialog_launchers.h"
#include "gui/dialogs/key_capture_dialogs.h"
#include "gui/dialogs/macro_key_dialog.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/dialogs/profile_manager_panel.h"
#include "gui/layout/dialog_layout.h"
#include "gui/layout/manager_layout.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using test::key_event;
using test::press_and_release;
using test::when_shown;
using test::with_dialog;

using namespace test::evdev;

// Keys as the window system delivers them to the dialog's window.
void press(QWidget* d, quint32 evdev, Qt::Key key) {
    key_event(d, QEvent::KeyPress, key, evdev);
    key_event(d, QEvent::KeyRelease, key, evdev);
}
void ctrl_tab(QWidget* d) {
    key_event(d, QEvent::KeyPress, Qt::Key_Control, kCtrl);
    press(d, kTab, Qt::Key_Tab);
    key_event(d, QEvent::KeyRelease, Qt::Key_Control, kCtrl);
}
// Active, as a window manager makes a new dialog; a dialog that cannot be is ended.
bool activate(QDialog& d) {
    d.activateWindow();
    // Keys sent before the focus is inside it reach nothing (on a loaded machine, later).
    const auto focused = [&d] {
        QWidget* f = QApplication::focusWidget();
        return f != nullptr && (f == &d || d.isAncestorOf(f));
    };
    if (QTest::qWaitForWindowActive(&d) && QTest::qWaitFor(focused)) return true;
    d.reject();
    return false;
}
// A dialog's stops by id, and the ids its focus-order table gives (the frame's after the
// dialog's own in the small dialogs): a stop the table lists and the dialog lacks, or the
// other way round, shows.
std::vector<int> ids_of(const FocusRing& ring) {
    std::vector<int> ids;
    for (const FocusStop& s : ring.stops()) ids.push_back(s.id);
    return ids;
}
template <typename Row, std::size_t N>
std::vector<int> ids_of(const Row (&rows)[N], bool framed) {
    std::vector<int> ids;
    for (const Row& row : rows) ids.push_back(layout::dialog_stop_id(row.stop));
    if (framed) {
        for (const auto& row : layout::dialog::kFocusOrder)
            ids.push_back(layout::dialog::kFrameIds + layout::dialog_stop_id(row.stop));
    }
    return ids;
}

QString at(const SkinnedDialog& d) {
    const FocusStop* s = d.focus_ring().current();
    return s == nullptr ? QString() : s->name;
}

class KeyboardDialogsTest : public test::KeyboardWindowTest {
  protected:
    QString at_window() {
        const FocusStop* s = window().focus_ring().current();
        return s != nullptr ? s->name : QString();
    }
    void tab_to(const QString& name) {
        // Active again after a dialog, as a window manager makes it.
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        for (int i = 0; i < 80 && at_window() != name; ++i) key(Qt::Key_Tab);
        ASSERT_EQ(at_window(), name);
    }
    // Button `button`'s list opened by Enter and the function `kind` chosen by the arrows;
    // `drive` acts on the dialog that opens (armed last: reaching the entry takes time).
    template <typename Dialog>
    void choose(int button, int kind, std::function<void(Dialog&)> drive) {
        tab_to(QStringLiteral("Button %1").arg(button + 1));
        key(Qt::Key_Return);
        key(Qt::Key_Home);  // in the list that took the focus
        for (int i = 0; i < kind; ++i) key(Qt::Key_Down);
        with_dialog<Dialog>(std::move(drive));
        key(Qt::Key_Return);
    }
    std::string label(int button) { return app_->controller().labels()[button]; }
};

TEST_F(KeyboardDialogsTest, KeyCaptureAndMacroKeyDialogsAreLeftByCtrlTabAndEndByEnterOrEsc) {
    tab_to("Button Assignment");
    key(Qt::Key_Return);

    // Tab is a key like any other in the capture box; Ctrl+Tab leaves it with its name. The
    // Enter that opened the dialog is not captured when its release arrives there.
    choose<SingleKeyDialog>(3, kKindSingleKey, [](SingleKeyDialog& d) {
        ASSERT_TRUE(activate(d));
        EXPECT_EQ(ids_of(d.focus_ring()), ids_of(layout::single_key::kFocusOrder, true));
        EXPECT_EQ(at(d), "Captured key");
        key_event(&d, QEvent::KeyRelease, Qt::Key_Return, kEnter);
        EXPECT_EQ(d.key_name(), "");
        press_and_release(&d, kA, Qt::Key_A, "a");
        press(&d, kTab, Qt::Key_Tab);
        EXPECT_EQ(d.key_name(), "Tab");
        press_and_release(&d, kA, Qt::Key_A, "a");
        ctrl_tab(&d);
        EXPECT_EQ(at(d), "Ok");
        EXPECT_EQ(d.key_name(), "A");
        press(&d, kEnter, Qt::Key_Return);  // OK pressed
    });
    EXPECT_EQ(label(3), "Single Key-A");

    // Esc is Cancel, on another stop and in the capture box alike.
    choose<SingleKeyDialog>(3, kKindSingleKey, [](SingleKeyDialog& d) {
        ASSERT_TRUE(activate(d));
        press_and_release(&d, kC, Qt::Key_C, "c");
        ctrl_tab(&d);
        press(&d, kEsc, Qt::Key_Escape);
    });
    EXPECT_EQ(label(3), "Single Key-A");
    choose<SingleKeyDialog>(3, kKindSingleKey, [](SingleKeyDialog& d) {
        ASSERT_TRUE(activate(d));
        press_and_release(&d, kC, Qt::Key_C, "c");
        press(&d, kEsc, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(label(3), "Single Key-A");

    // The modifier list opens with Enter, the arrows pick; each key box is left by Ctrl+Tab.
    choose<ComboKeyDialog>(4, kKindComboKey, [](ComboKeyDialog& d) {
        ASSERT_TRUE(activate(d));
        EXPECT_EQ(ids_of(d.focus_ring()), ids_of(layout::combo_key::kFocusOrder, true));
        EXPECT_EQ(at(d), "Modifier");
        press(&d, kEnter, Qt::Key_Return);
        ASSERT_TRUE(d.modifier_list_open());
        QTest::keyClick(d.modifier_list(), Qt::Key_Return);  // the first: "Left Ctrl"
        EXPECT_EQ(d.modifier_name(), "Left Ctrl");
        press(&d, kTab, Qt::Key_Tab);
        EXPECT_TRUE(d.key_box(0)->hasFocus());
        press_and_release(&d, kC, Qt::Key_C, "c");
        ctrl_tab(&d);
        EXPECT_TRUE(d.key_box(1)->hasFocus());
        ctrl_tab(&d);
        EXPECT_EQ(at(d), "OK");
        EXPECT_EQ(d.key_box(0)->text(), "C");
        press(&d, kEnter, Qt::Key_Return);
    });
    EXPECT_EQ(label(4), "Combo Key-Left Ctrl+C");

    // The macro list by Enter and the arrows, a repeat mode by Space, OK by Enter.
    QString chosen;
    choose<MacroKeyDialog>(6, kKindMacroKey, [&](MacroKeyDialog& d) {
        ASSERT_TRUE(activate(d));
        EXPECT_EQ(ids_of(d.focus_ring()), ids_of(layout::macro_key::kFocusOrder, true));
        press(&d, kEnter, Qt::Key_Return);
        ASSERT_NE(d.list(), nullptr);
        QTest::keyClick(d.list(), Qt::Key_Down);
        chosen = d.list()->currentItem()->text();
        QTest::keyClick(d.list(), Qt::Key_Return);
        for (int i = 0; i < 3; ++i) press(&d, kTab, Qt::Key_Tab);
        key_event(&d, QEvent::KeyPress, Qt::Key_Space, 57);
        EXPECT_EQ(d.repeat_mode(), 2);
        press(&d, kTab, Qt::Key_Tab);
        EXPECT_EQ(at(d), "Ok");
        press(&d, kEnter, Qt::Key_Return);
    });
    EXPECT_EQ(label(6), "Macro Key-" + chosen.toStdString());
    EXPECT_EQ(record().button_kind[6], kKindMacroKey);
}

TEST_F(KeyboardDialogsTest, MacroManagerButtonsListsAndEscapeByKeys) {
    int added = -1;
    bool escaped = false;
    tab_to("Macro Manager");  // before the dialog is awaited: reaching it takes time
    with_dialog<MacroManagerDialog>([&](MacroManagerDialog& d) {
        ASSERT_TRUE(activate(d));
        WAIT_UNTIL(d.macro_list()->hasFocus());
        std::vector<int> table = ids_of(layout::macro_manager::kFocusOrder, false);
        if (!d.loop_box()->isEnabled())  // the loop count only while the loop option is on
            std::erase(table, layout::dialog_stop_id(layout::macro_manager::Stop::kLoopCount));
        EXPECT_EQ(ids_of(d.focus_ring()), table);
        const int before = d.macro_list()->count();
        press(&d, kTab, Qt::Key_Tab);  // New
        press(&d, kEnter, Qt::Key_Return);
        added = d.macro_list()->count() - before;
        press(&d, kTab, Qt::Key_Tab);  // Delete
        press(&d, kTab, Qt::Key_Tab);
        EXPECT_TRUE(d.item_list()->hasFocus());
        for (int i = 0; i < 5 && at(d) != "OK"; ++i) press(&d, kTab, Qt::Key_Tab);  // the options
        EXPECT_EQ(at(d), "OK");
        for (int i = 0; i < 3; ++i) press(&d, kTab, Qt::Key_Tab);
        EXPECT_TRUE(d.macro_list()->hasFocus());  // round the dialog
        QTest::keyClick(d.macro_list(), Qt::Key_F2);
        ASSERT_NE(d.editor(), nullptr);
        QTest::keyClick(d.editor(), Qt::Key_Escape);
        const int count = d.macro_list()->count();
        QTest::keyClick(d.macro_list(), Qt::Key_Delete);
        EXPECT_EQ(d.macro_list()->count(), count - 1);
        press(&d, kEsc, Qt::Key_Escape);
        escaped = !d.isVisible();
    });
    key(Qt::Key_Return);
    EXPECT_EQ(added, 1);
    EXPECT_TRUE(escaped);
}

TEST_F(KeyboardDialogsTest, ProfileManagerArrowsEnterF2DeleteMenuAndEscape) {
    auto* launchers = window().findChild<DialogLaunchers*>();
    tab_to("Config");
    key(Qt::Key_Return);
    ProfileManagerPanel* panel = launchers->profile_manager();
    ASSERT_NE(panel, nullptr);
    QListWidget* list = panel->list();
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(ids_of(*panel->findChild<FocusRing*>()),
              ids_of(layout::profile_manager::kFocusOrder, false));
    const int count = list->count();
    ASSERT_GE(count, 2);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(panel->model().selected(), 1);
    QTest::keyClick(list, Qt::Key_F2);
    ASSERT_NE(panel->editor(), nullptr);
    panel->editor()->selectAll();
    QTest::keyClicks(panel->editor(), "Typing");
    QTest::keyClick(panel->editor(), Qt::Key_Return);
    EXPECT_EQ(list->item(1)->text(), "Typing");
    EXPECT_TRUE(list->hasFocus());  // the keyboard stays on the entry renamed
    EXPECT_EQ(list->currentRow(), 1);
    QStringList offered;
    when_shown<QMenu>(
        [&](QMenu* menu) {
            for (QAction* a : menu->actions()) offered << a->text();
            menu->close();
        },
        true);
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(offered.size(), 5);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), count - 1);
    EXPECT_EQ(list->currentRow(), 1);  // where the entry was: the arrows go on from there
    EXPECT_TRUE(list->selectedItems().isEmpty());
    QTest::keyClick(list, Qt::Key_Escape);
    WAIT_EQ(launchers->profile_manager(), nullptr);
    EXPECT_EQ(at_window(), "Config");  // the window has the focus back
}

}  // namespace
}  // namespace p330::gui
