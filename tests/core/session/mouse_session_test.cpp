#include "core/session/mouse_session.h"

#include <gtest/gtest.h>

#include "core/device/simulated_link.h"
#include "core/device/simulated_mouse.h"
#include "fixtures/data_folder.h"
#include "fixtures/recording_sink.h"
#include "fixtures/records.h"

namespace p330 {
namespace {

using test::RecordingSink;

class MouseSessionTest : public ::testing::Test {
  protected:
    MouseSessionTest() {
        data.write_image("config0.bin", '\x03');
        data.write_profile_list(1, "A", {"A"});
    }
    void use_language(const char* code) {
        data.write("str0.ini", std::string("[Skins]\nLan=") + code + "\n");
        controller.start();
    }
    MouseSession::Opener opener() {
        return [this]() -> Result<std::unique_ptr<MouseLink>> {
            if (!mouse.plugged())
                return Error{ErrorCode::kNotFound, "the mouse (USB 04D9:C7E2) was not found"};
            return std::unique_ptr<MouseLink>(std::make_unique<SimulatedMouseLink>(mouse));
        };
    }

    test::TestDataFolder data;
    ManualClock clock;
    SimulatedMouse mouse{clock};
    RecordingSink sink;
    SettingsController controller{data.folder, nullptr, nullptr};
    MouseSession session{opener(), clock, controller, sink, nullptr};
};

TEST_F(MouseSessionTest, StartGreetsTheMouse) {
    use_language("EN");
    mouse.set_current_profile(2);
    ASSERT_TRUE(session.open_at_start());
    EXPECT_TRUE(session.connected());
    EXPECT_EQ(controller.record().profile_slot, 2);
    ASSERT_EQ(mouse.log().size(), 3u);
    EXPECT_EQ(test::hex(mouse.log()[0].bytes), "00 82 00 00 00 00 00 00 7D");
    EXPECT_EQ(test::hex(mouse.log()[2].bytes), "00 01 FC 00 00 00 00 00 02");
    EXPECT_EQ(mouse.host_mode(), 0xFC);
}

TEST_F(MouseSessionTest, UnplugAndPlugBack) {
    use_language("EN");
    ASSERT_TRUE(session.open_at_start());
    controller.record().dpi_stage[0] = 99;  // unsaved edit, replaced by the reload

    mouse.unplug();
    session.on_removal();
    EXPECT_FALSE(session.connected());
    ASSERT_EQ(sink.seen.size(), 1u);
    EXPECT_EQ(sink.seen[0].text, "The system did not detect the gaming mouse!");
    EXPECT_EQ(sink.seen[0].title, "Warning");
    session.on_mouse_report({1, 1});  // no mouse: no commands, no balloon
    EXPECT_EQ(sink.seen.size(), 1u);

    mouse.plug();
    mouse.clear_log();
    session.on_arrival();
    EXPECT_TRUE(session.connected());
    ASSERT_EQ(sink.seen.size(), 2u);
    EXPECT_EQ(sink.seen[1].text, "The system detect the gaming mouse.");
    EXPECT_EQ(sink.seen[1].timeout_ms, 100);
    EXPECT_EQ(mouse.log()[0].bytes[1], 0x82);
    EXPECT_EQ(mouse.log()[2].bytes[1], 0x01);
    EXPECT_EQ(controller.record().dpi_stage[0], 3);
}

TEST_F(MouseSessionTest, WhileAnUploadHoldsTheLinkReportsAndArrivalsWaitAndRunInOrder) {
    use_language("EN");
    ASSERT_TRUE(session.open_at_start());
    int reloads = 0;
    session.on_profile_reloaded = [&](const LoadResult& loaded) {
        reloads += loaded.image_loaded ? 1 : 0;
    };
    mouse.clear_log();
    session.hold_link();
    session.on_mouse_report({2, 3});
    session.on_arrival();
    EXPECT_TRUE(mouse.log().empty());
    EXPECT_TRUE(sink.seen.empty());
    EXPECT_EQ(reloads, 0);

    session.release_link();
    ASSERT_EQ(sink.seen.size(), 2u);
    EXPECT_EQ(sink.seen[0].text, "Switch DPI into the third stage 1000");
    EXPECT_EQ(sink.seen[1].text, "The system detect the gaming mouse.");
    EXPECT_EQ(reloads, 1);
    EXPECT_FALSE(session.link_held());
}

TEST_F(MouseSessionTest, ArrivalThatCannotBeOpenedHidesTheWindow) {
    use_language("CHT");
    bool hidden = false;
    session.on_arrival_failed = [&] { hidden = true; };
    mouse.unplug();
    session.on_arrival();
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(session.connected());
    ASSERT_EQ(sink.seen.size(), 1u);
    EXPECT_EQ(sink.seen[0].text, "系統沒有檢測到遊戲滑鼠！");
}

}  // namespace
}  // namespace p330
