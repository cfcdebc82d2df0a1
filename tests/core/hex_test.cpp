#include <gtest/gtest.h>

#include "hex.h"

using namespace txtseal;

TEST(Hex, PublishedPairs) {
  EXPECT_EQ(bytesToHex(textToBytes("abc")), Text("616263"));
  EXPECT_EQ(hexToBytes("616263"), textToBytes("abc"));
  EXPECT_EQ(hexToBytes("ff0A"), (Bytes{0xFF, 0x0A}));
}
