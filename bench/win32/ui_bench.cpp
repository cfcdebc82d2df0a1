// Times Save and Import of a large text on the real main window, and sets the
// program's own work against the edit box's own time for the same text.
//
// The file dialog is answered by the benchmark; everything else is the real
// Win32 layer. Run it under Wine with a display and code page 936:
// bench/run-ui-bench.sh windows.
#include <windows.h>

#include <string>

#include "commands.h"
#include "encoding.h"
#include "main_window.h"
#include "timing_toolkit.h"

using namespace txtseal;
using namespace txtseal::bench;

namespace {

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t mib = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : 4;
  if (GetACP() != 936) std::printf("note: code page %u, not 936\n", GetACP());

  const auto window = ui::win32::MainWindow::create(GetModuleHandleW(nullptr));
  if (!window) return 1;
  window->show();
  pump();
  const HWND box = window->control(ui::Role::ContentBox);

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string path = ui::win32::narrow(temp) + "txtseal-ui-bench.txt";
  TimingToolkit toolkit(
      window->toolkit(), path,
      [](const Text& text) {
        const std::wstring wide = ui::win32::fromAnsi(text);
        const auto start = Clock::now();
        (void)ui::win32::toAnsi(wide);
        return msSince(start);
      },
      [](const Text& text) {
        const auto start = Clock::now();
        (void)ui::win32::fromAnsi(text);
        return msSince(start);
      });
  ui::Commands commands(toolkit);

  const std::u16string sample = sampleText(mib << 20);
  const std::wstring text(sample.begin(), sample.end());
  std::printf("text: %zu characters, %zu MiB in code page 936, lines of 60 characters\n", text.size(), mib);
  runRounds(
      commands, toolkit, [&] { SetWindowTextW(box, text.c_str()); },
      [&] {
        SetWindowTextW(box, L"");
        pump();
      },
      true);
  DeleteFileW(ui::win32::widen(path).c_str());
  return toolkit.messages == 0 ? 0 : 1;
}
