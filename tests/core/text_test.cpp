#include <gtest/gtest.h>

#include "text_print.h"

#include <string>

#include "text.h"

using namespace txtseal;

namespace {
// "码" in GBK is C2 EB; 0xC3 0x41 is a GBK character whose trail byte looks like "A".
const Text kGbkWithLetterTrail(std::string("\xC3\x41", 2));
}  // namespace

TEST(Text, NeverHoldsAZeroByte) {
  EXPECT_EQ(Text(std::string_view("AB\0C", 4)), Text("AB"));
  EXPECT_EQ(Text(std::string("\0AB", 3)), Text());
  EXPECT_EQ(Text(static_cast<const char*>(nullptr)), Text());
}

TEST(Text, LeftRightMidClampTheirArguments) {
  struct Row {
    const char* what;
    Text got;
    Text want;
  };
  const Text five = "01234";
  const Text ten = "0123456789";
  const Row rows[] = {
      {"right longer than text", textRight(five, 9), "01234"},
      {"right negative", textRight(five, -1), ""},
      {"right 2", textRight(five, 2), "34"},
      {"left negative", textLeft(five, -9), ""},
      {"left zero", textLeft(five, 0), ""},
      {"left longer than text", textLeft(five, 99), "01234"},
      {"left 2", textLeft(five, 2), "01"},
      {"mid runs past the end", textMid(ten, 3, 9), "23456789"},
      {"mid inside", textMid(ten, 2, 3), "123"},
      {"mid last byte", textMid(ten, 10, 5), "9"},
      {"mid start past end", textMid(ten, 11, 1), ""},
      {"mid start zero", textMid(ten, 0, 5), ""},
      {"mid start negative", textMid(ten, -3, 5), ""},
      {"mid count zero", textMid(ten, 1, 0), ""},
      {"mid of empty", textMid(Text(), 1, 1), ""},
      {"huge counts", textMid(ten, 1, INT64_MAX), "0123456789"},
  };
  for (const Row& r : rows) EXPECT_EQ(r.got, r.want) << r.what;
}

TEST(Text, CaseMappingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(toUpper("abz AZ09@[`{"), Text("ABZ AZ09@[`{"));
  EXPECT_EQ(toLower("ABZ az09@[`{"), Text("abz az09@[`{"));
  // The trail byte of a double-byte character is left alone, a lone letter is not.
  EXPECT_EQ(toLower(kGbkWithLetterTrail), kGbkWithLetterTrail);
  EXPECT_EQ(toLower(concatText({kGbkWithLetterTrail, "A"})), concatText({kGbkWithLetterTrail, "a"}));
  EXPECT_EQ(toUpper(Text(std::string("\xC3" "a\x80", 3))), Text(std::string("\xC3" "a\x80", 3)));
  // A lead byte at the very end ends the walk.
  EXPECT_EQ(toUpper(Text(std::string("a\xC3", 2))), Text(std::string("A\xC3", 2)));
}

TEST(Text, EqualityIsByteForByte) {
  EXPECT_FALSE(textEquals("abc", "ABC"));
  EXPECT_FALSE(textEquals("abc", "abcd"));
  EXPECT_TRUE(textEquals(Text(), Text("")));
  EXPECT_TRUE(textEquals(Text(std::string("\xFF\x80", 2)), Text(std::string("\xFF\x80", 2))));
  EXPECT_FALSE(textEquals("", " "));
}

TEST(Text, ConcatenationAndConversions) {
  EXPECT_EQ(concatText({"ab", "", "c"}), Text("abc"));
  EXPECT_EQ(concatText({"", ""}), Text());
  EXPECT_EQ(concatBytes({{0, 1}, {}, {2}}), (Bytes{0, 1, 2}));
  EXPECT_EQ(textToBytes("AB"), (Bytes{0x41, 0x42}));
  EXPECT_EQ(textToBytes(Text()), Bytes{});
  EXPECT_EQ(bytesToText({0x41, 0x42, 0x00, 0x43}), Text("AB"));
  EXPECT_EQ(bytesToText({0x00, 0x41}), Text());
  EXPECT_EQ(bytesToText({0xC3, 0xDC}), Text(std::string("\xC3\xDC", 2)));
  EXPECT_EQ(lowByte(6834), 0xB2);
  EXPECT_EQ(lowByte(-1), 0xFF);
  EXPECT_EQ(lowByte(256), 0);
}
