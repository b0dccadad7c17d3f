// The macro manager driven by clicks and keys: naming, limits, the item menu, the in-place
// editor, recording, and what its OK, Enter and Cancel endings hand to the main window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <fstream>

#include "core/buttons/button_code.h"
#include "core/flows/profile_edit.h"
#include "core/formats/ini_document.h"
#include "dialog_driving.h"
#include "fixtures/run_program.h"
#include "gui/app/application.h"
#include "gui/dialogs/macro_manager_dialog.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui_fixtures.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;
namespace mm = layout::macro_manager;
using test::click_at;
using test::key_event;
using test::when_shown;

// evdev codes.
constexpr quint32 kScanW = 17, kScanA = 30, kScanCtrl = 29, kScanPause = 119, kScanEnter = 28;

void press_area(QWidget* w, const Rect& r) {
    click_at(w, r.left + r.width() / 2, r.top + r.height() / 2);
}
void click_item(QListWidget* list, int row, bool twice = false) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}
void type_and_enter(QLineEdit* editor, const QString& text) {
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

class MacroManagerTest : public ::testing::Test {
  protected:
    std::filesystem::path record_ini() const { return data_.dir.path() / "record.ini"; }
    std::unique_ptr<MacroManagerDialog> open() {
        auto dialog = std::make_unique<MacroManagerDialog>(
            nullptr, data_.path() + "/Skins/Graphite", TextColour{255, 255, 255},
            Language::kEnglish, record_ini());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }
    std::vector<std::string> sections() const {
        return IniDocument::load(record_ini())->section_names();
    }

    test::ShippedDataFolder data_;
};

// The selected macro's room in the mouse's block is shown, and a macro too long for it is
// said to be cut before it is saved to the mouse.
TEST_F(MacroManagerTest, ThePairsUsedAndACutAreShownForTheSelectedMacro) {
    std::string items;
    for (int i = 0; i < 40; ++i) {
        items += "Item" + std::to_string(2 * i) + "=A   Dn\n";
        items += "Item" + std::to_string(2 * i + 1) + "=A   Up\n";
    }
    std::ofstream(record_ini(), std::ios::app)
        << "[Long]\nDelayTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=80\n"
        << items;
    auto d = open();
    EXPECT_EQ(d->pairs_text(), "Uses 6 of the mouse's 63 pairs");  // Select_All_Copy
    click_item(d->macro_list(), d->macro_list()->count() - 1);
    EXPECT_TRUE(d->pairs_text().contains("Uses 63 of the mouse's 63 pairs"))
        << d->pairs_text().toStdString();
    EXPECT_TRUE(d->pairs_text().contains("the last 17 of 80 key events are cut"))
        << d->pairs_text().toStdString();
    EXPECT_EQ(d->item_list()->accessibleDescription(), d->pairs_text());
    click_item(d->macro_list(), 1);
    EXPECT_FALSE(d->pairs_text().contains("cut"));
}

TEST_F(MacroManagerTest, NewNamesCountOnAfterDeletionsAndRenamesUpToTwelve) {
    std::filesystem::remove(record_ini());
    auto d = open();
    for (int i = 0; i < 3; ++i) press_area(d.get(), mm::kNew);
    EXPECT_EQ(texts(d->macro_list()), QStringList({"Macro_0", "Macro_1", "Macro_2"}));
    click_item(d->macro_list(), 1);
    EXPECT_FALSE(d->loop_box()->text().isEmpty());
    press_area(d.get(), mm::kDelete);
    EXPECT_EQ(d->model().selected(), -1);
    EXPECT_TRUE(d->loop_box()->text().isEmpty());  // the deleted macro's count is gone too
    press_area(d.get(), mm::kNew);
    EXPECT_EQ(d->macro_list()->item(2)->text(), "Macro_3");  // on from the last entry

    // Rename in place: the second double-click on the same entry opens the editor.
    click_item(d->macro_list(), 2, true);
    click_item(d->macro_list(), 2, true);
    ASSERT_NE(d->editor(), nullptr);
    type_and_enter(d->editor(), "Work");
    EXPECT_EQ(sections(), (std::vector<std::string>{"Macro_0", "Macro_2", "Work"}));
    press_area(d.get(), mm::kNew);
    EXPECT_EQ(d->macro_list()->item(3)->text(), "Macro_3");  // no "_" in "Work": base + count

    while (d->macro_list()->count() < 12) press_area(d.get(), mm::kNew);
    QString warning;
    when_shown<QMessageBox>([&](QMessageBox* box) {
        warning = box->windowTitle() + "|" + box->text();
        box->reject();
    });
    press_area(d.get(), mm::kNew);
    EXPECT_EQ(warning, "Warning|Macro numbers up to 12.");
    EXPECT_EQ(d->macro_list()->count(), 12);
}

TEST_F(MacroManagerTest, ItemMenuAndDelayEditorFollowTheirRulesAndOkEncodes) {
    auto d = open();  // Select_All_Copy: Ctrl Dn, 30 ms, A Dn, 30 ms, A Up, ...
    QListWidget* items = d->item_list();
    const int count = items->count();

    // The menu comes relabelled; with nothing selected Insert Delay does nothing.
    QStringList labels;
    when_shown<QMenu>(
        [&](QMenu* menu) {
            for (QAction* a : menu->actions()) labels << a->text();
            menu->setActiveAction(menu->actions().back());
            QTest::keyClick(menu, Qt::Key_Return);
        },
        true);
    QTest::mouseClick(items->viewport(), Qt::RightButton, {}, QPoint(20, 5));
    EXPECT_EQ(labels, QStringList({"Delete", "Insert the left Button", "Insert the middle Button",
                                   "Insert the right button", "Insert Delay"}));
    using Command = MacroManagerDialog::ItemCommand;
    for (int row : {0, 1, 2}) {  // the first item, a delay, under a delay
        items->setCurrentRow(row);
        d->item_command(Command::kInsertDelay);
        EXPECT_EQ(items->count(), count) << row;
    }
    items->setCurrentRow(0);
    d->item_command(Command::kInsertLeft);
    EXPECT_EQ(items->item(1)->text(), "L-Button   Dn");
    EXPECT_EQ(items->item(2)->text(), "L-Button   Up");
    EXPECT_EQ(items->currentRow(), 1);
    items->setCurrentRow(2);
    d->item_command(Command::kInsertDelay);
    EXPECT_EQ(items->item(2)->text(), "50 ms");
    items->clearSelection();
    d->item_command(Command::kInsertMiddle);  // a list with items and no selection
    EXPECT_EQ(items->count(), count + 3);

    // Two clicks on a delay open the editor over it.
    auto edit = [&](int row, const QString& typed) {
        click_item(items, row);
        click_item(items, row);
        ASSERT_NE(d->editor(), nullptr);
        type_and_enter(d->editor(), typed);
        QCoreApplication::processEvents();
    };
    edit(2, "100ms");
    EXPECT_EQ(items->item(2)->text(), "100 ms");
    edit(2, "9999999ms");
    EXPECT_EQ(items->item(2)->text(), "6553500 ms");
    edit(2, "12a ms");
    EXPECT_EQ(items->item(2)->text(), "6553500 ms");
    EXPECT_EQ(IniDocument::load(record_ini())->get("Select_All_Copy", "Item2"), "6553500 ms");

    press_area(d.get(), mm::kOk);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->blocks()[0][3], 0xE0);  // Ctrl, block 0: the macro kept its place
    EXPECT_EQ(d->blocks()[1][3], 0xF0);  // Triple_Click's left button
}

