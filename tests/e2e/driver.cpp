#include "driver.h"

#include <tlhelp32.h>

#include <climits>
#include <thread>

namespace txtseal::e2e {

namespace {

constexpr auto kPollInterval = 10ms;
constexpr UINT kSendTimeoutMs = 10000;

struct FindData {
  DWORD processId;
  std::wstring_view title;
  HWND found;
};

BOOL CALLBACK findTitled(HWND window, LPARAM param) {
  auto* data = reinterpret_cast<FindData*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((data->processId == 0 || pid == data->processId) && IsWindowVisible(window) &&
      GetWindow(window, GW_OWNER) == nullptr && textOf(window) == data->title) {
    data->found = window;
    return FALSE;
  }
  return TRUE;
}

struct DialogSearch {
  DWORD processId;
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK findDialogs(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->processId && GetWindow(window, GW_OWNER) == search->owner && classOf(window) == kDialogClass) {
    search->found.push_back(window);
  }
  return TRUE;
}

INPUT keyInput(WORD key, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = key;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

void send(std::vector<INPUT>& inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

}  // namespace

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = static_cast<int>(utf8.size());
  std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), static_cast<int>(out.size()));
  return out;
}

std::string narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = static_cast<int>(wide.size());
  std::string out(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &copied);
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

void setText(HWND window, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                      &result);
}

std::wstring classOf(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

RECT clientPlace(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool isFileDialog(HWND dialog) { return GetDlgItem(dialog, kFileNameBox) != nullptr; }

std::wstring messageText(HWND box) {
  // A message box shows its text in a static control of id 0xFFFF.
  if (const HWND text = GetDlgItem(box, 0xFFFF)) return textOf(text);
  return {};
}

void answer(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressKey(WORD key, bool shift) {
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(keyInput(VK_SHIFT, 0, 0));
  inputs.push_back(keyInput(key, 0, 0));
  inputs.push_back(keyInput(key, 0, KEYEVENTF_KEYUP));
  if (shift) inputs.push_back(keyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
  send(inputs);
}

void typeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (const wchar_t c : text) {
    inputs.push_back(keyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE));
    inputs.push_back(keyInput(0, static_cast<WORD>(c), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  send(inputs);
}

void mouseAt(POINT screen, const std::vector<Mouse>& events) {
  // Each event carries its own position. A separate move (or SetCursorPos)
  // can be overtaken by the X server's echo of an earlier pointer warp,
  // which Wine's desktop feeds back as a move to the old place, so a press
  // after it could land there instead.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  const auto normal = [](int v, int size) { return static_cast<LONG>((v * 65536LL + size - 1) / size); };
  std::vector<INPUT> inputs;
  for (const Mouse event : events) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = normal(screen.x, width);
    in.mi.dy = normal(screen.y, height);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    switch (event) {
      case Mouse::LeftDown:
        in.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
        break;
      case Mouse::LeftUp:
        in.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
        break;
      case Mouse::RightDown:
        in.mi.dwFlags |= MOUSEEVENTF_RIGHTDOWN;
        break;
      case Mouse::RightUp:
        in.mi.dwFlags |= MOUSEEVENTF_RIGHTUP;
        break;
    }
    inputs.push_back(in);
  }
  send(inputs);
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  folder_ = std::wstring(temp) + L"txtseal-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::wstring file = folder_ + found.cFileName;
      SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(file.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder_.c_str());
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readFile(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool writeFile(const std::wstring& path, std::string_view bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
  CloseHandle(file);
  return ok;
}

int countProcesses(std::wstring_view imageName) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (CompareStringOrdinal(entry.szExeFile, -1, imageName.data(), static_cast<int>(imageName.size()), TRUE) ==
        CSTR_EQUAL) {
      ++count;
    }
  }
  CloseHandle(snapshot);
  return count;
}

HWND findWindowTitled(std::wstring_view title, DWORD processId) {
  FindData data{processId, title, nullptr};
  EnumWindows(findTitled, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

std::vector<HWND> childrenOf(HWND window) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

bool bringToFront(HWND window) {
  return waitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

HWND focusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

std::wstring windowsPath(std::wstring path) {
  if (path.size() >= 2 && path[1] == L':') return path;  // already a Windows path
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return L"Z:" + path;
}

Program::Program(const std::wstring& executable) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process_)) {
    failure_ = "CreateProcess failed for " + narrow(executable) + " (error " + std::to_string(GetLastError()) + ")";
    process_ = {};
    return;
  }
  const std::wstring title = widen(ui::kWindowTitle);
  HWND found = nullptr;
  const bool shown = waitUntil([&] {
    found = findWindowTitled(title, process_.dwProcessId);
    return found != nullptr || !running();
  });
  if (!shown || !found) {
    failure_ = "no visible window titled \"" + std::string(ui::kWindowTitle) + "\" came up";
    return;
  }
  // The window creates its controls in the form's order.
  controls_ = childrenOf(found);
  if (controls_.size() != ui::kControls.size()) {
    failure_ = "the window has " + std::to_string(controls_.size()) + " controls, the form " +
               std::to_string(ui::kControls.size());
    return;
  }
  window_ = found;
  sync();
}

Program::~Program() {
  if (!process_.hProcess) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kPatience.count()));
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND Program::control(ui::Role role) const { return controls_.at(static_cast<std::size_t>(role)); }

bool Program::running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::waitForExit(std::chrono::milliseconds timeout) {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void Program::sync() const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
}

HWND Program::focus() const { return focusOf(process_.dwThreadId); }

bool Program::bringToFront() const { return e2e::bringToFront(window_); }

std::vector<HWND> Program::dialogsOwnedBy(HWND owner) const {
  DialogSearch search{process_.dwProcessId, owner, {}};
  EnumWindows(findDialogs, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::waitForDialogOwnedBy(HWND owner, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  waitUntil(
      [&] {
        for (HWND d : dialogsOwnedBy(owner)) {
          if (IsWindowVisible(d)) found = d;
        }
        return found != nullptr;
      },
      timeout);
  return found;
}

HWND Program::settledMessageBox() const {
  // A message box appears, if at all, before the program's thread takes the
  // next sent message; the second round covers a box created meanwhile.
  for (int round = 0; round < 2; ++round) {
    sync();
    for (HWND d : dialogsOwnedBy(window_)) {
      if (!isFileDialog(d)) return waitUntil([&] { return IsWindowVisible(d) != FALSE; }) ? d : nullptr;
    }
  }
  return nullptr;
}

void Program::click(ui::Role button) const { PostMessageW(control(button), BM_CLICK, 0, 0); }

}  // namespace txtseal::e2e
