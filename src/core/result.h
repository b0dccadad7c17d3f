#pragma once
// Errors travel as values: every fallible call returns a Status or a Result<T>.

#include <string>
#include <utility>
#include <variant>

namespace p330 {

enum class ErrorCode {
    kIo,            // a read or write failed
    kNotFound,      // a file or device that should exist does not
    kInvalidData,   // the bytes do not have the expected shape
    kTimeout,       // a device did not answer in time
    kDisconnected,  // the device is gone
    kPermission,    // the device exists but may not be opened
    kInvalidArgument,
    kBusy,        // another program is in the middle of a sequence of transfers with the mouse
    kFolderBusy,  // another program kept the data folder's lock past the wait
};

struct Error {
    ErrorCode code = ErrorCode::kIo;
    std::string message;
    int system_code = 0;    // errno, where the system gave one
    bool not_sent = false;  // a transfer never tried: its sequence had already given up
};

class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(Error error) : error_(std::move(error)), ok_(false) {}  // NOLINT: implicit by design
    static Status ok() { return {}; }

    bool is_ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const Error& error() const { return error_; }
    const std::string& message() const { return error_.message; }

  private:
    Error error_;
    bool ok_ = true;
};

template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : data_(std::move(value)) {}      // NOLINT: implicit by design
    Result(Error error) : data_(std::move(error)) {}  // NOLINT: implicit by design

    bool is_ok() const { return std::holds_alternative<T>(data_); }
    explicit operator bool() const { return is_ok(); }
    T& value() { return std::get<T>(data_); }
    const T& value() const { return std::get<T>(data_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<Error>(data_); }
    Status status() const { return is_ok() ? Status::ok() : Status(error()); }

  private:
    std::variant<T, Error> data_;
};

}  // namespace p330
