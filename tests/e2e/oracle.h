// The sealed format worked out by the test itself, from its published
// description and with the system's own MD5, so that the program's files are
// checked against something that shares no code with it:
//
//   body        each byte of the text in the ANSI code page, XOR 0xB2, as "%02X"
//   check code  characters 3 to 11 of the key's MD5 digest in hex, upper case
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace txtseal::e2e {

// The key when the password box is empty, as published.
inline constexpr std::string_view kPublishedDefaultKey = "v38k%tw!mq,zb-d=x&p?h;ncy&";

// The text's bytes in the code page; nothing when a character has no exact
// form there.
std::optional<std::string> ansiBytes(std::wstring_view text, UINT codePage);
// The 32 hex digits of the MD5 digest (CryptoAPI), upper case; empty on failure.
std::string md5Hex(std::string_view bytes);
std::string checkCode(std::string_view key);
std::string seal(std::string_view plain, std::string_view key);

}  // namespace txtseal::e2e
