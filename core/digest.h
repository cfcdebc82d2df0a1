// The digest text: the MD5 digest of a byte string as lower-case hex,
// computed by the platform crypto service.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text.h"

namespace txtseal {

// Algorithm ids as the platform crypto service numbers them.
using AlgorithmId = std::uint32_t;
inline constexpr AlgorithmId kAlgorithmMd5 = 0x8003;
inline constexpr std::size_t kMd5Length = 16;

// The digest of data, two upper-case hex digits a byte, for as many bytes as
// the service reports. The empty text when the service fails: unknown
// algorithm, a digest longer than length, no provider.
[[nodiscard]] Text hashHex(const Bytes& data, AlgorithmId algorithm, std::size_t length);

// 32 lower-case hex digits, or the empty text when the digest cannot be had.
[[nodiscard]] Text digestText(const Bytes& data);

}  // namespace txtseal
