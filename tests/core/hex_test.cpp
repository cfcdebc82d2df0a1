#include "hex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "literal_codec.h"
#include "seal.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdarg>
#endif

using namespace txtseal;
using literal::literalBytesToHex;
using literal::literalHexToBytes;
using literal::literalReadPair;

namespace {

constexpr std::uint8_t kSealMask = lowByte(kByteMask);

// Every implementation this CPU runs, and the dispatching entry points that
// sealing uses.
std::vector<hex::Path> pathsUnderTest() {
  std::vector<hex::Path> paths(hex::availablePaths().begin(), hex::availablePaths().end());
  paths.push_back({"dispatch", hex::encode, hex::decode});
  return paths;
}

// Bytes as a C string literal would show them, so that white space, signs and
// zero bytes are visible in a failure message.
std::string shown(std::string_view s) {
  std::string out = "\"";
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out += ch;
    } else {
      char esc[5];
      std::snprintf(esc, sizeof esc, "\\x%02X", c);
      out += esc;
    }
  }
  return out + "\"";
}

std::string shown(const std::vector<std::uint8_t>& bytes) {
  std::string out = "[";
  out += literalBytesToHex(bytes);
  out += ']';
  return out;
}

int readPairOf(int c0, int c1) {
  return hex::readPair(static_cast<unsigned char>(c0), static_cast<unsigned char>(c1));
}

std::string shownValue(int value) { return value < 0 ? "nothing" : std::to_string(value); }

// Collects disagreements so that one failure lists the first few of them
// instead of printing thousands of lines.
class Disagreements {
 public:
  void add(const std::string& line) {
    if (++seen_ <= kShown) text_ += "  " + line + "\n";
  }
  bool empty() const { return seen_ == 0; }
  friend std::ostream& operator<<(std::ostream& os, const Disagreements& d) {
    os << d.seen_ << " disagreement(s):\n" << d.text_;
    if (d.seen_ > kShown) os << "  ...\n";
    return os;
  }

 private:
  static constexpr int kShown = 12;
  int seen_ = 0;
  std::string text_;
};

}  // namespace

TEST(Hex, PublishedPairs) {
  EXPECT_EQ(bytesToHex(textToBytes("abc")), Text("616263"));
  EXPECT_EQ(hexToBytes("616263"), textToBytes("abc"));
  EXPECT_EQ(hexToBytes("ff0A"), (Bytes{0xFF, 0x0A}));
}

// Every two-byte string, zero bytes included, read by the C library and by
// the codec. Each path decodes the pair alone (its portable tail) and inside
// a run of plain digit pairs long enough for a vector block, at a position
// that moves through the block from one pair to the next.
TEST(Hex, EveryPairReadsAsTheCLibraryReadsIt) {
  constexpr std::size_t kFramePairs = 64;
  constexpr char kFill[] = "5a";
  const auto paths = pathsUnderTest();
  Disagreements disagreements;
  std::string frame;
  for (std::size_t k = 0; k < kFramePairs; ++k) frame += kFill;
  std::vector<std::uint8_t> out(kFramePairs + 1);

  for (int c0 = 0; c0 < 256; ++c0) {
    for (int c1 = 0; c1 < 256; ++c1) {
      const std::string pair{static_cast<char>(c0), static_cast<char>(c1)};
      const int expected = literalReadPair(pair[0], pair[1]);
      const int read = readPairOf(c0, c1);
      if (read != expected) {
        disagreements.add("readPair(" + shown(pair) + "): sscanf gives " + shownValue(expected) +
                          ", readPair gives " + shownValue(read));
      }

      const std::size_t at = static_cast<std::size_t>(c0 * 256 + c1) % kFramePairs;
      std::string framed = frame;
      framed.replace(2 * at, 2, pair);
      std::vector<std::uint8_t> framedExpected(kFramePairs - 1, 0x5A);
      if (expected >= 0) {
        framedExpected.insert(framedExpected.begin() + static_cast<std::ptrdiff_t>(at),
                              static_cast<std::uint8_t>(expected));
      }

      for (const hex::Path& path : paths) {
        const std::size_t alone = path.decode(pair.data(), 2, 0, false, out.data());
        const int got = alone == 1 ? out[0] : alone == 0 ? -1 : -2;
        if (got != expected) {
          disagreements.add(std::string(path.name) + " decode(" + shown(pair) + "): sscanf gives " +
                            shownValue(expected) + ", decode gives " +
                            (got == -2 ? std::to_string(alone) + " bytes" : shownValue(got)));
        }
        out.assign(out.size(), 0);
        out.resize(path.decode(framed.data(), framed.size(), 0, false, out.data()));
        if (out != framedExpected) {
          disagreements.add(std::string(path.name) + " decode(" + shown(framed) + "): expected " +
                            shown(framedExpected) + ", got " + shown(out));
        }
        out.resize(kFramePairs + 1);
      }
    }
  }
  EXPECT_TRUE(disagreements.empty()) << disagreements;
}

