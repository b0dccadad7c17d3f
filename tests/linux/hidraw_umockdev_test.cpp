// The real Linux device path (libudev discovery, hidraw transfers, the listener, the udev
// monitor) inside a umockdev testbed.

#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "core/device/linux/hidraw_link.h"
#include "core/device/linux/hotplug_monitor.h"
#include "core/device/listener.h"
#include "core/flows/full_upload.h"
#include "core/session/arrival_settler.h"
#include "core/session/mouse_session.h"
#include "fixtures/data_folder.h"
#include "fixtures/mouse_descriptors.h"
#include "fixtures/records.h"
#include "fixtures/temp_dir.h"
#include "mouse_testbed.h"

namespace p330 {
namespace {

class HidrawTest : public ::testing::Test {
  protected:
    test::MouseTestbed testbed;
    ManualClock clock;

    std::unique_ptr<MouseLink> open() {
        Result<std::unique_ptr<MouseLink>> link = open_mouse_link("auto", clock);
        EXPECT_TRUE(link) << (link ? "" : link.error().message);
        return link ? std::move(*link) : nullptr;
    }

    // A full upload of an empty record to the mouse, its firmware set up first; the read of
    // its state that follows on the same link in read_after, when given.
    TransferTally upload(void (*set_up)(test::FakeCommandNode&), TransferTally* read_after) {
        testbed.plug();
        auto link = open();
        if (!link) return {};
        {
            std::lock_guard lock(testbed.firmware().mutex);
            set_up(testbed.firmware());
        }
        SettingsRecord record{};
        DeviceImage image;
        CommandProtocol protocol(link->transport(), clock);
        const TransferTally tally = full_upload(protocol, record, image);
        if (read_after != nullptr) *read_after = read_mouse_state(protocol, image);
        return tally;
    }
};

TEST_F(HidrawTest, DiscoveryFindsBothCollectionsInEitherOrder) {
    for (bool input_first : {false, true}) {
        test::MouseTestbed bed;
        test::MouseShape shape;
        shape.input_first = input_first;
        bed.plug(shape);
        Result<std::vector<HidrawNode>> nodes = find_mouse_nodes();
        ASSERT_TRUE(nodes);
        ASSERT_EQ(nodes->size(), 2u);
        Result<std::unique_ptr<MouseLink>> link = open_mouse_link("auto", clock);
        ASSERT_TRUE(link) << link.error().message;
        EXPECT_GE((*link)->input_fd(), 0) << "input first: " << input_first;
        EXPECT_EQ((*link)->transport().input_report_length(), 65u);
        EXPECT_NE((*link)->description().find(bed.command_node()), std::string::npos);
    }
}

TEST_F(HidrawTest, NoMouseOtherProductAndWrongFeatureLength) {
    Result<std::unique_ptr<MouseLink>> none = open_mouse_link("auto", clock);
    ASSERT_FALSE(none);
    EXPECT_EQ(none.error().code, ErrorCode::kNotFound);
    {
        test::MouseTestbed bed;
        test::MouseShape other;
        other.product = 0xC7E3;
        bed.plug(other);
        EXPECT_TRUE(find_mouse_nodes()->empty());
        EXPECT_FALSE(open_mouse_link("auto", clock));
    }
    test::MouseTestbed bed;
    test::MouseShape wide;
    wide.command_descriptor = test::command_descriptor_with_feature(16);
    bed.plug(wide);
    EXPECT_EQ(find_mouse_nodes()->size(), 2u);
    Result<std::unique_ptr<MouseLink>> refused = open_mouse_link("auto", clock);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("command interface"), std::string::npos);
}

TEST_F(HidrawTest, WholeUploadThroughHidrawIsByteForByteTheProtocol) {
    testbed.plug();
    auto link = open();
    ASSERT_TRUE(link);
    SettingsRecord record{};
    record.report_interval = 4;
    record.dpi_stage[2] = 60;
    record.button_kind[3] = 5;
    record.macro_block[11][2] = 0x42;
    DeviceImage image;
    CommandProtocol protocol(link->transport(), clock);
    ASSERT_TRUE(full_upload(protocol, record, image).ok());

    // The same upload straight into a model gives the reference bytes.
    ManualClock reference_clock;
    SimulatedMouse reference(reference_clock);
    CommandProtocol direct(reference, reference_clock);
    SettingsRecord again = record;
    DeviceImage other;
    full_upload(direct, again, other);
    std::lock_guard lock(testbed.firmware().mutex);
    const auto& wire = testbed.firmware().mouse.log();
    ASSERT_EQ(wire.size(), reference.log().size());
    for (std::size_t i = 0; i < wire.size(); ++i) {
        EXPECT_EQ(test::hex(wire[i].bytes), test::hex(reference.log()[i].bytes)) << "report " << i;
    }
    EXPECT_EQ(testbed.firmware().mouse.slot(0).parameters[0x56], 60);
}

TEST_F(HidrawTest, ParameterBlockReadComesBackThroughInputReports) {
    testbed.plug();
    auto link = open();
    ASSERT_TRUE(link);
    CommandProtocol protocol(link->transport(), SystemClock::instance());
    DeviceImage image;
    const TransferTally tally = read_mouse_state(protocol, image);
    ASSERT_TRUE(tally.ok()) << tally.status().message();
    EXPECT_EQ(test::hex(image.parameter_block[0]), test::hex(kParameterBlockTemplate));
    EXPECT_EQ(stage_dpi(image, 0, 4), 2000);
}

TEST_F(HidrawTest, MouseReportsReachTheListener) {
    testbed.plug();
    auto link = open();
    ASSERT_TRUE(link);
    std::vector<std::pair<int, int>> seen;
    DeviceListener listener([&](MouseReport r) { seen.emplace_back(r.type, r.value); });
    listener.start();
    listener.set_source(link.get());
    for (auto report : {std::vector<std::uint8_t>{6, 7, 2, 3}, {5, 7, 1, 1}, {6, 7, 9, 2}}) {
        testbed.send_input_report(report);
        pollfd pfd{listener.owner_fd(), POLLIN, 0};
        if (::poll(&pfd, 1, report[0] == 6 ? 5000 : 200) == 1) listener.dispatch();
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{2, 3}, {9, 2}}));
    listener.set_source(nullptr);
    listener.stop();
}

