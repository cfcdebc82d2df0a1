#include "digest.h"

namespace txtseal {

Text digestText(const Bytes& data) { return toLower(hashHex(data, kAlgorithmMd5, kMd5Length)); }

namespace detail {

// Renders the digest bytes that the service reported, high digit first.
Text renderDigest(const std::uint8_t* digest, std::size_t length) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(2 * length);
  for (std::size_t i = 0; i < length; ++i) {
    out += kDigits[digest[i] >> 4];
    out += kDigits[digest[i] & 15];
  }
  return Text(std::move(out));
}

}  // namespace detail
}  // namespace txtseal
