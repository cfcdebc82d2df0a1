#pragma once

#include <cstddef>
#include <cstdint>

#include "text.h"

namespace txtseal::detail {
Text renderDigest(const std::uint8_t* digest, std::size_t length);
}
