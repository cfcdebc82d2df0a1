#include "code_page.h"

#include <gtest/gtest.h>

#include <string>

#include "text_print.h"

using namespace txtseal;
using namespace txtseal::ui::qt;

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

Text bytes(const char* b) { return Text(std::string(b)); }

}  // namespace

// Rows whose bytes come from Windows' code page 936 (MultiByteToWideChar),
// which glibc's CP936 matches wherever both define a character.
TEST(CodePage, ConvertsBothWaysExactly) {
  struct Row {
    const char16_t* text;
    const char* bytes;
  };
  const Row rows[] = {
      {u"", ""},
      {u"abc ~\t", "abc ~\t"},
      {u"中文", "\xD6\xD0\xCE\xC4"},
      {u"€", "\x80"},                  // the one byte of 936 above 0x7F
      {u"\u3000、。", "\xA1\xA1\xA1\xA2\xA1\xA3"},
      {u"\u4E02", "\x81\x40"},         // the first two-byte code
      {u"\u4E04", "\x81\x41"},
      {u"\uE4C5", nullptr},             // FE FE, user-defined area: Windows only
  };
  for (const Row& r : rows) {
    const QString text = QString::fromUtf16(r.text);
    SCOPED_TRACE(text.toStdString());
    if (!r.bytes) {
      EXPECT_EQ(toCodePage(text), std::nullopt);
      continue;
    }
    EXPECT_EQ(toCodePage(text), bytes(r.bytes));
    EXPECT_EQ(fromCodePage(bytes(r.bytes)), text);
  }
}

TEST(CodePage, RefusesWhatItCannotHold) {
  const char16_t* rows[] = {
      u"笑😀",           // outside the code page
      u"한",              // Hangul: not in 936
      u"\u2028",          // the box's own line marks
      u"\u0085",
  };
  for (const char16_t* row : rows) {
    EXPECT_EQ(toCodePage(QString::fromUtf16(row)), std::nullopt);
  }
  // A lone surrogate.
  EXPECT_EQ(toCodePage(QString(QChar(u'a')) + QChar(0xD800) + QChar(u'b')), std::nullopt);
  // A U+0000 would end the text short.
  EXPECT_EQ(toCodePage(QString(QChar(u'a')) + QChar(u'\0') + QChar(u'b')), std::nullopt);
}

TEST(CodePage, BytesThatAreNotCodePage936BecomeReplacementCharacters) {
  EXPECT_EQ(fromCodePage(bytes("a\xFF" "b")), QString::fromUtf16(u"a\uFFFDb"));
  // A lead byte cut off at the end.
  EXPECT_EQ(fromCodePage(bytes("\xD6\xD0\xCE")), QString::fromUtf16(u"中\uFFFD"));
  // A lead byte followed by a byte that no code starts with.
  EXPECT_EQ(fromCodePage(bytes("\xD6\x20")), QString::fromUtf16(u"\uFFFD "));
}

TEST(CodePage, EveryLineBreakComesBackAsItWent) {
  struct Row {
    const char16_t* lines;
    const char16_t* box;
  };
  const Row rows[] = {
      {u"one\r\ntwo", u"one\u2029two"},
      {u"\r\n\r\n", u"\u2029\u2029"},
      {u"lf\nonly", u"lf\u2028only"},
      {u"cr\ronly", u"cr\u0085only"},
      {u"\n\r", u"\u2028\u0085"},       // LF CR is not a pair
      {u"\r\r\n", u"\u0085\u2029"},
      {u"no breaks", u"no breaks"},
  };
  for (const Row& r : rows) {
    const QString lines = QString::fromUtf16(r.lines);
    EXPECT_EQ(boxFromLines(lines), QString::fromUtf16(r.box)) << lines.toStdString();
    EXPECT_EQ(linesFromBox(boxFromLines(lines)), lines);
  }
}
