#include "hex.h"

#include <array>
#include <string>
#include <vector>

#include "hex_paths.h"
#include "text_access.h"

namespace txtseal {

namespace hex {

namespace {

constexpr std::uint8_t kNotHex = 0xFF;

constexpr std::array<std::uint8_t, 256> makeDigitValues() {
  std::array<std::uint8_t, 256> t{};
  for (auto& v : t) v = kNotHex;
  for (int c = '0'; c <= '9'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'a'; c <= 'f'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - 'a' + 10);
  for (int c = 'A'; c <= 'F'; ++c) t[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - 'A' + 10);
  return t;
}
constexpr std::array<std::uint8_t, 256> kDigitValue = makeDigitValues();

constexpr std::array<char, 512> makeDigitPairs() {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::array<char, 512> t{};
  for (std::size_t b = 0; b < 256; ++b) {
    t[2 * b] = kDigits[b >> 4];
    t[2 * b + 1] = kDigits[b & 15];
  }
  return t;
}
constexpr std::array<char, 512> kDigitPairs = makeDigitPairs();

// White space as the C library's "C" locale knows it.
constexpr bool isCSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int readPair(unsigned char c0, unsigned char c1) {
  const std::uint8_t d0 = kDigitValue[c0];
  const std::uint8_t d1 = kDigitValue[c1];
  if (d0 != kNotHex) {
    // A digit first: one or two digits. "0x" reads as 0: the prefix needs a
    // digit after it, so only the "0" converts.
    return d1 != kNotHex ? d0 * 16 + d1 : d0;
  }
  if (isCSpace(c0)) return d1 != kNotHex ? d1 : -1;  // c1 == 0 is the string's end
  if (c0 == '+') return d1 != kNotHex ? d1 : -1;
  if (c0 == '-') return d1 != kNotHex ? lowByte(-static_cast<int>(d1)) : -1;
  return -1;  // a zero byte (the empty string) or any other character
}

namespace detail {

void encodeScalar(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t b = static_cast<std::uint8_t>(in[i] ^ mask);
    out[2 * i] = kDigitPairs[2 * b];
    out[2 * i + 1] = kDigitPairs[2 * b + 1];
  }
}

std::size_t decodeExact(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                        std::uint8_t* out, bool* stopped) {
  std::size_t written = 0;
  for (std::size_t j = 0; j + 1 < n; j += 2) {
    const int value = readPair(static_cast<unsigned char>(in[j]), static_cast<unsigned char>(in[j + 1]));
    if (value < 0) continue;
    const auto b = static_cast<std::uint8_t>(value ^ mask);
    if (stopAtZero && b == 0) {
      *stopped = true;
      return written;
    }
    out[written++] = b;
  }
  *stopped = false;
  return written;
}

std::size_t decodeScalar(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                         std::uint8_t* out) {
  std::size_t written = 0;
  for (std::size_t j = 0; j + 1 < n; j += 2) {
    const auto c0 = static_cast<unsigned char>(in[j]);
    const auto c1 = static_cast<unsigned char>(in[j + 1]);
    const std::uint8_t d0 = kDigitValue[c0];
    const std::uint8_t d1 = kDigitValue[c1];
    int value;
    if ((d0 | d1) < 16) {  // two hex digits: the common case
      value = d0 * 16 + d1;
    } else {
      value = readPair(c0, c1);
      if (value < 0) continue;
    }
    const auto b = static_cast<std::uint8_t>(value ^ mask);
    if (stopAtZero && b == 0) return written;
    out[written++] = b;
  }
  return written;
}

}  // namespace detail

std::span<const Path> availablePaths() {
  static const std::vector<Path> paths = [] {
    std::vector<Path> p{{"scalar", detail::encodeScalar, detail::decodeScalar}};
#if defined(__x86_64__) || defined(_M_X64)
    // SSE2 is part of every x86-64 CPU; AVX2 only of some.
    p.push_back({"sse2", detail::encodeSse2, detail::decodeSse2});
    if (__builtin_cpu_supports("avx2")) p.push_back({"avx2", detail::encodeAvx2, detail::decodeAvx2});
#endif
    return p;
  }();
  return paths;
}

void encode(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  static const EncodeFn best = availablePaths().back().encode;
  best(in, n, mask, out);
}

std::size_t decode(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                   std::uint8_t* out) {
  static const DecodeFn best = availablePaths().back().decode;
  return best(in, n, mask, stopAtZero, out);
}

}  // namespace hex

Text bytesToHex(const Bytes& bytes) {
  std::string out(2 * bytes.size(), '\0');
  hex::encode(bytes.data(), bytes.size(), 0, out.data());
  return TextAccess::adopt(std::move(out));
}

Bytes hexToBytes(const Text& hex) {
  Bytes out(hex.size() / 2);
  out.resize(hex::decode(hex.view().data(), hex.size(), 0, /*stopAtZero=*/false, out.data()));
  return out;
}

}  // namespace txtseal