#ifdef _WIN32
namespace {

// In C++, MinGW's <cstdio> sends sscanf to MinGW's own scanf, so the test
// above holds the codec to that one. The system's CRT has its own, which a
// program built by the Windows compilers would use.
using CrtSscanf = int (*)(const char*, const char*, ...);
using CrtVsscanf = int (*)(unsigned long long, const char*, std::size_t, const char*, void*,
                           va_list);

CrtSscanf msvcrtSscanf = nullptr;
CrtVsscanf ucrtVsscanf = nullptr;

int ucrtSscanf(const char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int r = ucrtVsscanf(0, buffer, static_cast<std::size_t>(-1), format, nullptr, args);
  va_end(args);
  return r;
}

template <typename Fn>
Fn crtEntry(const char* dll, const char* name) {
  const HMODULE module = LoadLibraryA(dll);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

// Pairs on which a CRT is known to read otherwise than the C library the
// codec follows: Wine's msvcrt and ucrtbase take "0x" as a prefix with no
// digit after it and convert nothing, where glibc and MinGW convert the "0".
// Any other disagreement fails; these are printed whenever they are seen.
TEST(Hex, EveryPairAgainstTheSystemCrt) {
  msvcrtSscanf = crtEntry<CrtSscanf>("msvcrt.dll", "sscanf");
  ucrtVsscanf = crtEntry<CrtVsscanf>("ucrtbase.dll", "__stdio_common_vsscanf");
  struct Crt {
    const char* name;
    CrtSscanf sscanf;
  };
  const Crt crts[] = {{"msvcrt.dll sscanf", msvcrtSscanf},
                      {"ucrtbase.dll sscanf", ucrtVsscanf ? ucrtSscanf : nullptr}};
  struct Known {
    std::string_view pair;
    int crtValue;
  };
  constexpr Known kKnown[] = {{"0x", -1}, {"0X", -1}};

  Disagreements unexpected;
  for (const Crt& crt : crts) {
    if (crt.sscanf == nullptr) {
      std::printf("%s: not found, not compared\n", crt.name);
      continue;
    }
    for (int c0 = 0; c0 < 256; ++c0) {
      for (int c1 = 0; c1 < 256; ++c1) {
        const char pair[3] = {static_cast<char>(c0), static_cast<char>(c1), '\0'};
        unsigned value = 0;
        const int crtValue =
            crt.sscanf(pair, "%x", &value) == 1 ? static_cast<int>(value & 0xFFu) : -1;
        const int read = readPairOf(c0, c1);
        if (crtValue == read) continue;
        const std::string line = std::string(crt.name) + "(" + shown(std::string_view(pair, 2)) +
                                 ") gives " + shownValue(crtValue) + ", readPair gives " +
                                 shownValue(read);
        bool known = false;
        for (const Known& k : kKnown) {
          known = known || (k.pair == std::string_view(pair, 2) && k.crtValue == crtValue);
        }
        if (known) {
          std::printf("known CRT difference: %s\n", line.c_str());
        } else {
          unexpected.add(line);
        }
      }
    }
  }
  EXPECT_TRUE(unexpected.empty()) << unexpected;
}
#endif

namespace {

// A fixed seed keeps failures reproducible; it is printed with each one.
constexpr std::uint32_t kSeed = 20240611;

class Bodies {
 public:
  explicit Bodies(std::uint32_t seed) : rng_(seed) {}

  std::size_t below(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
  char pick(std::string_view from) { return from[below(from.size())]; }
  std::uint8_t anyByte() { return static_cast<std::uint8_t>(rng_()); }

 private:
  std::mt19937 rng_;  // the standard fixes its output, so every build draws the same bodies
};

constexpr std::string_view kHexDigits = "0123456789ABCDEFabcdef";
// The characters sscanf treats specially, and neighbours of the digit and
// letter ranges that a vector range check could let through: the bytes that
// equal a digit or letter once bit 5 or bit 7 is set or cleared.
constexpr char kOddCharList[] =
    " \t\n\v\f\r+-xX\0\0gGzZ:/@`"
    "\x10\x15\x19\x01\x06\x21\x26\x80\xB0\xB9\xC1\xC6\xE1\xE6\xFF";
constexpr std::string_view kOddChars(kOddCharList, sizeof kOddCharList - 1);

enum class Flavour { Digits, DigitsWithZeroPair, RareOddChars, ManyOddChars, AnyBytes };
struct FlavourCase {
  Flavour flavour;
  const char* name;
};
constexpr FlavourCase kFlavours[] = {
    {Flavour::Digits, "hex digits"},
    {Flavour::DigitsWithZeroPair, "hex digits and one pair that unmasks to zero"},
    {Flavour::RareOddChars, "hex digits, now and then another character"},
    {Flavour::ManyOddChars, "hex digits and many other characters"},
    {Flavour::AnyBytes, "any bytes"},
};

std::string makeBody(Bodies& r, Flavour flavour, std::size_t n) {
  std::string body(n, '\0');
  for (char& c : body) {
    switch (flavour) {
      case Flavour::Digits:
      case Flavour::DigitsWithZeroPair:
        c = r.pick(kHexDigits);
        break;
      case Flavour::RareOddChars:
        c = r.below(150) == 0 ? r.pick(kOddChars) : r.pick(kHexDigits);
        break;
      case Flavour::ManyOddChars:
        c = r.below(3) == 0 ? r.pick(kOddChars) : r.pick(kHexDigits);
        break;
      case Flavour::AnyBytes:
        c = static_cast<char>(r.anyByte());
        break;
    }
  }
  if (flavour == Flavour::DigitsWithZeroPair && n >= 2) {
    // "B2" for the seal mask, "00" for no mask; somewhere past the first block
    // more often than not.
    constexpr std::string_view kZeroPairs[] = {"B2", "b2", "00"};
    body.replace(2 * r.below(n / 2), 2, kZeroPairs[r.below(3)]);
  }
  return body;
}

// Every length up to a few blocks, then a few around larger block multiples.
std::vector<std::size_t> bodyLengths() {
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 200; ++n) lengths.push_back(n);
  for (const std::size_t m : {256u, 512u, 1024u, 4096u}) {
    for (std::size_t n = m - 3; n <= m + 3; ++n) lengths.push_back(n);
  }
  return lengths;
}

struct DecodeMode {
  std::uint8_t mask;
  bool stopAtZero;
};
constexpr DecodeMode kDecodeModes[] = {
    {0, false}, {0, true}, {kSealMask, false}, {kSealMask, true}};

// Bytes past the room a call was given must stay as they were.
constexpr std::size_t kGuard = 64;
constexpr std::uint8_t kGuardByte = 0xEE;

}  // namespace

TEST(Hex, BodiesDecodeAsTheLiteralReading) {
  Bodies r(kSeed);
  const auto paths = pathsUnderTest();
  int failures = 0;
  for (const FlavourCase& flavour : kFlavours) {
    for (const std::size_t n : bodyLengths()) {
      const std::string body = makeBody(r, flavour.flavour, n);
      // Exactly n bytes, so that a sanitizer build sees any read past the end.
      const std::vector<char> input(body.begin(), body.end());
      for (const DecodeMode& mode : kDecodeModes) {
        const std::vector<std::uint8_t> expected =
            literalHexToBytes(body, mode.mask, mode.stopAtZero);
        for (const hex::Path& path : paths) {
          std::vector<std::uint8_t> out(n / 2 + kGuard, kGuardByte);
          const std::size_t written =
              path.decode(input.data(), n, mode.mask, mode.stopAtZero, out.data());
          const bool guardKept =
              std::all_of(out.begin() + static_cast<std::ptrdiff_t>(n / 2), out.end(),
                          [](std::uint8_t b) { return b == kGuardByte; });
          out.resize(std::min(written, n / 2));
          if (written == expected.size() && out == expected && guardKept) continue;
          ADD_FAILURE() << "seed " << kSeed << ", " << flavour.name << ", length " << n << ", mask "
                        << int{mode.mask} << (mode.stopAtZero ? ", stop at zero" : "") << ", path "
                        << path.name << "\n  body     " << shown(body) << "\n  expected "
                        << shown(expected) << "\n  got      " << shown(out) << " (" << written
                        << " bytes)" << (guardKept ? "" : "\n  and wrote past n / 2 bytes");
          if (++failures == 5) return;
        }
      }
    }
  }
}

TEST(Hex, BytesEncodeAsTheLiteralDigits) {
  Bodies r(kSeed);
  std::vector<std::vector<std::uint8_t>> inputs;
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 130; ++n) lengths.push_back(n);
  for (const std::size_t n : {255u, 256u, 257u, 1023u, 1024u, 1025u, 4097u}) lengths.push_back(n);
  for (const std::size_t n : lengths) {
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes) b = r.anyByte();
    inputs.push_back(std::move(bytes));
  }
  std::vector<std::uint8_t> everyByte(256);
  for (std::size_t b = 0; b < 256; ++b) everyByte[b] = static_cast<std::uint8_t>(b);
  inputs.push_back(everyByte);

  int failures = 0;
  for (const auto& bytes : inputs) {
    for (const std::uint8_t mask : {std::uint8_t{0}, kSealMask}) {
      const std::string expected = literalBytesToHex(bytes, mask);
      for (const hex::Path& path : pathsUnderTest()) {
        std::string out(2 * bytes.size() + kGuard, static_cast<char>(kGuardByte));
        path.encode(bytes.data(), bytes.size(), mask, out.data());
        const bool guardKept = out.find_first_not_of(static_cast<char>(kGuardByte),
                                                     2 * bytes.size()) == std::string::npos;
        out.resize(2 * bytes.size());
        if (out == expected && guardKept) continue;
        ADD_FAILURE() << "seed " << kSeed << ", length " << bytes.size() << ", mask " << int{mask}
                      << ", path " << path.name << "\n  bytes    " << shown(bytes)
                      << "\n  expected " << expected << "\n  got      " << shown(out)
                      << (guardKept ? "" : "\n  and wrote past 2 n characters");
        if (++failures == 5) return;
      }
    }
  }
}
