// Texts and byte strings: the two kinds of value the sealing core works on.
//
// A text is a byte string in the system's ANSI code page (GBK on the Chinese
// systems the tool is made for) that never holds a zero byte; it is measured
// in bytes, so a double-byte character counts as two. A byte string may hold
// any byte. Both are values: every operation returns a new one.
//
// Counts and positions are 1-based and never fail: out-of-range arguments
// give a shorter or empty result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace txtseal {

using Bytes = std::vector<std::uint8_t>;
// Bytes looked at where they are, for handing on without a copy.
using ByteView = std::span<const std::uint8_t>;

class Text {
 public:
  Text() = default;
  // The bytes up to, not including, the first zero byte: the way a C string
  // ends. This is the only way bytes become a text, so no text holds a zero.
  Text(const char* zeroTerminated);  // NOLINT(google-explicit-constructor): literals read naturally
  explicit Text(std::string_view bytes);
  explicit Text(std::string&& bytes);

  [[nodiscard]] std::string_view view() const noexcept { return bytes_; }
  [[nodiscard]] const std::string& str() const noexcept { return bytes_; }
  // Zero-terminated, for handing to the platform.
  [[nodiscard]] const char* c_str() const noexcept { return bytes_.c_str(); }
  [[nodiscard]] std::size_t size() const noexcept { return bytes_.size(); }
  [[nodiscard]] bool empty() const noexcept { return bytes_.empty(); }

  friend bool operator==(const Text&, const Text&) = default;

 private:
  friend struct TextAccess;
  std::string bytes_;
};

// Signed, so that callers can pass the negative counts the rules allow for.
using Count = std::int64_t;

[[nodiscard]] Count textLength(const Text& t);
[[nodiscard]] Text textLeft(const Text& t, Count n);
[[nodiscard]] Text textRight(const Text& t, Count n);
[[nodiscard]] Text textMid(const Text& t, Count start, Count n);
// Only ASCII letters change; a byte of 0x80 or above leads a double-byte
// character, which is copied whole, so trail bytes that look like letters stay.
[[nodiscard]] Text toUpper(const Text& t);
[[nodiscard]] Text toLower(const Text& t);
[[nodiscard]] bool textEquals(const Text& a, const Text& b);
[[nodiscard]] Text concatText(std::initializer_list<Text> parts);
[[nodiscard]] Bytes concatBytes(std::initializer_list<Bytes> parts);
[[nodiscard]] Bytes textToBytes(const Text& t);
// The text's bytes in place, without a terminator.
[[nodiscard]] inline ByteView viewBytes(const Text& t) {
  return {reinterpret_cast<const std::uint8_t*>(t.view().data()), t.size()};
}
// Stops at the first zero byte.
[[nodiscard]] Text bytesToText(const Bytes& b);
[[nodiscard]] constexpr std::uint8_t lowByte(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 255);
}

}  // namespace txtseal
