// The program's one window: its frame, controls, keyboard handling and the
// binding of control events to the commands.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "commands.h"
#include "form.h"
#include "handles.h"
#include "win32_toolkit.h"

namespace txtseal::ui::win32 {

class MainWindow {
 public:
  // Creates the window hidden, with its controls. Null if the system refuses.
  static std::unique_ptr<MainWindow> create(HINSTANCE instance);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window centred on the primary screen, focus in the content box.
  void show();
  // Runs the message loop until the window is destroyed; the exit code.
  int run();

  // Keys that mean the same anywhere in the window: Tab order, Esc, Enter
  // outside the content box, F1. True when the key was taken.
  bool handleKey(const MSG& msg);

  [[nodiscard]] HWND handle() const { return window_; }
  [[nodiscard]] HWND control(Role role) const { return controls_[static_cast<std::size_t>(role)]; }
  [[nodiscard]] Toolkit& toolkit() { return toolkit_; }

 private:
  MainWindow() = default;
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK creditLinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool createControls();
  // Places and sizes everything for the given DPI and makes its fonts.
  void layout(UINT dpi);
  [[nodiscard]] const ControlForm* formOf(HWND control) const;

  HWND window_ = nullptr;
  std::array<HWND, kControls.size()> controls_{};
  UINT dpi_ = 96;
  UniqueFont guiFont_;
  UniqueFont creditFont_;
  Win32Toolkit toolkit_;
  Commands commands_{toolkit_};
};

}  // namespace txtseal::ui::win32