TEST_F(HidrawTest, UnplugInTheMiddleOfAnUploadIsReportedWithoutHanging) {
    TransferTally read;
    const TransferTally tally =
        upload([](test::FakeCommandNode& node) { node.writes_until_unplug = 12; }, &read);
    EXPECT_EQ(tally.failed(), 44 - 12);
    EXPECT_EQ(tally.status().error().code, ErrorCode::kDisconnected);
    EXPECT_FALSE(read.ok());  // a read on the vanished mouse fails instead of waiting
}

// Still plugged in but silent from its tenth transfer: three time-outs, then no more tries.
TEST_F(HidrawTest, AMouseThatStopsAnsweringEndsTheUploadAfterThreeTimeOuts) {
    const TransferTally tally =
        upload([](test::FakeCommandNode& node) { node.answers_until_silent = 10; }, nullptr);
    EXPECT_EQ(tally.failed(), 44 - 10);
    EXPECT_EQ(tally.status().error().code, ErrorCode::kTimeout);
    std::lock_guard lock(testbed.firmware().mutex);
    EXPECT_EQ(testbed.firmware().transfers, 13);
}

// Two programs with the mouse: while one holds it for a sequence, the other is told the mouse
// is busy and sends nothing; once it is free, the other's upload goes through whole.
TEST_F(HidrawTest, ASecondProgramIsToldTheMouseIsBusyAndNothingInterleaves) {
    testbed.plug();
    auto first = open();
    auto second = open();
    ASSERT_TRUE(first && second);
    SettingsRecord record{};
    DeviceImage image;
    CommandProtocol protocol(second->transport(), clock);
    {
        const SequenceClaim uploading(first->transport());
        ASSERT_TRUE(uploading.status());
        EXPECT_EQ(full_upload(protocol, record, image).status().error().code, ErrorCode::kBusy);
        std::lock_guard lock(testbed.firmware().mutex);
        EXPECT_EQ(testbed.firmware().transfers, 0);
    }
    EXPECT_TRUE(full_upload(protocol, record, image).ok());
    std::lock_guard lock(testbed.firmware().mutex);
    EXPECT_EQ(testbed.firmware().transfers, 44);
}

class RecordingSink : public NotificationSink {
  public:
    void notify(const Notification& n) override { texts.push_back(n.text); }
    std::vector<std::string> texts;
};

