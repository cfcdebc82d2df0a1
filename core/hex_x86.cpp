// Vector paths of the hex codec (placeholder: forwards to the portable path).
#include "hex_paths.h"

namespace txtseal::hex::detail {

void encodeSse2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  encodeScalar(in, n, mask, out);
}
std::size_t decodeSse2(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                       std::uint8_t* out) {
  return decodeScalar(in, n, mask, stopAtZero, out);
}
void encodeAvx2(const std::uint8_t* in, std::size_t n, std::uint8_t mask, char* out) {
  encodeScalar(in, n, mask, out);
}
std::size_t decodeAvx2(const char* in, std::size_t n, std::uint8_t mask, bool stopAtZero,
                       std::uint8_t* out) {
  return decodeScalar(in, n, mask, stopAtZero, out);
}

}  // namespace txtseal::hex::detail
