// The profile manager, the help panel and the updater's path, from the main window: the list
// edited by clicks and its menu, the Profile section written on close, and import and export
// through the file dialog.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <fstream>

#include "core/flows/profile_files.h"
#include "core/formats/ini_document.h"
#include "core/formats/profile_image.h"
#include "dialog_driving.h"
#include "gui/app/application.h"
#include "gui/app/dialog_launchers.h"
#include "gui/dialogs/firmware_updater.h"
#include "gui/dialogs/help_panel.h"
#include "gui/dialogs/profile_manager_panel.h"
#include "gui/layout/main_layout.h"
#include "gui/layout/manager_layout.h"
#include "gui_fixtures.h"
#include "window_fixture.h"

namespace p330::gui {
namespace {

using namespace layout;
using test::when_shown;

class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { opened << url; }

  public:
    QList<QUrl> opened;
};

// Types the path into the dialog's file name box, as a user does: with the box focused, so
// that the dialog selecting its initial file once it has read its folder (which it writes into
// a box without the focus) leaves the choice alone.
void choose(QFileDialog* d, const QString& path) {
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    d->activateWindow();
    name->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(name->hasFocus());
    name->setText(path);
}

class ProfileWindowTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        launchers_ = window().findChild<DialogLaunchers*>();
        ASSERT_NE(launchers_, nullptr);
    }
    ProfileManagerPanel* open_panel() {
        click(kConfigButton.rect);
        return launchers_->profile_manager();
    }
    void click_row(ProfileManagerPanel* panel, int row) {
        QTest::mouseClick(panel->list()->viewport(), Qt::LeftButton, {},
                          panel->list()->visualItemRect(panel->list()->item(row)).center());
    }
    std::string main_ini(const char* key) const {
        return IniDocument::load(data_.dir.path() / "str.ini")->get_or_empty("Profile", key);
    }

    DialogLaunchers* launchers_ = nullptr;
};

TEST_F(ProfileWindowTest, OnePanelWhoseListEditsReachStrIniWhenItCloses) {
    ProfileManagerPanel* panel = open_panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->pos(), QPoint(profile_manager::kOrigin.x, profile_manager::kOrigin.y));
    EXPECT_EQ(open_panel(), panel);  // at most one
    QListWidget* list = panel->list();
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->currentRow(), 0);  // CurProfileName=PROFILE_0

    QString warning;
    when_shown<QMessageBox>([&](QMessageBox* box) {
        warning = box->windowTitle() + "|" + box->text();
        box->reject();
    });
    click(profile_manager::kNew);  // the panel lies at the window's origin
    EXPECT_EQ(warning, "Warning|Profile numbers up to 6.");

    // The menu, relabelled, for the entry right-clicked: Delete it, then Copy PROFILE_1, New.
    QStringList labels;
    when_shown<QMenu>(
        [&](QMenu* menu) {
            for (QAction* a : menu->actions()) labels << a->text();
            menu->setActiveAction(menu->actions().front());
            QTest::keyClick(menu, Qt::Key_Return);
        },
        true);
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(5)).center());
    EXPECT_EQ(labels, QStringList({"Delete", "Edit", "Copy", "Load", "Save"}));
    ASSERT_EQ(list->count(), 5);
    click_row(panel, 1);
    panel->command(ProfileManagerPanel::Command::kCopy);
    EXPECT_EQ(list->item(5)->text(), "Copy PROFILE_1");
    EXPECT_EQ(list->currentRow(), 1);                       // a copy does not move the selection
    panel->command(ProfileManagerPanel::Command::kDelete);  // PROFILE_1
    click(profile_manager::kNew);
    EXPECT_EQ(list->item(5)->text(), "PROFILE_2");  // after "Copy PROFILE_1"

    // Renaming: a click on the entry clicked last opens the editor.
    click_row(panel, 0);
    click_row(panel, 0);
    ASSERT_NE(panel->editor(), nullptr);
    panel->editor()->selectAll();
    QTest::keyClicks(panel->editor(), "Work");
    QTest::keyClick(panel->editor(), Qt::Key_Return);
    EXPECT_EQ(list->item(0)->text(), "Work");

    click_row(panel, 3);
    panel->command(ProfileManagerPanel::Command::kDelete);  // no selection left
    EXPECT_TRUE(list->selectedItems().isEmpty());
    app_->controller().select_profile(3);
    click(profile_manager::kClose);
    WAIT_UNTIL(launchers_->profile_manager() == nullptr);
    EXPECT_EQ(main_ini("CurProfileName"), "Work");  // item 0 when nothing is selected
    EXPECT_EQ(main_ini("ItemCount"), "5");
    EXPECT_EQ(main_ini("Item4"), "PROFILE_2");
    EXPECT_EQ(app_->controller().profile().index, 0);
}

