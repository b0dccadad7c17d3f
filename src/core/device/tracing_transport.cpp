#include "core/device/tracing_transport.h"

#include <string>

#include "core/util/hex.h"

namespace p330 {

void TracingTransport::trace(const char* type, std::span<const std::uint8_t> bytes,
                             const Status& status) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - start_);
    std::string line = std::to_string(ms.count()) + " " + type + " " + to_hex(bytes);
    if (!status) line += "  # failed: " + status.message();
    line += '\n';
    std::fputs(line.c_str(), out_);
}

Status TracingTransport::set_feature(std::span<const std::uint8_t> report) {
    Status status = inner_.set_feature(report);
    trace("set-feature", report, status);
    return status;
}

Status TracingTransport::get_feature(std::span<std::uint8_t> report) {
    Status status = inner_.get_feature(report);
    trace("get-feature", report, status);
    return status;
}

Status TracingTransport::write_output(std::span<const std::uint8_t> report) {
    Status status = inner_.write_output(report);
    trace("output", report, status);
    return status;
}

Result<std::size_t> TracingTransport::read_input(std::span<std::uint8_t> report,
                                                 std::chrono::milliseconds timeout) {
    Result<std::size_t> got = inner_.read_input(report, timeout);
    trace("input", got ? report.first(*got) : report.first(0), got.status());
    return got;
}

}  // namespace p330
