// Move-only owners for the Win32 handles the window layer acquires.
#pragma once

#include <windows.h>

#include <utility>

namespace txtseal::ui::win32 {

template <typename Handle, typename Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle h) : handle_(h) {}
  ~Unique() { reset(); }
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Traits::invalid())) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Traits::invalid());
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  [[nodiscard]] Handle get() const { return handle_; }
  [[nodiscard]] explicit operator bool() const { return handle_ != Traits::invalid(); }
  void reset(Handle h = Traits::invalid()) {
    if (handle_ != Traits::invalid()) Traits::close(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
using UniqueFile = Unique<HANDLE, FileHandleTraits>;

template <typename Gdi>
struct GdiTraits {
  static Gdi invalid() { return nullptr; }
  static void close(Gdi h) { DeleteObject(h); }
};
using UniqueFont = Unique<HFONT, GdiTraits<HFONT>>;

}  // namespace txtseal::ui::win32
