#include "code_page.h"

#include <iconv.h>

#include <QSysInfo>
#include <cerrno>
#include <string>

namespace txtseal::ui::qt {

namespace {

constexpr const char* kCodePage = "CP936";
constexpr char16_t kLoneCr = 0x0085;  // next line
constexpr const char* kUtf16 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

// A conversion descriptor, released with the object.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  [[nodiscard]] bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts as much as it can; false when it stopped at a sequence it
  // cannot convert (errno tells why), with in and out past what was done.
  bool convert(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
    return iconv(cd_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::optional<Text> toCodePage(const QString& text) {
  if (text.isEmpty()) return Text();
  Converter converter(kCodePage, kUtf16);
  if (!converter.valid()) return std::nullopt;
  // One pass: no character takes more bytes in code page 936 than the two
  // of its UTF-16 unit, and the one-byte ones fit all the more.
  std::string out(2 * static_cast<std::size_t>(text.size()), '\0');
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
  std::size_t inLeft = 2 * static_cast<std::size_t>(text.size());
  char* to = out.data();
  std::size_t outLeft = out.size();
  if (!converter.convert(in, inLeft, to, outLeft) || inLeft != 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  // A text ends at its first zero byte; a pasted U+0000 would cut it short.
  if (out.find('\0') != std::string::npos) return std::nullopt;
  return Text(std::move(out));
}

QString fromCodePage(const Text& text) {
  if (text.empty()) return {};
  Converter converter(kUtf16, kCodePage);
  // At most one UTF-16 unit for each byte.
  std::u16string out(text.size(), u'\0');
  char* in = const_cast<char*>(text.c_str());
  std::size_t inLeft = text.size();
  char* to = reinterpret_cast<char*>(out.data());
  std::size_t outLeft = 2 * out.size();
  while (inLeft > 0) {
    if (converter.valid() && converter.convert(in, inLeft, to, outLeft)) break;
    // Not code page 936 (or cut short at the end): one replacement, one byte on.
    *reinterpret_cast<char16_t*>(to) = u'\uFFFD';
    to += 2;
    outLeft -= 2;
    ++in;
    --inLeft;
  }
  out.resize(out.size() - outLeft / 2);
  return QString::fromStdU16String(out);
}

QString boxFromLines(const QString& text) {
  // One pass into a buffer of the input's size: a pair becomes one mark.
  QString raw(text.size(), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(raw.data());
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  const char16_t* const end = in + text.size();
  for (; in != end; ++in) {
    if (*in == u'\r' && in + 1 != end && in[1] == u'\n') {
      *out++ = QChar::ParagraphSeparator;
      ++in;
    } else if (*in == u'\n') {
      *out++ = QChar::LineSeparator;
    } else if (*in == u'\r') {
      *out++ = kLoneCr;
    } else {
      *out++ = *in;
    }
  }
  raw.truncate(out - reinterpret_cast<const char16_t*>(raw.constData()));
  return raw;
}

QString linesFromBox(const QString& raw) {
  QString text(raw.size() + raw.count(QChar::ParagraphSeparator), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  for (const QChar c : raw) {
    switch (c.unicode()) {
      case QChar::ParagraphSeparator:
        *out++ = u'\r';
        *out++ = u'\n';
        break;
      case QChar::LineSeparator:
        *out++ = u'\n';
        break;
      case kLoneCr:
        *out++ = u'\r';
        break;
      default:
        *out++ = c.unicode();
    }
  }
  return text;
}

}  // namespace txtseal::ui::qt
