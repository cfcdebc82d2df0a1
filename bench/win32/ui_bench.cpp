// Times Save and Import of a large text on the real main window, and sets the
// program's own work against the edit box's own time for the same text.
//
// The file dialog is answered by the benchmark (a person's time, not the
// program's); everything else is the real Win32 layer. Run it under Wine with
// a display and code page 936: bench/run-ui-bench.sh.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "commands.h"
#include "encoding.h"
#include "main_window.h"

using namespace txtseal;
using namespace txtseal::ui;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Forwards to the window's toolkit, but answers the file dialog itself, and
// keeps the time that the edit box itself spends taking and giving the text:
// the toolkit's call less the code page conversion, timed again on its own.
class TimingToolkit final : public Toolkit {
 public:
  TimingToolkit(Toolkit& real, std::string path) : real_(real), path_(std::move(path)) {}
  std::optional<Text> contentText() override {
    auto start = Clock::now();
    std::optional<Text> text = real_.contentText();
    const double call = msSince(start);
    const std::wstring wide = text ? win32::fromAnsi(*text) : std::wstring();
    start = Clock::now();
    (void)win32::toAnsi(wide);
    boxMs += call - msSince(start);
    return text;
  }
  void setContentText(const Text& t) override {
    auto start = Clock::now();
    real_.setContentText(t);
    const double call = msSince(start);
    start = Clock::now();
    (void)win32::fromAnsi(t);
    boxMs += call - msSince(start);
  }
  bool contentModified() override { return real_.contentModified(); }
  std::optional<Text> passwordText() override { return real_.passwordText(); }
  std::string programDirectory() override { return real_.programDirectory(); }
  std::optional<std::string> runFileDialog(const FileDialog&) override { return path_; }
  FileContent readWholeFile(const std::string& p) override {
    const auto start = Clock::now();
    FileContent c = real_.readWholeFile(p);
    fileMs += msSince(start);
    return c;
  }
  FileWritten writeWholeFile(const std::string& p, ByteView b) override {
    const auto start = Clock::now();
    FileWritten w = real_.writeWholeFile(p, b);
    fileMs += msSince(start);
    return w;
  }
  void showMessage(const std::string& m) override {
    std::printf("unexpected message: %s\n", m.c_str());
    ++messages;
  }
  bool confirm(const std::string&) override { return true; }
  void openWebAddress(std::string_view) override {}

  double boxMs = 0;
  double fileMs = 0;
  int messages = 0;

 private:
  Toolkit& real_;
  std::string path_;
};

// Chinese text in lines of 60 characters, about the given size in code page 936.
std::wstring sampleText(std::size_t ansiBytes) {
  const std::wstring phrase = L"密封的文本只在密码相符时才会显示出来，";
  std::wstring text;
  std::size_t bytes = 0;
  while (bytes < ansiBytes) {
    for (int i = 0; i < 60; ++i) text += phrase[static_cast<std::size_t>(i) % phrase.size()];
    text += L"\r\n";
    bytes += 60 * 2 + 2;
  }
  return text;
}

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::size_t mib = argc > 1 ? static_cast<std::size_t>(_wtoi(argv[1])) : 4;
  if (GetACP() != 936) std::printf("note: code page %u, not 936\n", GetACP());

  const auto window = win32::MainWindow::create(GetModuleHandleW(nullptr));
  if (!window) return 1;
  window->show();
  pump();
  const HWND box = window->control(Role::ContentBox);

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string path = std::string(win32::narrow(temp)) + "txtseal-ui-bench.txt";
  TimingToolkit toolkit(window->toolkit(), path);
  Commands commands(toolkit);

  const std::wstring text = sampleText(mib << 20);
  std::printf("text: %zu characters, %zu MiB in code page 936, lines of 60 characters\n", text.size(), mib);

  double ownTotal = 0;
  double boxTotal = 0;
  for (int round = 1; round <= 3; ++round) {
    struct Figures {
      double total, box, file;
    };
    auto timed = [&](void (Commands::*command)()) {
      toolkit.boxMs = toolkit.fileMs = 0;
      const auto start = Clock::now();
      (commands.*command)();
      return Figures{msSince(start), toolkit.boxMs, toolkit.fileMs};
    };
    // Save reads the box, seals, writes and empties the box; Import reads
    // the file, unseals and fills the box.
    SetWindowTextW(box, text.c_str());
    const Figures save = timed(&Commands::onSave);
    const Figures import = timed(&Commands::onImport);
    SetWindowTextW(box, L"");
    pump();

    std::printf("round %d\n", round);
    for (const auto& [name, f] : {std::pair{"save  ", save}, std::pair{"import", import}}) {
      const double own = f.total - f.box;
      std::printf("  %s %8.1f ms: edit box %8.1f ms, program's own %6.1f ms (of it file access %6.1f ms)\n", name,
                  f.total, f.box, own, f.file);
      ownTotal += own;
      boxTotal += f.box;
    }
  }
  std::printf("save and import: program's own work is %.1f %% of the edit box's own time (goal: under 10 %%)\n",
              100.0 * ownTotal / boxTotal);
  DeleteFileW(win32::widen(path).c_str());
  return toolkit.messages == 0 ? 0 : 1;
}
