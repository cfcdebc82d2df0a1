// Conversions at the window layer's boundary: UTF-16 for the window system,
// UTF-8 for the portable layer's paths and messages, and the ANSI code page
// for the texts that files hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text.h"

namespace txtseal::ui::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// The text in the system's ANSI code page, or nothing when a character has
// no exact form there: never a "?" or a best-fit look-alike.
std::optional<Text> toAnsi(std::wstring_view wide);
std::wstring fromAnsi(const Text& text);

// The system's words for an error code, UTF-8, without a trailing line break.
std::string systemReason(unsigned long error);

}  // namespace txtseal::ui::win32
