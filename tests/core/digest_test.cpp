#include <gtest/gtest.h>

#include "text_print.h"

#include "digest.h"

using namespace txtseal;

// The test suite of RFC 1321, appendix A.5.
TEST(Digest, Rfc1321Suite) {
  struct Row {
    const char* input;
    const char* md5;
  };
  const Row rows[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(digestText(textToBytes(r.input)), Text(r.md5)) << "MD5 of \"" << r.input << '"';
    EXPECT_EQ(hashHex(textToBytes(r.input), kAlgorithmMd5, kMd5Length), toUpper(r.md5));
  }
}

TEST(Digest, HashesTheBytesGivenNotAnotherEncoding) {
  // "密码" as GBK bytes (C3 DC C2 EB); its UTF-8 form would hash to a8105204....
  const Bytes gbk{0xC3, 0xDC, 0xC2, 0xEB};
  EXPECT_EQ(digestText(gbk), Text("d2293e30f0c964c5f6242486aa8a483c"));
  // Zero bytes are data too.
  EXPECT_EQ(digestText(Bytes{0}), Text("93b885adfe0da089cdf634904fd59f71"));
}

TEST(Digest, ServiceFailureGivesTheEmptyText) {
  EXPECT_EQ(hashHex(textToBytes("abc"), 0x7FFF, 16), Text()) << "unknown algorithm id";
  EXPECT_EQ(hashHex(textToBytes("abc"), kAlgorithmMd5, 8), Text()) << "buffer too small";
  // A larger buffer is fine: only the digest's own 16 bytes are reported.
  EXPECT_EQ(hashHex(textToBytes("abc"), kAlgorithmMd5, 64), Text("900150983CD24FB0D6963F7D28E17F72"));
}
