#pragma once

#include <utility>

namespace tallowmere {

// Owns one handle of the system and releases it on every path. The traits
// name the handle's type, the value that holds nothing, and the release:
//   struct Traits {
//     using Type = HKEY;
//     static HKEY Empty() { return nullptr; }
//     static void Release(HKEY key) { RegCloseKey(key); }
//   };
// A handle equal to Empty() or null holds nothing.
template <class Traits>
class Owned {
 public:
  using Type = typename Traits::Type;

  Owned() = default;
  explicit Owned(Type handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Empty())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Traits::Empty());
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  bool Valid() const { return handle_ != Traits::Empty() && handle_ != Type{}; }
  explicit operator bool() const { return Valid(); }
  Type Get() const { return handle_; }
  // For the out parameter of a function that opens or creates; what was held
  // is released first.
  Type* Receive() {
    Reset();
    return &handle_;
  }

 private:
  void Reset() {
    if (Valid()) Traits::Release(handle_);
    handle_ = Traits::Empty();
  }

  Type handle_ = Traits::Empty();
};

}  // namespace tallowmere