TEST_F(MacroManagerTest, WithoutItsBackgroundOkStillHandsOverTheMacrosOfTheFile) {
    test::CountingMessages messages;  // instead of the "error" box
    MacroManagerDialog d(nullptr, data_.path() + "/Skins/None", TextColour{}, Language::kEnglish,
                         record_ini());
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(messages.captions,
              QStringList{"Macro Manager Dialog Load background image failed!!!"});
    press_area(&d, mm::kOk);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.blocks()[0][3], 0xE0);  // not an empty block that would wipe the mouse's macro
}

// X11 repeats a held key as a release and a press with one time stamp; under load Qt does not
// always see them as a repeat, and they may reach the window in either order.
TEST_F(MacroManagerTest, HeldKeyRecordsOnePressAndOneReleaseWhateverItsRepeatPairsLookLike) {
    auto d = open();
    click_item(d->macro_list(), 0);
    auto title = [&d] { return d->canvas().copy(to_qrect(mm::kTitle)); };
    const QImage idle_title = title();
    press_area(d.get(), mm::kRecord);
    EXPECT_NE(title(), idle_title);  // the frameless dialog shows how to stop in its title
    press_area(d.get(), mm::kRecord);
    EXPECT_EQ(title(), idle_title);
    int clean_runs = 0;
    quint64 stamp = 1000;
    for (int run = 0; run < 100; ++run) {
        press_area(d.get(), mm::kRecord);
        key_event(d.get(), QEvent::KeyPress, Qt::Key_W, kScanW, false, "w", ++stamp);
        for (int pair = 0; pair < 12; ++pair) {
            stamp += 33;
            const bool release_first = (run + pair) % 3 != 0;
            const bool flagged = run % 4 == 0;  // also the pairs Qt does see as a repeat
            key_event(d.get(), release_first ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_W,
                      kScanW, flagged, "w", stamp);
            key_event(d.get(), release_first ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_W,
                      kScanW, flagged, "w", stamp);
        }
        key_event(d.get(), QEvent::KeyRelease, Qt::Key_W, kScanW, false, "w", stamp += 40);
        press_area(d.get(), mm::kRecord);
        QStringList keys = texts(d->item_list()).filter(QStringLiteral("   "));
        clean_runs += keys == QStringList({"W   Dn", "W   Up"});
    }
    EXPECT_EQ(clean_runs, 100);
    const Result<IniDocument> saved = IniDocument::load(record_ini());
    EXPECT_EQ(saved->get("Select_All_Copy", "ItemCount"), "3");  // press, delay, release
    EXPECT_EQ(saved->get("Select_All_Copy", "Item2"), "W   Up");
}

