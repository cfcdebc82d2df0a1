// The hex body read and written the literal way: one C library call per byte
// or pair, snprintf("%02X") and sscanf("%x"). Slow and plainly right, it is
// what the tests hold the codec's fast paths to and what the benchmark
// measures them against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace txtseal::literal {

// What sscanf("%x") makes of the two-character string c0 c1 (which a zero
// byte may end early): the low byte of the value, or -1 when nothing converts.
inline int literalReadPair(char c0, char c1) {
  const char pair[3] = {c0, c1, '\0'};
  unsigned value = 0;
  if (std::sscanf(pair, "%x", &value) != 1) return -1;
  return static_cast<int>(value & 0xFFu);
}

// Same shapes as hex::encode and hex::decode, so the benchmark can run them
// side by side.
inline void literalEncode(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  for (std::size_t i = 0; i < n; ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(in[i] ^ mask));
    std::memcpy(out + 2 * i, digits, 2);
  }
}

inline std::size_t literalDecode(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                                 std::uint8_t* out) {
  std::size_t written = 0;
  for (std::size_t j = 0; j + 1 < n; j += 2) {
    const int value = literalReadPair(in[j], in[j + 1]);
    if (value < 0) continue;  // nothing converted: no byte, the next pair stays in place
    const auto b = static_cast<std::uint8_t>(value ^ mask);
    if (stopAtZero && b == 0) break;
    out[written++] = b;
  }
  return written;
}

inline std::string literalBytesToHex(std::span<const std::uint8_t> bytes, std::uint8_t mask = 0) {
  std::string hex(2 * bytes.size(), '\0');
  literalEncode(bytes.data(), bytes.size(), mask, hex.data());
  return hex;
}

inline std::vector<std::uint8_t> literalHexToBytes(std::string_view hex, std::uint8_t mask = 0,
                                                   bool stopAtZero = false) {
  std::vector<std::uint8_t> bytes(hex.size() / 2);
  bytes.resize(literalDecode(hex.data(), hex.size(), mask, stopAtZero, bytes.data()));
  return bytes;
}

}  // namespace txtseal::literal
