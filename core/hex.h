// The hex body of a sealed text: bytes written as upper-case hex digit pairs
// and read back pair by pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "text.h"

namespace txtseal {

// Each byte as two upper-case hex digits, high digit first ("%02X").
[[nodiscard]] Text bytesToHex(const Bytes& bytes);

// Reads the text in pairs at even offsets from its start. Each pair is read
// the way C's sscanf("%x") reads a two-character string: white space first is
// skipped, a sign and a "0x" prefix are taken, digits of either case count, a
// negative value is taken in two's complement. A pair that converts nothing
// adds no byte and does not shift the pairs after it; an odd last byte is
// ignored.
[[nodiscard]] Bytes hexToBytes(const Text& hex);

namespace hex {

// The codec kernels, with the byte mask folded in so that sealing and
// unsealing each take one pass over their data.

// Writes 2 * n characters to out: each input byte XOR mask, as two digits.
void encode(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out);

// Reads n characters in pairs as hexToBytes does (a zero byte ends a pair
// string as it ends a C string). Each converted value is XORed with mask and
// written to out, which has room for n / 2 bytes. With stopAtZero, decoding
// ends before the first output byte that is zero. Returns the bytes written.
std::size_t decode(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                   std::uint8_t* out);

// What sscanf("%x") makes of the string c0 c1: the converted value's low byte,
// or -1 when nothing converts.
int readPair(unsigned char c0, unsigned char c1);

// The implementations this CPU can run, portable first; encode and decode
// above dispatch to the last one. Tests and the benchmark take each in turn.
using EncodeFn = void (*)(const std::uint8_t*, std::size_t, std::uint8_t, char*);
using DecodeFn = std::size_t (*)(const char*, std::size_t, std::uint8_t, bool, std::uint8_t*);
struct Path {
  const char* name;
  EncodeFn encode;
  DecodeFn decode;
};
std::span<const Path> availablePaths();

}  // namespace hex
}  // namespace txtseal