class MacroWindowTest : public test::WindowTest {
  protected:
    void open_manager() { click(window().left_column().macro_manager); }
};

TEST_F(MacroWindowTest, CancelHandsNothingEnterAfterARecordingHandsBlocksAndButtonsFollowOrReset) {
    std::memset(record().macro_block, 0xAA, sizeof(record().macro_block));
    when_shown<MacroManagerDialog>([](MacroManagerDialog* d) { press_area(d, mm::kCancel); });
    open_manager();
    EXPECT_EQ(record().macro_block[0][0], 0xAA);

    // Button 5 plays Type_GG (macro 2), button 6 Select_All_Copy (macro 0).
    auto& labels = app_->controller().labels();
    record().button_kind[4] = record().button_kind[5] = kKindMacroKey;
    record().button_macro[4] = 2;
    labels[4] = "Macro Key-Type_GG";
    record().button_macro[5] = 0;
    labels[5] = "Macro Key-Select_All_Copy";

    // PROFILE_2, not the one shown, plays Select_All_Copy on button 7.
    const DataFolder folder{data_.dir.path()};
    Result<ProfileEdit> other = load_profile_edit(folder, 2);
    other->record.button_kind[6] = kKindMacroKey;
    other->labels[6] = "Macro Key-Select_All_Copy";
    ASSERT_TRUE(save_profile_edit(folder, *other));

    QStringList recorded;
    QString title, warning, other_warning;
    when_shown<MacroManagerDialog>([&](MacroManagerDialog* d) {
        press_area(d, mm::kDelete);      // Select_All_Copy: the others move up
        click_item(d->macro_list(), 0);  // Triple_Click
        press_area(d, mm::kRecord);
        title = d->windowTitle();
        key_event(d, QEvent::KeyPress, Qt::Key_A, kScanA);
        key_event(d, QEvent::KeyPress, Qt::Key_A, kScanA, true);  // auto-repeat: dropped
        key_event(d, QEvent::KeyRelease, Qt::Key_A, kScanA);
        key_event(d, QEvent::KeyPress, Qt::Key_Return, kScanEnter);  // recorded, ends nothing
        key_event(d, QEvent::KeyRelease, Qt::Key_Return, kScanEnter);
        key_event(d, QEvent::KeyPress, Qt::Key_Control, kScanCtrl);
        key_event(d, QEvent::KeyPress, Qt::Key_Pause, kScanPause);  // Ctrl+Break
        key_event(d, QEvent::KeyRelease, Qt::Key_Pause, kScanPause);
        key_event(d, QEvent::KeyRelease, Qt::Key_Control, kScanCtrl);
        EXPECT_FALSE(d->recording());
        recorded = texts(d->item_list());
        when_shown<QMessageBox>([&](QMessageBox* box) {
            warning = box->text();
            when_shown<QMessageBox>([&](QMessageBox* next) {
                other_warning = next->text();
                next->accept();
            });
            box->accept();
        });
        key_event(d, QEvent::KeyPress, Qt::Key_Return, kScanEnter);  // now it ends as OK does
    });
    open_manager();

    EXPECT_EQ(title, "Press Ctrl+Break key to stop recording");
    ASSERT_EQ(recorded.size(), 7);
    EXPECT_EQ(recorded[0], "A   Dn");
    EXPECT_TRUE(recorded[1].endsWith(" ms"));
    EXPECT_EQ(recorded[2], "A   Up");
    EXPECT_EQ(recorded[4], "Enter   Dn");
    EXPECT_EQ(recorded[6], "Enter   Up");
    const Result<IniDocument> ini = IniDocument::load(data_.dir.path() / "record.ini");
    EXPECT_EQ(ini->section_names(), (std::vector<std::string>{"Triple_Click", "Type_GG"}));
    EXPECT_EQ(ini->get("Triple_Click", "ItemCount"), "7");
    EXPECT_EQ(ini->get("Triple_Click", "DelayTimeSelStatus"), "1");

    // Encoded blocks reached the record: Triple_Click loops three times, A pressed and released.
    EXPECT_EQ(record().macro_block[0][1], 3);
    EXPECT_EQ(record().macro_block[0][3], 0x04);
    EXPECT_EQ(record().macro_block[0][4] & 0x80, 0x80);
    EXPECT_EQ(record().macro_block[2][0], 0);  // past the last macro: zero
    EXPECT_EQ(record().button_macro[4], 1);    // Type_GG moved up
    EXPECT_EQ(labels[5], "DPI Loop");          // its macro is gone: back on its shipped function
    EXPECT_TRUE(warning.endsWith("button 6 (DPI Loop)")) << warning.toStdString();
    EXPECT_EQ(load_profile_edit(folder, 2)->labels[6], "IE Forward");  // followed on disk too
    EXPECT_TRUE(other_warning.startsWith("PROFILE_2: ")) << other_warning.toStdString();
}

