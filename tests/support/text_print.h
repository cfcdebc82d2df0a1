// Shows texts and byte strings in test failures as quoted text with hex escapes.
#pragma once

#include <cstdio>
#include <ostream>

#include "text.h"

namespace txtseal {

inline void PrintTo(const Text& t, std::ostream* os) {
  *os << '"';
  for (const char c : t.view()) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\') {
      *os << c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      *os << escape;
    }
  }
  *os << "\" (" << t.size() << " bytes)";
}

}  // namespace txtseal
