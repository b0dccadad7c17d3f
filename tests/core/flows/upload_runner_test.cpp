// An upload on the runner's thread while the listener's thread hands over the mouse's own
// reports: the reports wait for the upload, nothing interleaves on the wire. Runs under
// ThreadSanitizer too.
#include "core/flows/upload_runner.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/device/listener.h"
#include "core/device/simulated_link.h"
#include "core/device/simulated_mouse.h"
#include "core/session/mouse_session.h"
#include "fixtures/data_folder.h"
#include "fixtures/recording_sink.h"

namespace p330 {
namespace {

// Counts time like ManualClock, but the first pause (the upload's) waits until the test opens
// the gate: the upload is then surely running while the test acts.
class GatedClock final : public Clock {
  public:
    std::chrono::microseconds now() const override { return std::chrono::microseconds(now_us_); }
    void pause(std::chrono::milliseconds duration) override {
        std::unique_lock lock(mutex_);
        if (!paused_) {
            paused_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return open_; });
        }
        now_us_ += std::chrono::microseconds(duration).count();
    }
    void wait_until_paused() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return paused_; });
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    std::atomic<long long> now_us_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool paused_ = false;
    bool open_ = false;
};

bool wait_readable(int fd) {
    pollfd pfd{fd, POLLIN, 0};
    return ::poll(&pfd, 1, 5000) == 1;
}

TEST(UploadRunnerTest, TheMousesReportsWaitForTheUploadOnItsThread) {
    test::TestDataFolder data;
    data.write_image("config0.bin", '\x03');
    data.write_profile_list(1, "A", {"A"});
    GatedClock clock;
    SimulatedMouse mouse(clock);
    test::RecordingSink sink;
    SettingsController controller(data.folder, nullptr, nullptr);
    controller.start();
    std::unique_ptr<MouseSession> session;
    DeviceListener listener([&](MouseReport report) { session->on_mouse_report(report); });
    session = std::make_unique<MouseSession>(
        [&]() -> Result<std::unique_ptr<MouseLink>> {
            return std::unique_ptr<MouseLink>(std::make_unique<SimulatedMouseLink>(mouse));
        },
        clock, controller, sink, &listener);
    listener.start();
    ASSERT_TRUE(session->open_at_start());
    mouse.clear_log();

    UploadRunner runner;
    std::optional<UploadJob> job = controller.begin_apply();
    ASSERT_TRUE(job);
    session->hold_link();
    ASSERT_TRUE(runner.start(std::move(*job)));
    EXPECT_FALSE(runner.start(UploadJob{}));  // one at a time
    clock.wait_until_paused();                // 0x02 is out, the rest to come
    mouse.raise_dpi_stage(3);
    ASSERT_TRUE(wait_readable(listener.owner_fd()));
    listener.dispatch();  // waits in the session, sends nothing
    EXPECT_FALSE(runner.collect());
    EXPECT_TRUE(sink.seen.empty());
    clock.open();

    ASSERT_TRUE(wait_readable(runner.done_fd()));
    std::optional<UploadJob> done = runner.collect();
    ASSERT_TRUE(done);
    EXPECT_FALSE(runner.busy());
    FlowReport report;
    controller.finish_upload(*done, report);
    EXPECT_TRUE(report.upload->ok());
    session->release_link();

    ASSERT_EQ(sink.seen.size(), 1u);
    EXPECT_EQ(sink.seen[0].text, "Switch DPI into the third stage 150");  // read after the upload
    const auto& wire = mouse.log();
    ASSERT_EQ(wire.size(), 44u + 6u);  // the upload, then 0x82 and 0x8C with their answers
    EXPECT_EQ(wire[44].bytes[1], 0x82);
    EXPECT_EQ(mouse.stray_output_count(), 0);
    EXPECT_EQ(mouse.bad_checksum_count(), 0);
    listener.stop();
    session.reset();  // it lets go of the listener, which ends before it otherwise
}

}  // namespace
}  // namespace p330
