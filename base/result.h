// A value, or the failure that stands in its place: a stable code to act on and a message to show.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace sw {

template <typename Code>
struct Failure {
  Code code;
  std::string message;
};

// For operations that give nothing back but may fail.
struct Done {
  bool operator==(const Done&) const = default;
};

template <typename T, typename Code>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure<Code> failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  // Only when ok().
  const T& value() const& { return std::get<0>(state_); }
  T& value() & { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  // Only when !ok().
  Code code() const { return std::get<1>(state_).code; }
  const Failure<Code>& failure() const { return std::get<1>(state_); }
  // Empty when ok().
  const std::string& message() const {
    static const std::string kNone;
    return ok() ? kNone : std::get<1>(state_).message;
  }

 private:
  std::variant<T, Failure<Code>> state_;
};

}  // namespace sw
