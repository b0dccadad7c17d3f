#include "core/flows/settings_controller.h"

#include <gtest/gtest.h>

#include "core/device/simulated_mouse.h"
#include "fixtures/data_folder.h"

namespace p330 {
namespace {

class RecordingPointer : public PointerSettings {
  public:
    PointerApplied apply(const PointerValues& values) override {
        seen.push_back(values);
        return result;
    }
    std::vector<PointerValues> seen;
    PointerApplied result;  // every setting taken
};

class SettingsControllerTest : public ::testing::Test {
  protected:
    SettingsControllerTest() {
        data.write_image("config.bin", '\x02');  // the defaults: every byte 2
        data.write_image("config0.bin", '\x07');
        data.write_image("config1.bin", '\x09');
        data.write_profile_list(2, "A", {"A", "B"});
        data.write("str0.ini", "[Setting-EN]\nItem1=Mine\n[Skins]\nLan=EN\n");
    }

    test::TestDataFolder data;
    ManualClock clock;
    SimulatedMouse mouse{clock};
    CommandProtocol protocol{mouse, clock};
    RecordingPointer pointer;
    SettingsController controller{data.folder, &protocol, &pointer};
};

TEST_F(SettingsControllerTest, StartLoadsTheActiveProfileAndItsLabels) {
    EXPECT_TRUE(controller.start().image_loaded);
    EXPECT_EQ(controller.record().dpi_stage[0], 7);
    EXPECT_EQ(controller.settings().saved_settings.dpi_stage[0], 7);
    EXPECT_EQ(controller.labels()[0], "Mine");
    EXPECT_EQ(controller.language(), Language::kEnglish);
}

// A profile the program never wrote is refused at start: the window gets the shipped defaults
// and says so, and the file stays as it was until a Save.
TEST_F(SettingsControllerTest, ARefusedImageAtStartShowsTheDefaultsAndKeepsTheFile) {
    std::string noise(kProfileImageSize, '\xEE');
    data.write("config0.bin", noise);
    const LoadResult loaded = controller.start();
    EXPECT_FALSE(loaded.image_loaded);
    ASSERT_TRUE(loaded.message);
    EXPECT_NE(loaded.message->text.find("config0.bin is not a profile this program wrote"),
              std::string::npos);
    EXPECT_NE(loaded.message->text.find("shipped defaults"), std::string::npos);
    EXPECT_EQ(controller.record().dpi_stage[0], 2);  // the defaults: every sound byte 2
    EXPECT_EQ(data.read("config0.bin"), noise);
}

TEST_F(SettingsControllerTest, ApplyWithoutTheMouseDoesNothing) {
    controller.start();
    controller.record().dpi_stage[0] = 40;
    const FlowReport report = controller.apply();
    EXPECT_FALSE(report.uploaded);
    EXPECT_TRUE(mouse.log().empty());
    EXPECT_EQ(data.read("config0.bin")[1 + 7], 7);
    EXPECT_TRUE(pointer.seen.empty());
}

TEST_F(SettingsControllerTest, FailedTransfersAndRefusedSettingsAreReported) {
    controller.start();
    controller.connect();
    mouse.unplug();
    pointer.result[PointerSetting::kMouse] = PointerOutcome::kNoDevice;  // not listed: not set
    pointer.result[PointerSetting::kSpeed] = PointerOutcome::kRefused;
    pointer.result[PointerSetting::kDoubleClick] = PointerOutcome::kRefused;
    const FlowReport report = controller.apply();
    ASSERT_EQ(report.messages.size(), 4u);
    EXPECT_EQ(report.messages[0].caption, "Warning");
    EXPECT_NE(report.messages[0].text.find(
                  "(1 of 44 transfers failed, 43 not sent after the mouse stopped answering)"),
              std::string::npos)
        << report.messages[0].text;
    EXPECT_EQ(report.messages[1].text, "SETMOUSE failed.");
    EXPECT_EQ(report.messages[2].text, "SETMOUSESPEED failed.");
    EXPECT_EQ(report.messages[3].text, "SPI_SETDOUBLECLICKTIME failed.");

    TransferTally tally;
    tally.note(Status::ok());
    tally.note(Error{ErrorCode::kDisconnected, "gone"});
    EXPECT_EQ(upload_failed_message(tally, Language::kSimplifiedChinese).text,
              "鼠标未收到全部设置（2 次传输中有 1 次失败）。请检查连接后重新保存。");
    EXPECT_EQ(upload_failed_message(tally, Language::kTraditionalChinese).text,
              "滑鼠未收到全部設定（2 次傳輸中有 1 次失敗）。請檢查連線後重新儲存。");
}

TEST_F(SettingsControllerTest, ASettingTheDesktopLacksIsToldOncePerRunInTheProfilesLanguage) {
    data.write("str0.ini", "[Skins]\nLan=CHS\n");
    controller.start();
    controller.connect();
    pointer.result[PointerSetting::kSpeed] = PointerOutcome::kRefused;
    pointer.result[PointerSetting::kScrollLines] = PointerOutcome::kUnsupported;
    pointer.result[PointerSetting::kDoubleClick] = PointerOutcome::kUnsupported;
    const FlowReport first = controller.apply();
    ASSERT_EQ(first.messages.size(), 2u);
    EXPECT_EQ(first.messages[0].text, "SETMOUSESPEED failed.");
    EXPECT_EQ(first.messages[1].text,
              "此桌面没有滚轮滚动行数、双击时间设置，配置中的这一部分不会在此生效。");
    EXPECT_EQ(first.messages[1].caption, "");  // the application's title
    const FlowReport second = controller.reset();
    ASSERT_EQ(second.messages.size(), 1u);  // the refusal again, the note not
    EXPECT_EQ(second.messages[0].text, "SETMOUSESPEED failed.");
}

TEST_F(SettingsControllerTest, ResetWithoutTheMouseThenCancelBringsBackTheAppliedSettings) {
    controller.start();
    controller.record().dpi_stage[0] = 50;  // an edit, not applied
    const FlowReport reset = controller.reset();
    EXPECT_FALSE(reset.uploaded);
    EXPECT_EQ(controller.record().dpi_stage[0], 2);  // the defaults are shown
    EXPECT_EQ(data.read("config0.bin")[1 + 7], 7);   // and not saved
    controller.cancel();
    EXPECT_EQ(controller.record().dpi_stage[0], 7);  // the last applied settings
    EXPECT_TRUE(controller.reload_pending());
    EXPECT_FALSE(controller.profile().load_defaults);
}

TEST_F(SettingsControllerTest, ResetWithTheMouseSavesTheDefaultsIntoTheCurrentProfile) {
    controller.start();
    controller.connect();
    controller.record().profile_slot = 4;
    const FlowReport reset = controller.reset();
    EXPECT_TRUE(reset.uploaded);
    EXPECT_EQ(data.read("config0.bin")[1 + 7], 2);
    EXPECT_EQ(data.read("config.bin")[0], 0);  // the defaults file itself is untouched
}

TEST_F(SettingsControllerTest, SelectedProfileIsWhereTheNextApplySaves) {
    controller.start();
    controller.connect();
    controller.select_profile(1);
    controller.record().dpi_stage[0] = 44;
    controller.apply();
    EXPECT_EQ(data.read("config1.bin")[1 + 7], 44);
    EXPECT_EQ(data.read("config0.bin")[1 + 7], 7);
}

TEST(PointerValuesTest, ConversionsOfTheProfileSettings) {
    SettingsRecord r{};
    r.pointer_precision = 1;
    r.pointer_speed = 2;
    r.scroll_lines = 3;
    r.double_click_level = 5;
    PointerValues v = pointer_values(r);
    EXPECT_EQ(v.mouse, (std::array<int, 3>{6, 10, 1}));
    EXPECT_EQ(v.speed, 2);
    EXPECT_EQ(v.scroll_lines, 3u);
    EXPECT_EQ(v.double_click_ms, 620);
    r.pointer_precision = 2;
    r.pointer_speed = 1;
    r.scroll_by_page = 1;
    v = pointer_values(r);
    EXPECT_EQ(v.mouse, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(v.speed, 1);
    EXPECT_EQ(v.scroll_lines, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace p330
