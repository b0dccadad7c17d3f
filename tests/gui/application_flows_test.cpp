// Save, Reset and Cancel through the application, the messages it owes the user, and a
// window that cannot be drawn.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "core/buttons/function_catalogue.h"
#include "core/device/simulated_mouse.h"
#include "fixtures/recording_sink.h"
#include "gui/app/application.h"
#include "gui/layout/main_layout.h"
#include "gui_fixtures.h"

namespace p330::gui {
namespace {

using test::RecordingSink;

void write_text(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}
std::string read_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class RecordingMessages : public MessagePresenter {
  public:
    void show(const UserMessage& m) override { texts.push_back(m.text); }
    std::vector<std::string> texts;
};

class RecordingPointer : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override {
        speeds.push_back(values.speed);
        return result;
    }
    std::vector<int> speeds;
    PointerApplied result;
};

class ApplicationFlowsTest : public ::testing::Test {
  protected:
    AppOptions options(const char* device = "sim") const {
        AppOptions o;
        o.device = device;
        o.data_dir = data.path();
        o.splash_ms = 0;
        o.clock = &clock;  // the upload's pauses take no time
        return o;
    }
    std::filesystem::path file(const char* name) const { return data.dir.path() / name; }

    mutable ManualClock clock;
    test::ShippedDataFolder data;
    RecordingSink sink;
    RecordingMessages messages;
    RecordingPointer pointer;
};

TEST_F(ApplicationFlowsTest, SaveUploadsOffTheWindowsThreadThenSavesAndReports) {
    Application app(options(), &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    app.controller().record().dpi_stage[0] = 40;
    app.controller().record().pointer_speed = 11;
    pointer.result[PointerSetting::kSpeed] = PointerOutcome::kRefused;
    pointer.result[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;

    app.save();
    EXPECT_TRUE(app.upload_running());            // save() returned while the upload goes on
    app.controller().record().dpi_stage[1] = 41;  // an edit meanwhile: kept, not saved
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(app.session().link()->simulated()->slot(0).parameters[0x54], 40);
    EXPECT_EQ(read_profile_image(file("config0.bin"))->record.dpi_stage[0], 40);
    EXPECT_EQ(app.controller().settings().saved_settings.dpi_stage[1],
              read_profile_image(file("config0.bin"))->record.dpi_stage[1]);
    EXPECT_EQ(app.controller().record().dpi_stage[1], 41);
    EXPECT_EQ(pointer.speeds, std::vector<int>{20});
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[0], "SETMOUSESPEED failed.");
    EXPECT_NE(messages.texts[1].find("wheel scroll lines"), std::string::npos);

    // A Reset clicked while an upload runs follows it; the desktop note is not repeated.
    app.save();
    app.reset();
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(pointer.speeds.size(), 3u);
    EXPECT_EQ(messages.texts.size(), 4u);
    EXPECT_EQ(app.controller().record().dpi_stage[1],
              app.controller().settings().saved_settings.dpi_stage[1]);
}

// Tab to a button, then Space, as a keyboard user picks it.
void press_by_keyboard(QMessageBox* box, QMessageBox::StandardButton which) {
    for (int i = 0; i < 4 && box->focusWidget() != box->button(which); ++i)
        QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, Qt::Key_Tab);
    EXPECT_EQ(box->focusWidget(), box->button(which));
    QTest::keyClick(box->button(which), Qt::Key_Space);
}

class LossQuestionsTest : public ApplicationFlowsTest {
  protected:
    void start(Application& app) {
        ASSERT_TRUE(app.start());
        WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    }
    // A click on a button of the window; the question it brings, if any, answered by keys.
    QString click(Application& app, const layout::Element& button,
                  std::function<void(QMessageBox*)> keys = {}) {
        auto asked = std::make_shared<QString>();
        QTimer::singleShot(0, [asked, keys] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *asked = box->text();
                if (keys) keys(box);
            }
        });
        const layout::Rect r = button.rect;
        QTest::mouseClick(app.window()->windowHandle(), Qt::LeftButton, {},
                          QPoint(r.left + r.width() / 2, r.top + r.height() / 2));
        QTest::qWait(20);  // the timer's turn when no question held the click
        return *asked;
    }
    int saved_dpi() const { return read_profile_image(file("config0.bin"))->record.dpi_stage[0]; }
    static int mouse_dpi(Application& app) {
        return app.session().link()->simulated()->slot(0).parameters[0x54];
    }
};

