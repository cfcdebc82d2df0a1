// Vector paths of the hex codec for x86-64.
//
// The SSE2 path uses the x86-64 baseline only. The AVX2 path is compiled by
// function-level target attributes rather than a file-wide -mavx2, so that
// this file (and the program) still runs on a CPU without AVX2: nothing here
// runs AVX2 code unless availablePaths() found the CPU to support it.
//
// Decoding takes blocks of pairs at even offsets. A block of nothing but hex
// digits (either case) is converted at once; a block with any other pair, or
// one whose output holds the zero byte that ends an unsealed text, goes
// through the exact pair-by-pair reading for that block alone, so the vector
// paths give the same bytes as the portable one for every input. Tails go
// through the portable code.
//
// Helpers are forced inline: on Windows x64 GCC cannot keep 32-byte vectors
// aligned on the stack, so no __m256i may be passed to a real call or spilled
// across one.
#include <immintrin.h>

#include "hex_paths.h"

namespace txtseal::hex::detail {

namespace {

#define TXTSEAL_INLINE inline __attribute__((always_inline))
#define TXTSEAL_AVX2 __attribute__((target("avx2")))

// --- SSE2 -------------------------------------------------------------------

// Nibbles 0..15 to the digits '0'..'9', 'A'..'F': letters are 7 past ':'.
TXTSEAL_INLINE __m128i digitsSse2(__m128i nibbles) {
  const __m128i letter = _mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9));
  return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')),
                      _mm_and_si128(letter, _mm_set1_epi8('A' - '9' - 1)));
}

// The value of each character as a hex digit, and a mask of the characters
// that are hex digits at all (the value of any other character is garbage).
// SSE2 compares only signed bytes, so each range check first moves its range
// to the bottom of the signed range: "below -128 + width" is "in range".
TXTSEAL_INLINE __m128i digitValuesSse2(__m128i c, __m128i* isHex) {
  const __m128i isDigit = _mm_cmplt_epi8(
      _mm_add_epi8(c, _mm_set1_epi8(static_cast<char>(0x80 - '0'))), _mm_set1_epi8(-128 + 10));
  // Setting bit 5 folds 'A'..'F' onto 'a'..'f' and moves no other byte there.
  const __m128i folded = _mm_or_si128(c, _mm_set1_epi8(0x20));
  const __m128i isLetter = _mm_cmplt_epi8(
      _mm_add_epi8(folded, _mm_set1_epi8(static_cast<char>(0x80 - 'a'))), _mm_set1_epi8(-128 + 6));
  *isHex = _mm_or_si128(isDigit, isLetter);
  // A digit's low nibble is its value; a letter's low nibble is 1..6 for 10..15.
  return _mm_add_epi8(_mm_and_si128(c, _mm_set1_epi8(0x0F)),
                      _mm_and_si128(isLetter, _mm_set1_epi8(9)));
}

// Sixteen pairs of digit values to sixteen bytes: in each 16-bit lane the
// first character (the high digit) is the low byte.
TXTSEAL_INLINE __m128i pairsSse2(__m128i valuesLo, __m128i valuesHi) {
  const __m128i lowByte = _mm_set1_epi16(0x00FF);
  const __m128i lo = _mm_and_si128(
      _mm_or_si128(_mm_slli_epi16(valuesLo, 4), _mm_srli_epi16(valuesLo, 8)), lowByte);
  const __m128i hi = _mm_and_si128(
      _mm_or_si128(_mm_slli_epi16(valuesHi, 4), _mm_srli_epi16(valuesHi, 8)), lowByte);
  return _mm_packus_epi16(lo, hi);
}

template <bool kStopAtZero>
std::size_t decodeSse2Blocks(const char* in, std::size_t n, std::uint8_t mask, std::uint8_t* out) {
  constexpr std::size_t kBlock = 32;  // characters: sixteen output bytes
  const __m128i maskV = _mm_set1_epi8(static_cast<char>(mask));
  std::size_t written = 0;
  std::size_t j = 0;
  for (; j + kBlock <= n; j += kBlock) {
    __m128i hexLo;
    __m128i hexHi;
    const __m128i valuesLo =
        digitValuesSse2(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + j)), &hexLo);
    const __m128i valuesHi =
        digitValuesSse2(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + j + 16)), &hexHi);
    const __m128i bytes = _mm_xor_si128(pairsSse2(valuesLo, valuesHi), maskV);
    bool fast = _mm_movemask_epi8(_mm_and_si128(hexLo, hexHi)) == 0xFFFF;
    if constexpr (kStopAtZero) {
      fast = fast && _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())) == 0;
    }
    if (fast) [[likely]] {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + written), bytes);
      written += kBlock / 2;
      continue;
    }
    bool stopped = false;
    written += decodeExact(in + j, kBlock, mask, kStopAtZero, out + written, &stopped);
    if (stopped) return written;
  }
  return written + decodeScalar(in + j, n - j, mask, kStopAtZero, out + written);
}

// --- AVX2 -------------------------------------------------------------------