TEST_F(MacroWindowTest, DeletingASavedButtonsMacroRewritesTheShownProfileOnDiskAsWell) {
    const std::string dir = "--data-dir=" + data_.path().toStdString();
    // Ended with OK, then with Cancel: record.ini is written either way.
    for (const auto& [ending, macro, name] :
         {std::tuple{mm::kOk, 2, "Type_GG"}, std::tuple{mm::kCancel, 1, "Triple_Click"}}) {
        record().button_kind[2] = kKindMacroKey;  // button 3 plays the macro, saved
        record().button_macro[2] = static_cast<std::uint8_t>(macro);
        app_->controller().labels()[2] = std::string("Macro Key-") + name;
        click(kSaveButton.rect);
        WAIT_UNTIL_MS(!window().save_locked(), 10000);
        when_shown<MacroManagerDialog>([macro = macro, ending = ending](MacroManagerDialog* d) {
            click_item(d->macro_list(), macro);
            press_area(d, mm::kDelete);
            when_shown<QMessageBox>([](QMessageBox* box) { box->accept(); });  // the lost button
            press_area(d, ending);
        });
        open_manager();
        EXPECT_EQ(test::run_program(P330CTL_PATH, {dir, "get", "button.3"}).out, "scroll:middle\n")
            << name;
        // This program's own write: neither reloaded nor asked about as another program's.
        EXPECT_FALSE(app_->controller().files_changed_elsewhere());
        EXPECT_FALSE(app_->controller().has_unsaved_edits());
        click(kCancelButton.rect);  // reads the saved profile back
        EXPECT_EQ(app_->controller().labels()[2], "Mouse M Button");
    }
}

TEST_F(MacroWindowTest, AnOpenManagerFollowsAnotherProgramsMacrosAndKeepsItsOwnEdits) {
    auto elsewhere = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "--data-dir=" + data_.path().toStdString());
        EXPECT_EQ(test::run_program(P330CTL_PATH, args).exit_code, 0);
    };
    auto record_a = [](MacroManagerDialog* d) {
        press_area(d, mm::kRecord);
        test::press_and_release(d, kScanA, Qt::Key_A, "a");
    };
    QStringList listed, kept, shown;
    QString asked;
    when_shown<MacroManagerDialog>([&](MacroManagerDialog* d) {
        elsewhere({"macro", "new", "Greeting"});  // nothing unsaved: shown at once
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->macro_list()->count() == 4; }, 10000));
        record_a(d);  // a recording of Select_All_Copy is saved beside the other's new macro
        elsewhere({"macro", "new", "Later"});
        press_area(d, mm::kRecord);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->macro_list()->count() == 5; }, 10000));
        listed = texts(d->macro_list());
        kept = texts(d->item_list());
        record_a(d);  // the macro being recorded changed elsewhere: declined, theirs is shown
        elsewhere({"macro", "set-loop", "Select_All_Copy", "7"});
        when_shown<QMessageBox>([&](QMessageBox* box) {
            asked = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        press_area(d, mm::kRecord);
        shown = texts(d->item_list()) << d->loop_box()->text();
        press_area(d, mm::kCancel);
    });
    open_manager();
    EXPECT_EQ(listed.join(" "), "Select_All_Copy Triple_Click Type_GG Greeting Later");
    EXPECT_TRUE(asked.contains("overwrite that change")) << asked.toStdString();
    EXPECT_EQ(shown, kept << "7");
    const Result<IniDocument> ini = IniDocument::load(data_.dir.path() / "record.ini");
    EXPECT_EQ(ini->section_names().size(), 5u);
    EXPECT_EQ(ini->get("Select_All_Copy", "Item2"), "A   Up");
}

}  // namespace
}  // namespace p330::gui