TEST_F(LossQuestionsTest, ResetAndCloseAskOnlyWhenSomethingWouldBeLost) {
    Application app(options(), &sink, &messages, &pointer);
    start(app);
    const int shipped = app.controller().record().dpi_stage[0];
    // The saved profile is the shipped one and nothing is edited: Reset just runs.
    EXPECT_EQ(click(app, layout::kResetButton), "");
    WAIT_UNTIL_MS(!app.upload_running(), 10000);

    app.controller().record().dpi_stage[0] = 40;
    const QString asked = click(app, layout::kResetButton,
                                [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_TRUE(asked.contains("Reset anyway?")) << asked.toStdString();
    EXPECT_EQ(app.controller().record().dpi_stage[0], 40);  // Cancel: the edit stays

    // Saved, the profile differs from the defaults: Reset asks even without an edit.
    app.save();
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    ASSERT_EQ(saved_dpi(), 40);
    EXPECT_NE(click(app, layout::kResetButton,
                    [](QMessageBox* box) { press_by_keyboard(box, QMessageBox::Reset); }),
              "");
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(app.controller().record().dpi_stage[0], shipped);
    EXPECT_EQ(saved_dpi(), shipped);
    EXPECT_EQ(mouse_dpi(app), shipped);

    // Close with an edit: Esc keeps the program and the edit; Save (Enter) saves, then ends.
    app.controller().record().dpi_stage[0] = 44;
    EXPECT_TRUE(click(app, layout::kCloseButton, [](QMessageBox* box) {
                    QTest::keyClick(box, Qt::Key_Escape);
                }).contains("Save them before closing?"));
    EXPECT_EQ(app.controller().record().dpi_stage[0], 44);
    QTimer::singleShot(0, [&] {
        click(app, layout::kCloseButton,
              [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    });
    QTimer give_up;
    QObject::connect(&give_up, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    give_up.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(saved_dpi(), 44);
    EXPECT_EQ(mouse_dpi(app), 44);
}

// In the profile's language, Discard ends the program and leaves the files as they were.
TEST_F(LossQuestionsTest, DiscardChosenByKeyboardEndsAndSavesNothing) {
    data.set_language("CHS");
    Application app(options(), &sink, &messages, &pointer);
    start(app);
    const std::string saved = read_text(file("config0.bin"));
    app.controller().record().dpi_stage[0] = 44;
    QString asked;
    QTimer::singleShot(0, [&] {
        asked = click(app, layout::kCloseButton, [](QMessageBox* box) {
            EXPECT_EQ(box->button(QMessageBox::Discard)->text(), "放弃");
            press_by_keyboard(box, QMessageBox::Discard);
        });
    });
    QTimer give_up;
    QObject::connect(&give_up, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    give_up.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(asked.contains("关闭前保存这些更改吗")) << asked.toStdString();
    EXPECT_EQ(read_text(file("config0.bin")), saved);
}

// A lighting level of a mode not in use, as another program may leave it: the profile loads
// with it brought to the nearest level the window sets, the user is told once, Save keeps it.
TEST_F(ApplicationFlowsTest, ACosmeticFieldOutOfRangeIsBroughtInAndToldOnce) {
    SettingsRecord odd = read_profile_image(file("config0.bin"))->record;
    ASSERT_EQ(odd.light_mode, 1);
    std::string bytes = read_text(file("config0.bin"));
    bytes[1 + offsetof(SettingsRecord, light_param_2)] = 0;
    write_text(file("config0.bin"), bytes);
    Application app(options(), &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("light_param_2 0 -> 1"), std::string::npos)
        << messages.texts[0];
    EXPECT_EQ(app.controller().record().light_param_2, 1);
    app.cancel();
    app.restore_from_tray();
    app.session().on_arrival();
    EXPECT_EQ(messages.texts.size(), 1u);  // the same file read again is not told again
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    app.save();
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(read_profile_image(file("config0.bin"))->record.light_param_2, 1);
}

TEST_F(ApplicationFlowsTest, ProfileLoadingMessagesAtStartTrayRestoreAndArrival) {
    std::filesystem::remove(file("config0.bin"));
    Application app(options(), &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Config file is not exist."});
    app.cancel();
    app.restore_from_tray();  // Cancel has read the profile back: said once
    EXPECT_EQ(messages.texts.size(), 2u);
    app.session().on_arrival();
    EXPECT_EQ(messages.texts.size(), 3u);
    EXPECT_EQ(messages.texts.back(), "Config file is not exist.");
    // The main view's first-run labels are written first, as before any Save a user can make.
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    // Save without the profile image: uploaded, nothing saved, said so.
    app.save();
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(messages.texts.back(), "Config file is not exist.");
    EXPECT_FALSE(std::filesystem::exists(file("config0.bin")));
}

TEST_F(ApplicationFlowsTest, CtrlSDuringTheSplashSavesTheNeverWrittenProfileWithoutAWarning) {
    test::replace_in_file(file("str0.ini"), "Item2=Menu", "Item2=Old label");
    AppOptions o = options();
    o.splash_ms = 60000;
    Application app(o, &sink, &messages, &pointer);
    ASSERT_TRUE(app.start() && read_profile_image(file("config0.bin"))->first_run_flag == 0);
    QTest::keyClick(app.window()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    // The first-run labels came first: this program's own write is no other program's change.
    EXPECT_TRUE(app.window()->main_view_shown() && messages.texts.empty());
    EXPECT_EQ(read_profile_image(file("config0.bin"))->first_run_flag, 1);
    EXPECT_EQ(read_profile_ini(file("str0.ini"), Language::kEnglish).labels,
              first_run_labels(Language::kEnglish));
}

TEST_F(ApplicationFlowsTest, AMouseHeldByAnotherProgramIsSaidToBeInUseAndConnectedOnceFree) {
    data.set_language("CHS");
    AppOptions o = options("sim:busy=1");  // its greeting refused
    o.free_retry_ms = 3600 * 1000;         // asked again below, not while the window is checked
    Application app(o, &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    const UiTexts& texts = ui_texts(Language::kSimplifiedChinese);
    app.restore_from_tray();  // the start's warning, then the restore's own
    app.save();
    ASSERT_EQ(sink.seen.size(), 2u);
    EXPECT_TRUE(sink.seen[0].text == texts.mouse_in_use && sink.seen[1].text == texts.mouse_in_use);
    EXPECT_EQ(messages.texts, std::vector<std::string>{std::string(texts.mouse_busy)});
    ASSERT_TRUE(app.session().waiting_until_free());
    app.retry_when_free();  // asked again, now free
    EXPECT_TRUE(app.session().connected());
    EXPECT_EQ(sink.seen.back().text, texts.mouse_detected);
    app.controller().record().dpi_stage[0] = 40;
    app.save();
    WAIT_UNTIL_MS(!app.upload_running(), 10000);
    EXPECT_EQ(app.session().link()->simulated()->slot(0).parameters[0x54], 40);
}

TEST_F(ApplicationFlowsTest, AnArrivalThatCannotBeOpenedHidesTheWindowAndBalloonsStayReadable) {
    Application app(options("/dev/hidraw-none"), &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    WAIT_UNTIL_MS(app.window()->main_view_shown(), 5000);
    app.window()->show();
    app.session().on_arrival();
    ASSERT_EQ(sink.seen.size(), 1u);
    EXPECT_EQ(sink.seen[0].title, "Warning");
    EXPECT_FALSE(app.window()->isVisible() && !app.window()->isMinimized());
    EXPECT_EQ(balloon_timeout_ms(sink.seen[0]), kMinimumBalloonMs);
    app.save();  // no mouse: nothing runs, and the window says so
    EXPECT_FALSE(app.upload_running());
    ASSERT_FALSE(messages.texts.empty());
    EXPECT_EQ(messages.texts.back(),
              "The mouse is not connected, so nothing was saved. Connect it and press Save again.");
    EXPECT_EQ(notification_title(sink.seen[0], Language::kSimplifiedChinese), "警告");
}

TEST_F(ApplicationFlowsTest, AUserFolderThatCouldNotBeSetUpIsNamedWithItsCause) {
    std::filesystem::remove(file("str.ini"));
    AppOptions o = options();
    o.folder_problem = "cannot create /home/new/.config/p330: Permission denied";
    Application app(o, &sink, &messages, &pointer);
    EXPECT_FALSE(app.start());
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("The folder " + data.dir.path().string() +
                                     " for the profiles could not be set up"),
              std::string::npos);
    EXPECT_NE(messages.texts[0].find("Permission denied"), std::string::npos);
}

TEST_F(ApplicationFlowsTest, AWindowThatCannotBeDrawnSaysWhyAndStartFails) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path&)> spoil;
        const char* expected;  // a part of the message
        bool skin = false;     // spoils the skin, so needs a copy of its own
    };
    const Case cases[] = {
        {"main.png missing",
         [](const auto& dir) { std::filesystem::remove(dir / "Skins/Graphite/main.png"); },
         "Skins/Graphite has no usable main.png", true},
        {"both missing",
         [](const auto& dir) { std::filesystem::remove_all(dir / "Skins/Graphite"); },
         "has no usable start.png, main.png", true},
        {"skin path refused",
         [](const auto& dir) {
             test::replace_in_file(dir / "str0.ini", "Path=Graphite", "Path=../../etc");
         },
         "The skin path \"../../etc\" leads out of the skin folder"},
        {"main.png with a sound header and damaged data",
         [](const auto& dir) {
             std::fstream png(dir / "Skins/Graphite/main.png",
                              std::ios::in | std::ios::out | std::ios::binary);
             const std::string bytes((std::istreambuf_iterator<char>(png)), {});
             png.seekp(static_cast<std::streamoff>(bytes.find("IDAT") + 40));
             png << std::string(64, '\x5A');
         },
         "Skins/Graphite has no usable main.png (", true},
        {"INI unreadable",
         [](const auto& dir) { std::filesystem::resize_file(dir / "str0.ini", 2 * 1024 * 1024); },
         "str0.ini is larger than"},
        // Causes that used to be reported as a skin folder without images.
        {"NUL byte in the profile list",
         [](const auto& dir) { write_text(dir / "str.ini", std::string("[Profile]\0\n", 12)); },
         "The profile list cannot be read, so the window cannot be drawn: "},
        {"profile list missing", [](const auto& dir) { std::filesystem::remove(dir / "str.ini"); },
         "str.ini does not exist"},
        {"profile INI without INI lines",
         [](const auto& dir) { write_text(dir / "str0.ini", "this is not an INI file\n"); },
         "str0.ini names no skin"},
    };
    for (const Case& c : cases) {
        test::ShippedDataFolder spoilt;
        if (c.skin) spoilt.own_skins();
        c.spoil(spoilt.dir.path());
        RecordingMessages said;
        AppOptions o = options();
        o.data_dir = spoilt.path();
        Application app(o, &sink, &said, &pointer);
        EXPECT_FALSE(app.start()) << c.what;
        ASSERT_EQ(said.texts.size(), 1u) << c.what;
        EXPECT_NE(said.texts[0].find(c.expected), std::string::npos) << said.texts[0];
        EXPECT_NE(said.texts[0].find(spoilt.dir.path().string()), std::string::npos) << c.what;
        EXPECT_EQ(app.window(), nullptr);
    }
}

TEST_F(ApplicationFlowsTest, ASkinImageTheSplashDoesNotNeedIsCheckedOnceItIsPainted) {
    // A FIFO would hang whoever decodes it; only the panel that shows it would open it.
    data.own_skins();
    const std::filesystem::path config = file("Skins/Graphite/Config/Config.png");
    std::filesystem::remove(config);
    ASSERT_EQ(::mkfifo(config.c_str(), 0600), 0);
    Application app(options(), &sink, &messages, &pointer);
    ASSERT_TRUE(app.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.refused(); }, 5000));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("has no usable Config/Config.png: not a regular file"),
              std::string::npos)
        << messages.texts[0];
    EXPECT_FALSE(app.window()->isVisible());
    // Refused outside the program's event loop, it leaves the loops started later running:
    // the next modal dialog's, the next test's.
    QEventLoop later;
    QTimer::singleShot(0, &later, [&later] { later.exit(7); });
    EXPECT_EQ(later.exec(), 7);
}

}  // namespace
}  // namespace p330::gui