TXTSEAL_AVX2 TXTSEAL_INLINE __m256i digitValuesAvx2(__m256i c, __m256i* isHex) {
  const __m256i isDigit =
      _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 10),
                        _mm256_add_epi8(c, _mm256_set1_epi8(static_cast<char>(0x80 - '0'))));
  const __m256i folded = _mm256_or_si256(c, _mm256_set1_epi8(0x20));
  const __m256i isLetter =
      _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 6),
                        _mm256_add_epi8(folded, _mm256_set1_epi8(static_cast<char>(0x80 - 'a'))));
  *isHex = _mm256_or_si256(isDigit, isLetter);
  return _mm256_add_epi8(_mm256_and_si256(c, _mm256_set1_epi8(0x0F)),
                         _mm256_and_si256(isLetter, _mm256_set1_epi8(9)));
}

template <bool kStopAtZero>
TXTSEAL_AVX2 std::size_t decodeAvx2Blocks(const char* in, std::size_t n, std::uint8_t mask,
                                          std::uint8_t* out) {
  constexpr std::size_t kBlock = 64;  // characters: 32 output bytes
  const __m256i maskV = _mm256_set1_epi8(static_cast<char>(mask));
  // Per 16-bit lane: the first character times 16 plus the second.
  const __m256i weights = _mm256_set1_epi16(0x0110);
  std::size_t written = 0;
  std::size_t j = 0;
  for (; j + kBlock <= n; j += kBlock) {
    __m256i hexLo;
    __m256i hexHi;
    const __m256i valuesLo =
        digitValuesAvx2(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + j)), &hexLo);
    const __m256i valuesHi =
        digitValuesAvx2(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + j + 32)), &hexHi);
    const __m256i packed = _mm256_packus_epi16(_mm256_maddubs_epi16(valuesLo, weights),
                                               _mm256_maddubs_epi16(valuesHi, weights));
    // packus works within 128-bit lanes; put the four quarters back in order.
    const __m256i bytes =
        _mm256_xor_si256(_mm256_permute4x64_epi64(packed, _MM_SHUFFLE(3, 1, 2, 0)), maskV);
    bool fast = _mm256_movemask_epi8(_mm256_and_si256(hexLo, hexHi)) == -1;
    if constexpr (kStopAtZero) {
      fast = fast && _mm256_testz_si256(_mm256_cmpeq_epi8(bytes, _mm256_setzero_si256()),
                                        _mm256_cmpeq_epi8(bytes, _mm256_setzero_si256())) != 0;
    }
    if (fast) [[likely]] {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + written), bytes);
      written += kBlock / 2;
      continue;
    }
    bool stopped = false;
    written += decodeExact(in + j, kBlock, mask, kStopAtZero, out + written, &stopped);
    if (stopped) return written;
  }
  return written + decodeScalar(in + j, n - j, mask, kStopAtZero, out + written);
}

}  // namespace

void encodeSse2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  const __m128i maskV = _mm_set1_epi8(static_cast<char>(mask));
  const __m128i low4 = _mm_set1_epi8(0x0F);
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i x =
        _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), maskV);
    const __m128i hi = digitsSse2(_mm_and_si128(_mm_srli_epi16(x, 4), low4));
    const __m128i lo = digitsSse2(_mm_and_si128(x, low4));
    // Interleaving puts each byte's high digit first.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_unpacklo_epi8(hi, lo));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i + 16), _mm_unpackhi_epi8(hi, lo));
  }
  encodeScalar(in + i, n - i, mask, out + 2 * i);
}

std::size_t decodeSse2(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                       std::uint8_t* out) {
  return stopAtZero ? decodeSse2Blocks<true>(in, n, mask, out)
                    : decodeSse2Blocks<false>(in, n, mask, out);
}

TXTSEAL_AVX2 void encodeAvx2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  const __m256i maskV = _mm256_set1_epi8(static_cast<char>(mask));
  const __m256i low4 = _mm256_set1_epi8(0x0F);
  const __m256i digits = _mm256_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A',
                                          'B', 'C', 'D', 'E', 'F', '0', '1', '2', '3', '4', '5',
                                          '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F');
  std::size_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m256i x =
        _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + i)), maskV);
    const __m256i hi = _mm256_shuffle_epi8(digits, _mm256_and_si256(_mm256_srli_epi16(x, 4), low4));
    const __m256i lo = _mm256_shuffle_epi8(digits, _mm256_and_si256(x, low4));
    // Interleaving works within 128-bit lanes: bytes 0-7 and 16-23, then
    // 8-15 and 24-31; the lane swaps put the 64 digits back in order.
    const __m256i first = _mm256_unpacklo_epi8(hi, lo);
    const __m256i second = _mm256_unpackhi_epi8(hi, lo);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * i),
                        _mm256_permute2x128_si256(first, second, 0x20));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * i + 32),
                        _mm256_permute2x128_si256(first, second, 0x31));
  }
  encodeScalar(in + i, n - i, mask, out + 2 * i);
}

TXTSEAL_AVX2 std::size_t decodeAvx2(const char* in, std::size_t n, std::uint8_t mask,
                                    bool stopAtZero, std::uint8_t* out) {
  return stopAtZero ? decodeAvx2Blocks<true>(in, n, mask, out)
                    : decodeAvx2Blocks<false>(in, n, mask, out);
}

#undef TXTSEAL_AVX2
#undef TXTSEAL_INLINE

}  // namespace txtseal::hex::detail
