#include "win32_toolkit.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "encoding.h"
#include "files.h"
#include "form.h"

namespace txtseal::ui::win32 {

namespace {

std::wstring windowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The dialog's file-name buffer: MAX_PATH characters, the last one for the terminator.
constexpr std::size_t kFileNameBuffer = MAX_PATH;

}  // namespace

std::optional<Text> Win32Toolkit::contentText() { return toAnsi(windowText(contentBox_)); }

void Win32Toolkit::setContentText(const Text& text) {
  SetWindowTextW(contentBox_, fromAnsi(text).c_str());
  SendMessageW(contentBox_, EM_SETMODIFY, FALSE, 0);
}

bool Win32Toolkit::contentModified() { return SendMessageW(contentBox_, EM_GETMODIFY, 0, 0) != 0; }

std::optional<Text> Win32Toolkit::passwordText() { return toAnsi(windowText(passwordBox_)); }

std::string Win32Toolkit::programDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return directoryOf(narrow(path));
}

std::optional<std::string> Win32Toolkit::runFileDialog(const FileDialog& dialog) {
  // "description\0pattern\0...\0\0"
  std::wstring filter;
  for (const FilterEntry& entry : prepareFilter(dialog.filter)) {
    filter += widen(entry.description);
    filter += L'\0';
    filter += widen(entry.pattern);
    filter += L'\0';
  }
  filter += L'\0';

  wchar_t fileName[kFileNameBuffer] = {};
  const std::wstring last = widen(dialog.fileName);
  last.copy(fileName, kFileNameBuffer - 1);
  const std::wstring folder = widen(dialog.initialDirectory);
  // The suffix comes with its leading dot; the dialog wants it without.
  std::wstring suffix = widen(dialog.defaultSuffix);
  if (!suffix.empty() && suffix.front() == L'.') suffix.erase(0, 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = fileName;
  ofn.nMaxFile = static_cast<DWORD>(kFileNameBuffer);
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
  bool chosen = false;
  if (dialog.kind == FileDialogKind::Open) {
    ofn.Flags |= OFN_FILEMUSTEXIST;  // on the save kind it would refuse every new name
    chosen = GetOpenFileNameW(&ofn) != FALSE;
  } else {
    chosen = GetSaveFileNameW(&ofn) != FALSE;
  }
  if (!chosen) return std::nullopt;
  return narrow(fileName);
}

FileContent Win32Toolkit::readWholeFile(const std::string& path) { return win32::readWholeFile(widen(path)); }

FileWritten Win32Toolkit::writeWholeFile(const std::string& path, ByteView bytes) {
  return win32::writeWholeFile(widen(path), bytes);
}

void Win32Toolkit::showMessage(const std::string& message) {
  MessageBoxW(window_, widen(message).c_str(), widen(kWindowTitle).c_str(), MB_OK | MB_ICONWARNING);
}

bool Win32Toolkit::confirm(const std::string& question) {
  return MessageBoxW(window_, widen(question).c_str(), widen(kWindowTitle).c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void Win32Toolkit::openWebAddress(std::string_view address) {
  ShellExecuteW(window_, L"open", widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace txtseal::ui::win32
