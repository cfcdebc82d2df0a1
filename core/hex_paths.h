// The codec's implementations, one set per instruction set.
#pragma once

#include <cstddef>
#include <cstdint>

namespace txtseal::hex::detail {

void encodeScalar(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out);
std::size_t decodeScalar(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                         std::uint8_t* out);

// Decodes pairs one at a time from in[0, n), exactly, including the pairs
// that are not two hex digits. The vector paths hand such blocks to it.
// Sets *stopped when it ends at a zero output byte.
std::size_t decodeExact(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                        std::uint8_t* out, bool* stopped);

#if defined(__x86_64__) || defined(_M_X64)
void encodeSse2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out);
std::size_t decodeSse2(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                       std::uint8_t* out);
void encodeAvx2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out);
std::size_t decodeAvx2(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                       std::uint8_t* out);
#endif

}  // namespace txtseal::hex::detail
