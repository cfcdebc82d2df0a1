#include "seal.h"

#include <string>

#include "digest.h"
#include "hex.h"
#include "text_access.h"

namespace txtseal {

namespace {
constexpr std::uint8_t kMaskByte = lowByte(kByteMask);
}

Text makeCheckCode(const Text& key) {
  return toUpper(textMid(digestText(textToBytes(key)), 3, kCheckCodeLength));
}

Text sealText(const Text& plain, const Text& key) {
  const Text checkCode = makeCheckCode(key);
  const std::size_t bodyLength = 2 * plain.size();
  std::string sealed(bodyLength + checkCode.size(), '\0');
  hex::encode(reinterpret_cast<const std::uint8_t*>(plain.view().data()), plain.size(), kMaskByte,
              sealed.data());
  sealed.replace(bodyLength, checkCode.size(), checkCode.view());
  return TextAccess::adopt(std::move(sealed));
}

std::optional<Text> tryUnsealText(const Text& sealed, const Text& key) {
  const Text checkCode = makeCheckCode(key);
  // An empty check code (no digest) matches nothing, not even a text of
  // fewer than nine bytes whose last "nine" are shorter.
  if (checkCode.size() != static_cast<std::size_t>(kCheckCodeLength) ||
      !textEquals(textRight(sealed, kCheckCodeLength), checkCode)) {
    return std::nullopt;
  }
  const std::size_t bodyLength = sealed.size() - checkCode.size();
  std::string plain(bodyLength / 2, '\0');
  const std::size_t written =
      hex::decode(sealed.view().data(), bodyLength, kMaskByte, /*stopAtZero=*/true,
                  reinterpret_cast<std::uint8_t*>(plain.data()));
  plain.resize(written);
  return TextAccess::adopt(std::move(plain));
}

Text unsealText(const Text& sealed, const Text& key) {
  return tryUnsealText(sealed, key).value_or(Text{});
}

}  // namespace txtseal
