#pragma once
// Success or a failure with a readable reason, returned as a value.

#include <string>
#include <utility>

namespace base {

class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Fail(std::string why) { return Status(std::move(why)); }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_; }

 private:
  Status() = default;
  explicit Status(std::string why) : failed_(true), error_(std::move(why)) {}
  bool failed_ = false;
  std::string error_;
};

}  // namespace base
