#include <gtest/gtest.h>

#include "text_print.h"

#include <random>
#include <string>

#include "digest.h"
#include "hex.h"
#include "seal.h"

using namespace txtseal;

namespace {

const Text kDefault(kDefaultKey);
// "密码" in GBK.
const Text kGbkKey(std::string("\xC3\xDC\xC2\xEB", 4));

Text body(const Text& sealed) { return textLeft(sealed, textLength(sealed) - kCheckCodeLength); }

}  // namespace

TEST(Seal, PublishedVector) {
  EXPECT_EQ(kDefault.size(), 26u);
  EXPECT_EQ(makeCheckCode(kDefault), Text("30E959E48"));
  EXPECT_EQ(sealText("abc", kDefault), Text("D3D0D130E959E48"));
  EXPECT_EQ(unsealText("D3D0D130E959E48", kDefault), Text("abc"));
}

TEST(Seal, CheckCodeIsCutFromTheKeysDigest) {
  // Characters 3 to 11 of the MD5 digest, upper-cased; computed with a reference MD5.
  EXPECT_EQ(makeCheckCode("Key"), Text("7356954C2"));
  EXPECT_EQ(makeCheckCode("key"), Text("6E0B8A9C1"));
  EXPECT_EQ(makeCheckCode(kGbkKey), Text("293E30F0C"));
  EXPECT_EQ(makeCheckCode(""), Text("1D8CD98F0"));
}

TEST(Seal, LayoutIsBodyThenCheckCode) {
  const Text plain(std::string("a\xC3\xDC\r\n", 5));
  const Text sealed = sealText(plain, kGbkKey);
  ASSERT_EQ(sealed.size(), 2 * plain.size() + 9);
  EXPECT_EQ(body(sealed), Text("D3716EBFB8"));  // each byte XOR 0xB2, as %02X
  EXPECT_EQ(textRight(sealed, 9), makeCheckCode(kGbkKey));
  // The key decides only the check code.
  EXPECT_EQ(body(sealText(plain, "other")), body(sealed));
  EXPECT_EQ(sealText(plain, kGbkKey), sealed) << "sealing is deterministic";
  EXPECT_EQ(sealText("", kGbkKey), makeCheckCode(kGbkKey));
}

TEST(Seal, KeyThatDoesNotFitIsToldApartFromAnEmptyText) {
  const Text sealed = sealText("secret", "Key");
  struct Row {
    const char* what;
    Text sealed;
    Text key;
  };
  const Row refused[] = {
      {"key differing in case", sealed, "key"},
      {"empty key", sealed, ""},
      {"line break appended", concatText({sealed, "\r\n"}), "Key"},
      {"lower-case check code", concatText({body(sealed), toLower(textRight(sealed, 9))}), "Key"},
      {"last character changed", concatText({textLeft(sealed, textLength(sealed) - 1), "0"}), "Key"},
      {"shorter than a check code", textRight(sealed, 8), "Key"},
      {"empty", Text(), "Key"},
      {"never sealed", "hello world", "Key"},
  };
  for (const Row& r : refused) {
    EXPECT_EQ(tryUnsealText(r.sealed, r.key), std::nullopt) << r.what;
    EXPECT_EQ(unsealText(r.sealed, r.key), Text()) << r.what;
  }
  EXPECT_EQ(tryUnsealText(sealText("", "Key"), "Key"), Text());
  EXPECT_EQ(tryUnsealText(sealed, "Key"), Text("secret"));
}

TEST(Seal, BodyIsReadLeniently) {
  const Text code = makeCheckCode(kDefault);
  struct Row {
    const char* what;
    Text body;
    Text plain;
  };
  // "abc" masked is D3 D0 D1.
  const Row rows[] = {
      {"lower-case digits", "d3d0d1", "abc"},
      {"odd length loses the last character", "D3D0D1D", "abc"},
      {"a pair that is not hex adds nothing", "D3G1D0D1", "abc"},
      {"a zero byte ends the text", "D3B2D0D1", "a"},
      {"a signed pair, in two's complement", "D3D0-ED1", "ab@c"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(unsealText(concatText({r.body, code}), kDefault), r.plain) << r.what;
  }
  // " A" reads as 0x0A, which unmasks to 0xB8.
  EXPECT_EQ(unsealText(concatText({" A", code}), kDefault), Text(std::string("\xB8", 1)));
}

TEST(Seal, RoundTripsEveryText) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<std::size_t> length(0, 300);
  for (int i = 0; i < 200; ++i) {
    std::string plain(length(random), '\0');
    for (char& c : plain) c = static_cast<char>(byte(random));
    const Text key = i % 3 == 0 ? kDefault : (i % 3 == 1 ? kGbkKey : Text(plain.substr(0, 5)));
    ASSERT_EQ(unsealText(sealText(Text(plain), key), key), Text(plain)) << "seed 20261211, round " << i;
  }
}