// Copy, chosen from the entry's menu by keys, gives the new entry the copied profile's
// settings and labels, written with the list as it closes.
TEST_F(ProfileWindowTest, CopyGivesTheNewEntryTheProfilesFilesAsTheListCloses) {
    const auto dir = data_.dir.path();
    SettingsRecord mine = read_profile_image(dir / "config2.bin")->record;
    mine.dpi_stage[0] = 30;
    ASSERT_TRUE(write_profile_image(dir / "config2.bin", mine));
    test::replace_in_file(dir / "str2.ini", "Item2=Menu", "Item2=Mine");
    ProfileManagerPanel* panel = open_panel();
    ASSERT_NE(panel, nullptr);
    QListWidget* list = panel->list();
    auto menu_command = [&](int row, int action) {
        when_shown<QMenu>(
            [action](QMenu* menu) {
                menu->setActiveAction(menu->actions().at(action));
                QTest::keyClick(menu, Qt::Key_Return);
            },
            true);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    menu_command(5, 0);  // Delete PROFILE_5
    menu_command(2, 2);  // Copy PROFILE_2
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(5)->text(), "Copy PROFILE_2");
    const auto read = [&dir](const char* name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    EXPECT_NE(read("config5.bin"), read("config2.bin"));  // nothing written before the close
    click(profile_manager::kClose);
    WAIT_UNTIL(launchers_->profile_manager() == nullptr);
    EXPECT_EQ(main_ini("Item5"), "Copy PROFILE_2");
    EXPECT_EQ(read("config5.bin"), read("config2.bin"));
    EXPECT_EQ(read("str5.ini"), read("str2.ini"));
    EXPECT_EQ(read_profile_image(dir / "config5.bin")->record.dpi_stage[0], 30);
}

// With Game chosen, the manager opens on Game, not on "Gamer" which begins with it, and
// closing it untouched keeps Game current.
TEST_F(ProfileWindowTest, TheCurrentEntryIsTheOneNamedExactly) {
    std::ofstream(data_.dir.path() / "str.ini") << "[Skins]\nLan=EN\n[Profile]\nCurProfileName="
                                                   "Game\nItemCount=2\nItem0=Game\nItem1=Gamer\n";
    ProfileManagerPanel* panel = open_panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->list()->currentRow(), 0);
    click(profile_manager::kClose);
    WAIT_UNTIL(launchers_->profile_manager() == nullptr);
    EXPECT_EQ(main_ini("CurProfileName"), "Game");
}

// The chosen profile is shown (the unsaved edit of the old one dropped once the user agrees),
// so Save keeps its own values.
TEST_F(ProfileWindowTest, TheChosenProfileIsShownAndSavedIntoItsOwnFiles) {
    const auto profile1 = [this] { return read_profile_image(data_.dir.path() / "config1.bin"); };
    const std::uint8_t own = profile1()->record.dpi_stage[3];
    record().dpi_stage[3] = static_cast<std::uint8_t>(own + 1);
    when_shown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Discard)->click(); });
    click_row(open_panel(), 1);
    click(profile_manager::kClose);
    EXPECT_EQ(record().dpi_stage[3], own);
    click(kSaveButton.rect);
    WAIT_UNTIL_MS(!window().save_locked(), 10000);
    EXPECT_EQ(profile1()->record.dpi_stage[3], own);
}

TEST_F(ProfileWindowTest, SaveAndLoadRoundTripThroughTheFileDialog) {
    ProfileManagerPanel* panel = open_panel();
    click_row(panel, 2);
    // PROFILE_2 is exported as saved: the shown profile's unsaved edit is not its.
    const std::uint8_t saved =
        read_profile_image(data_.dir.path() / "config2.bin")->record.dpi_stage[0];
    app_->controller().record().dpi_stage[0] = static_cast<std::uint8_t>(saved + 1);
    const QString chosen = QString::fromStdString((data_.dir.path() / "out" / "mine").string());
    QDir().mkpath(QFileInfo(chosen).path());
    QString offered;  // the profile's own name, never a file of the data folder
    when_shown<QFileDialog>([&](QFileDialog* d) {
        offered = d->selectedFiles().value(0);
        choose(d, chosen);
        static_cast<QDialog*>(d)->accept();  // as its Save or Open button does
    });
    panel->command(ProfileManagerPanel::Command::kSave);
    EXPECT_EQ(offered, QDir::home().filePath("PROFILE_2.bin"));
    EXPECT_TRUE(QFile::exists(chosen + ".bin"));
    EXPECT_TRUE(QFile::exists(chosen + ".ini"));
    EXPECT_TRUE(QFile::exists(data_.path() + "/mine.bin"));  // the copy in the data folder
    EXPECT_EQ(app_->controller().profile().index, 0);        // Save still writes the one shown
    when_shown<QFileDialog>([&](QFileDialog* d) {
        offered = d->selectedFiles().value(0);
        choose(d, chosen + ".bin");
        static_cast<QDialog*>(d)->accept();  // as its Save or Open button does
    });
    panel->command(ProfileManagerPanel::Command::kLoad);
    EXPECT_EQ(offered, QFileInfo(chosen).dir().filePath("PROFILE_2.bin"));  // the folder used last
    EXPECT_EQ(app_->controller().record().dpi_stage[0], saved);
    EXPECT_EQ(app_->controller().profile().index, 2);  // the imported settings are PROFILE_2's
}

TEST_F(ProfileWindowTest, HelpShowsBelowItsButtonAndItsWebLineOpensTheHomePage) {
    click(kHelpButton.rect);
    HelpPanel* help = launchers_->help_panel();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->pos(), QPoint(help::kOrigin.x, help::kOrigin.y));
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->web_text().isEmpty());  // no home page in this build: the program's name
    click(kHelpButton.rect);
    EXPECT_EQ(launchers_->help_panel(), nullptr);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    HelpPanel panel(&window(), data_.path() + "/Skins/Graphite", Language::kEnglish,
                    "https://example.org/p330");
    panel.show();
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {},
                      QPoint(help::kOrigin.x + 80, help::kOrigin.y + 10));
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front(), QUrl("https://example.org/p330"));
    EXPECT_TRUE(panel.isVisible());

    EXPECT_EQ(firmware_updater_path("/opt/p330/bin", "x86_64"),
              "/opt/p330/bin/Update/X64/FwUpdate");
    EXPECT_EQ(firmware_updater_path("/opt/p330/bin", "i386"), "/opt/p330/bin/Update/X86/FwUpdate");
}

}  // namespace
}  // namespace p330::gui

#include "profile_help_test.moc"
