#pragma once
// A value or the reason there is none.

#include <optional>
#include <string>
#include <utility>

namespace base {

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: implicit on purpose
  static Result Fail(std::string why) {
    Result r;
    r.error_ = std::move(why);
    return r;
  }

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_; }
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  Result() = default;
  std::optional<T> value_;
  std::string error_;
};

}  // namespace base
