// For the core's own codecs only: wraps bytes that are known to hold no zero
// byte (hex digits, say) without scanning them again.
#pragma once

#include <cassert>
#include <cstring>
#include <string>

#include "text.h"

namespace txtseal {

struct TextAccess {
  static Text adopt(std::string&& bytes) {
    assert(std::memchr(bytes.data(), 0, bytes.size()) == nullptr);
    Text t;
    t.bytes_ = std::move(bytes);
    return t;
  }
};

}  // namespace txtseal
