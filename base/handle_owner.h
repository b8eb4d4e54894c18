// The one owner of a system handle: whatever it holds is released exactly once, by `Release`.
// Portable (no system headers), so that code binding its system functions at run time uses it too.
#pragma once

#include <utility>

namespace sw {

// `Handle` is a pointer-like value whose value-initialised form means "nothing", or a small struct (a DC
// and what to put back into it) with an operator== where the same holds. `Release` is a function taking
// a Handle. An empty owner (default-constructed, moved from, released or reset) releases nothing.
template <typename Handle, auto Release>
class HandleOwner {
 public:
  constexpr HandleOwner() noexcept = default;
  explicit HandleOwner(Handle handle) noexcept : handle_(handle) {}
  HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  HandleOwner& operator=(HandleOwner&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  HandleOwner(const HandleOwner&) = delete;
  HandleOwner& operator=(const HandleOwner&) = delete;
  ~HandleOwner() { reset(); }

  const Handle& get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return !(handle_ == Handle{}); }

  // Hands the handle over without releasing it.
  Handle release() noexcept { return std::exchange(handle_, Handle{}); }

  // Takes `handle` and releases the one held before, unless it is the same one.
  void reset(Handle handle = Handle{}) noexcept {
    const Handle previous = std::exchange(handle_, handle);
    if (!(previous == Handle{}) && !(previous == handle)) Release(previous);
  }

 private:
  Handle handle_{};
};

}  // namespace sw
