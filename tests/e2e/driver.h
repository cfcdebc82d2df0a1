// Drives the real program from another process, the way a user (or an
// accessibility tool) would: finds its windows by title and class, reads and
// sets control texts with messages, presses keys and mouse buttons with
// SendInput, and answers its dialogs. Every wait polls with a time limit.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form.h"

namespace txtseal::e2e {

using namespace std::chrono_literals;

// Long enough for a slow first start of the Wine desktop, short enough that a
// hung program fails the test instead of the whole run.
inline constexpr std::chrono::milliseconds kPatience = 20s;

// Polls until `done` holds; false when the time ran out first.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kPatience);

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);  // for messages about failures

// Both work across processes; the system copies the text.
std::wstring textOf(HWND window);
void setText(HWND window, const std::wstring& text);
std::wstring classOf(HWND window);
RECT clientPlace(HWND control);  // left, top, right, bottom in the parent's client area

// The common dialogs and message boxes are all of this class.
inline constexpr wchar_t kDialogClass[] = L"#32770";
// The file name box of the common file dialog.
inline constexpr int kFileNameBox = 0x47C;

bool isFileDialog(HWND dialog);
// The text of a message box.
std::wstring messageText(HWND box);
// As if the button with this id (IDOK, IDCANCEL, IDYES, IDNO) were clicked;
// posted, so the caller never waits on the dialog's modal loop.
void answer(HWND dialog, int id);

// Keyboard and mouse, as the hardware would deliver them to the foreground window.
void pressKey(WORD key, bool shift = false);
void typeText(std::wstring_view text);
enum class Mouse { LeftDown, LeftUp, RightDown, RightUp };
void mouseAt(POINT screen, const std::vector<Mouse>& events);

// A folder of the test's own, emptied and removed at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  [[nodiscard]] std::wstring path(std::wstring_view name) const { return folder_ + std::wstring(name); }

 private:
  std::wstring folder_;  // with its trailing backslash
};

bool fileExists(const std::wstring& path);
std::string readFile(const std::wstring& path);  // empty when unreadable
bool writeFile(const std::wstring& path, std::string_view bytes);

// How many processes of this image name run in the prefix.
int countProcesses(std::wstring_view imageName);

// The visible top-level window with this title, of the process if one is
// given; null when there is none.
HWND findWindowTitled(std::wstring_view title, DWORD processId = 0);
// A window's children in z-order, which is the order they were created in.
std::vector<HWND> childrenOf(HWND window);
// Makes the window the foreground window, so SendInput reaches it.
bool bringToFront(HWND window);
// The window with the keyboard focus in that thread.
HWND focusOf(DWORD threadId);

// A path given in Unix form (the build tree's) as Wine sees it, on drive Z:.
std::wstring windowsPath(std::wstring path);

// One run of the program: started in the constructor, ended (if still
// running) in the destructor.
class Program {
 public:
  explicit Program(const std::wstring& executable);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // False when the program or its window did not come up; why in failure().
  [[nodiscard]] bool started() const { return window_ != nullptr; }
  [[nodiscard]] const std::string& failure() const { return failure_; }

  [[nodiscard]] HWND window() const { return window_; }
  [[nodiscard]] HWND control(ui::Role role) const;
  [[nodiscard]] bool running() const;
  bool waitForExit(std::chrono::milliseconds timeout = kPatience);

  // Returns once the program's thread has handled everything sent to it so
  // far (it may be in a modal loop by then).
  void sync() const;
  // The window with the keyboard focus in the program's thread.
  [[nodiscard]] HWND focus() const;
  // Makes the main window the foreground window, so SendInput reaches it.
  bool bringToFront() const;

  // The program's #32770 windows owned by `owner`.
  [[nodiscard]] std::vector<HWND> dialogsOwnedBy(HWND owner) const;
  // Waits for one; null when none came.
  HWND waitForDialogOwnedBy(HWND owner, std::chrono::milliseconds timeout = kPatience) const;
  // A message box (not a file dialog) owned by the main window, once the
  // program has settled; null when there is none.
  HWND settledMessageBox() const;

  // A click on a button, posted: the dialog it opens must not block the test.
  void click(ui::Role button) const;

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  std::vector<HWND> controls_;
  std::string failure_;
};

}  // namespace txtseal::e2e
