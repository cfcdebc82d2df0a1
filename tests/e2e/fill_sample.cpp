// For the screenshot of the program in use: waits for the running program's
// window, types a short sample text and a password into it as a user would,
// lets it repaint, and prints the window's place on the screen as
// "left top width height".
#include <cstdio>

#include "driver.h"
#include "form.h"

using namespace txtseal::e2e;
using txtseal::ui::Role;

int main() {
  const std::wstring title = widen(txtseal::ui::kWindowTitle);
  HWND window = nullptr;
  // The first start on a new Wine desktop can take a while.
  if (!waitUntil([&] { return (window = findWindowTitled(title)) != nullptr; }, 60s)) {
    std::fprintf(stderr, "fill_sample: no window titled %s came up\n", txtseal::ui::kWindowTitle.data());
    return 1;
  }
  const std::vector<HWND> controls = childrenOf(window);
  if (controls.size() != txtseal::ui::kControls.size()) {
    std::fprintf(stderr, "fill_sample: the window has %zu controls\n", controls.size());
    return 1;
  }
  const auto control = [&](Role role) { return controls[static_cast<std::size_t>(role)]; };
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!bringToFront(window) || !waitUntil([&] { return focusOf(thread) == control(Role::ContentBox); })) {
    std::fprintf(stderr, "fill_sample: the content box did not get the focus\n");
    return 1;
  }

  const std::wstring first = L"这是一段要加密保存的文字。";
  const std::wstring second = L"第二行：明天上午十点开会。";
  typeText(first);
  pressKey(VK_RETURN);
  typeText(second);
  const std::wstring text = first + L"\r\n" + second;
  // Shift+Tab wraps from the content box to the password box.
  pressKey(VK_TAB, true);
  const std::wstring password = L"my密码2024";
  typeText(password);
  if (!waitUntil([&] {
        return textOf(control(Role::ContentBox)) == text && textOf(control(Role::PasswordBox)) == password;
      })) {
    std::fprintf(stderr, "fill_sample: the typed text did not arrive\n");
    return 1;
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);

  RECT frame{};
  GetWindowRect(window, &frame);
  std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
  return 0;
}
