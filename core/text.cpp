#include "text.h"

#include <algorithm>
#include <cstring>

#include "text_access.h"

namespace txtseal {

namespace {

std::string_view upToZero(std::string_view s) {
  const void* zero = std::memchr(s.data(), 0, s.size());
  return zero ? s.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - s.data())) : s;
}

// Clamps a signed count to [0, limit].
std::size_t clampCount(Count n, std::size_t limit) {
  if (n <= 0) return 0;
  return static_cast<std::uint64_t>(n) < limit ? static_cast<std::size_t>(n) : limit;
}

template <char From, char To>
Text mapAsciiLetters(const Text& t) {
  std::string out(t.view());
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b = static_cast<unsigned char>(out[i]);
    if (b >= 0x80) {
      ++i;  // lead byte: its trail byte is part of the character, not a letter
    } else if (b >= From && b <= From + 25) {
      out[i] = static_cast<char>(b - From + To);
    }
  }
  return TextAccess::adopt(std::move(out));
}

}  // namespace

Text::Text(const char* zeroTerminated) : bytes_(zeroTerminated ? zeroTerminated : "") {}

Text::Text(std::string_view bytes) : bytes_(upToZero(bytes)) {}

Text::Text(std::string&& bytes) : bytes_(std::move(bytes)) {
  bytes_.resize(upToZero(bytes_).size());
}

Count textLength(const Text& t) { return static_cast<Count>(t.size()); }

Text textLeft(const Text& t, Count n) {
  return TextAccess::adopt(std::string(t.view().substr(0, clampCount(n, t.size()))));
}

Text textRight(const Text& t, Count n) {
  const std::size_t k = clampCount(n, t.size());
  return TextAccess::adopt(std::string(t.view().substr(t.size() - k)));
}

Text textMid(const Text& t, Count start, Count n) {
  if (start < 1 || static_cast<std::uint64_t>(start) > t.size() || n <= 0) return {};
  const auto from = static_cast<std::size_t>(start - 1);
  return TextAccess::adopt(std::string(t.view().substr(from, clampCount(n, t.size() - from))));
}

Text toUpper(const Text& t) { return mapAsciiLetters<'a', 'A'>(t); }
Text toLower(const Text& t) { return mapAsciiLetters<'A', 'a'>(t); }

bool textEquals(const Text& a, const Text& b) { return a.view() == b.view(); }

Text concatText(std::initializer_list<Text> parts) {
  std::size_t total = 0;
  for (const Text& p : parts) total += p.size();
  std::string out;
  out.reserve(total);
  for (const Text& p : parts) out += p.view();
  return TextAccess::adopt(std::move(out));
}

Bytes concatBytes(std::initializer_list<Bytes> parts) {
  std::size_t total = 0;
  for (const Bytes& p : parts) total += p.size();
  Bytes out;
  out.reserve(total);
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes textToBytes(const Text& t) { return Bytes(t.view().begin(), t.view().end()); }

Text bytesToText(const Bytes& b) {
  const auto zero = std::find(b.begin(), b.end(), std::uint8_t{0});
  return TextAccess::adopt(std::string(b.begin(), zero));
}

}  // namespace txtseal
