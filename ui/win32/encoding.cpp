#include "encoding.h"

#include <windows.h>

#include <climits>

namespace txtseal::ui::win32 {

namespace {

int checkedLength(std::size_t n) { return n > INT_MAX ? -1 : static_cast<int>(n); }

}  // namespace

std::wstring widen(std::string_view utf8) {
  const int n = checkedLength(utf8.size());
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), static_cast<int>(out.size()));
  return out;
}

std::string narrow(std::wstring_view wide) {
  const int n = checkedLength(wide.size());
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::optional<Text> toAnsi(std::wstring_view wide) {
  // One pass into a buffer of the largest size: no character of an ANSI code
  // page takes more than two bytes for one UTF-16 unit.
  if (wide.size() > INT_MAX / 2) return std::nullopt;
  if (wide.empty()) return Text();
  std::string out(2 * wide.size(), '\0');
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                       out.data(), static_cast<int>(out.size()), nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  out.resize(static_cast<std::size_t>(size));
  // A U+0000 cannot come from an edit box; a text would end there anyway.
  return Text(std::move(out));
}

std::wstring fromAnsi(const Text& text) {
  // At most one UTF-16 unit for each byte.
  const int n = checkedLength(text.size());
  if (n <= 0) return {};
  std::wstring out(text.size(), L'\0');
  out.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), n, out.data(), n)));
  return out;
}

std::string systemReason(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring reason = n ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' || reason.back() == L' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = L"error " + std::to_wstring(error);
  return narrow(reason);
}

}  // namespace txtseal::ui::win32
