#pragma once
// A umockdev testbed holding the mouse as the kernel shows it: a USB device with two HID
// interfaces, each with its hidraw node and report descriptor. The command node is served
// by the simulated firmware as the kernel would (a write is id + 64 bytes; a read of a
// device without report ids gives 64 bytes with no id); the input node is a pty whose
// master the test writes the mouse's own reports into.

#include <umockdev.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/device/clock.h"
#include "core/device/simulated_mouse.h"

namespace p330::test {

struct MouseShape {
    std::string usb_port = "1-4";
    int first_hidraw = 0;
    int first_hid_instance = 1;
    std::uint16_t product = 0xC7E2;
    std::vector<std::uint8_t> command_descriptor;  // defaults to the mouse's
    bool input_first = false;                      // the input collection's node comes first
};

// The firmware behind the command node, reached from umockdev's handler thread.
struct FakeCommandNode {
    std::mutex mutex;
    ManualClock clock;
    SimulatedMouse mouse{clock};
    int doorbell = -1;  // the pty master: one byte waits there while input is queued
    bool unplugged = false;
    int writes_until_unplug = -1;   // unplugs after this many transfers, when not negative
    int answers_until_silent = -1;  // then every transfer times out, the mouse still plugged
    int transfers = 0;
};

class MouseTestbed {
  public:
    MouseTestbed();
    ~MouseTestbed();

    // Adds the mouse; returns the devnodes of the command and the input node.
    void plug(const MouseShape& shape = {});
    // Sends remove uevents and removes the devices bottom-up, hanging up the nodes.
    void unplug();
    // A report of the mouse's own, written to the input node.
    void send_input_report(const std::vector<std::uint8_t>& report);

    FakeCommandNode& firmware() { return *command_; }
    const std::string& command_node() const { return command_node_; }
    const std::string& input_node() const { return input_node_; }

  private:
    UMockdevTestbed* testbed_;
    std::unique_ptr<FakeCommandNode> command_;
    UMockdevIoctlBase* handler_ = nullptr;
    std::vector<std::string> syspaths_;  // top-down, for removal in reverse
    std::vector<std::string> hidraw_syspaths_;
    std::string command_node_;
    std::string input_node_;
    int input_master_ = -1;
    // One open end of every node's pty for the testbed's life: a freed pty number would be
    // handed to the next node and collide with umockdev's record of the old one.
    std::vector<int> pty_keepers_;
};

// Makes the running test binary run under the umockdev preload library (re-executes it
// once); call first thing in main.
void reexec_under_umockdev(int argc, char** argv);

}  // namespace p330::test
