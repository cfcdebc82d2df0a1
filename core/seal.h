// The sealed text, the one format the tool writes and reads:
//
//   hex body    2 * n bytes  each plain byte XOR kByteMask, as "%02X"
//   check code  9 bytes      characters 3 to 11 of the key's MD5 digest, upper-cased
//
// No header, separator or terminator. The key decides only the check code;
// the body is the same for every key, so a sealed text hides its content from
// a casual look and tells whether a key fits, but it is not encryption.
#pragma once

#include <optional>
#include <string_view>

#include "text.h"

namespace txtseal {

// The key used when the password box is empty.
inline constexpr std::string_view kDefaultKey = "v38k%tw!mq,zb-d=x&p?h;ncy&";
// Every byte is combined with this by exclusive or, then cut to its low byte.
inline constexpr int kByteMask = 6834;
inline constexpr Count kCheckCodeLength = 9;

// Nine upper-case hex digits; empty when the digest cannot be computed.
[[nodiscard]] Text makeCheckCode(const Text& key);

// The body followed by the key's check code: 2 * n + 9 bytes of ASCII.
[[nodiscard]] Text sealText(const Text& plain, const Text& key);

// The plain text, or nothing when the check code at the end is not the key's
// (a wrong key, a text never sealed, anything changed or added at its end).
// A sealed empty text gives an empty text, which is not the same as nothing.
[[nodiscard]] std::optional<Text> tryUnsealText(const Text& sealed, const Text& key);

// As tryUnsealText, with the empty text for a key that does not fit.
[[nodiscard]] Text unsealText(const Text& sealed, const Text& key);

}  // namespace txtseal