std::vector<HotplugEvent> wait_for_events(HotplugMonitor& monitor, std::size_t count) {
    std::vector<HotplugEvent> events;
    pollfd pfd{monitor.fd(), POLLIN, 0};
    while (events.size() < count && ::poll(&pfd, 1, 2000) == 1) {
        for (HotplugEvent& e : monitor.receive()) events.push_back(std::move(e));
    }
    return events;
}

TEST_F(HidrawTest, UnplugAndReplugUnderANewNameRunTheDeviceChangeSequence) {
    Result<std::unique_ptr<HotplugMonitor>> monitor = HotplugMonitor::create();
    ASSERT_TRUE(monitor) << monitor.error().message;
    testbed.plug();
    EXPECT_EQ(wait_for_events(**monitor, 2).size(), 2u);

    test::TestDataFolder data;
    data.write_image("config0.bin", '\x03');
    data.write_profile_list(1, "A", {"A"});
    RecordingSink sink;
    SettingsController controller(data.folder, nullptr, nullptr);
    controller.start();
    DeviceListener listener([](MouseReport) {});
    listener.start();
    MouseSession session([this] { return open_mouse_link("auto", clock); }, clock, controller, sink,
                         &listener);
    ASSERT_TRUE(session.open_at_start());

    testbed.unplug();
    std::vector<HotplugEvent> removed = wait_for_events(**monitor, 2);
    ASSERT_EQ(removed.size(), 2u);
    for (const HotplugEvent& e : removed) {
        EXPECT_EQ(e.action, HotplugEvent::Action::kRemoval);
        session.on_removal();
    }
    EXPECT_FALSE(session.connected());
    ASSERT_FALSE(sink.texts.empty());
    EXPECT_EQ(sink.texts.back(), "The system did not detect the gaming mouse!");

    test::MouseShape replugged;
    replugged.usb_port = "1-5";
    replugged.first_hidraw = 2;
    replugged.first_hid_instance = 3;
    replugged.input_first = true;  // the order in which acting at once said "did not detect"
    testbed.plug(replugged);
    std::vector<HotplugEvent> arrived = wait_for_events(**monitor, 2);
    ASSERT_EQ(arrived.size(), 2u);
    EXPECT_EQ(arrived[0].devnode, "/dev/hidraw2");
    EXPECT_TRUE(arrived[0].input && !arrived[0].command);
    EXPECT_TRUE(arrived[1].command && !arrived[1].input);
    ArrivalSettler settler;  // one arrival for the plug-in, once both nodes are there
    const auto now = std::chrono::steady_clock::now();
    EXPECT_FALSE(settler.node_arrived(arrived[0], now));
    ASSERT_TRUE(settler.node_arrived(arrived[1], now));
    const std::size_t told = sink.texts.size();
    session.on_arrival();
    EXPECT_TRUE(session.connected());
    ASSERT_EQ(sink.texts.size(), told + 1);
    EXPECT_EQ(sink.texts.back(), "The system detect the gaming mouse.");
    std::lock_guard lock(testbed.firmware().mutex);
    const auto& wire = testbed.firmware().mouse.log();
    ASSERT_GE(wire.size(), 3u);
    EXPECT_EQ(wire[0].bytes[1], 0x82);
    EXPECT_EQ(test::hex(wire[2].bytes), "00 01 FC 00 00 00 00 00 02");
    listener.stop();
}

// A node this user may not open is reported as a permission problem that names the udev rule,
// not as a missing mouse. Root may open anything, so as root the check runs as "nobody".
TEST(HidrawPermissionTest, ANodeThatMayNotBeOpenedNamesTheUdevRule) {
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec);
    const std::filesystem::path devnode = dir.path() / "hidraw7";
    std::ofstream(devnode).put('\0');
    std::filesystem::permissions(devnode, std::filesystem::perms::none);

    HidrawNode node;
    node.devnode = devnode.string();
    node.descriptor = *parse_report_descriptor(test::kCommandDescriptor);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(10);
        Result<std::unique_ptr<MouseLink>> link = open_hidraw_mouse({node});
        if (link) ::_exit(11);
        if (link.error().code != ErrorCode::kPermission) ::_exit(12);
        if (link.error().message.find("udev rule 70-p330.rules") == std::string::npos) ::_exit(13);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: could not become nobody, 11: opened, "
                                         "12: another error, 13: no hint of the udev rule";
}

}  // namespace
}  // namespace p330

int main(int argc, char** argv) {
    p330::test::reexec_under_umockdev(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
