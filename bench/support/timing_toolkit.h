// A toolkit for the window benchmarks: forwards to the window's real toolkit,
// answers the file dialog itself (a person's time, not the program's), and
// keeps the time the content box itself spends taking and giving the text:
// the toolkit's call less its code page conversion, timed again on its own.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "commands.h"
#include "toolkit.h"

namespace txtseal::bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class TimingToolkit final : public ui::Toolkit {
 public:
  // Each conversion redoes the toolkit's own for a text and says how many
  // milliseconds it took: from the box to the code page, and back.
  using Conversion = std::function<double(const Text&)>;

  TimingToolkit(ui::Toolkit& real, std::string path, Conversion fromBox, Conversion toBox)
      : real_(real), path_(std::move(path)), fromBox_(std::move(fromBox)), toBox_(std::move(toBox)) {}

  std::optional<Text> contentText() override {
    const auto start = Clock::now();
    std::optional<Text> text = real_.contentText();
    const double call = msSince(start);
    boxMs += call - fromBox_(text.value_or(Text()));
    return text;
  }
  void setContentText(const Text& text) override {
    const auto start = Clock::now();
    real_.setContentText(text);
    const double call = msSince(start);
    boxMs += call - toBox_(text);
  }
  bool contentModified() override { return real_.contentModified(); }
  std::optional<Text> passwordText() override { return real_.passwordText(); }
  std::string programDirectory() override { return real_.programDirectory(); }
  std::optional<std::string> runFileDialog(const ui::FileDialog&) override { return path_; }
  ui::FileContent readWholeFile(const std::string& path) override {
    const auto start = Clock::now();
    ui::FileContent content = real_.readWholeFile(path);
    fileMs += msSince(start);
    return content;
  }
  ui::FileWritten writeWholeFile(const std::string& path, ByteView bytes) override {
    const auto start = Clock::now();
    ui::FileWritten written = real_.writeWholeFile(path, bytes);
    fileMs += msSince(start);
    return written;
  }
  void showMessage(const std::string& message) override {
    std::printf("unexpected message: %s\n", message.c_str());
    ++messages;
  }
  bool confirm(const std::string&) override { return true; }
  void openWebAddress(std::string_view) override {}

  double boxMs = 0;
  double fileMs = 0;
  int messages = 0;

 private:
  ui::Toolkit& real_;
  std::string path_;
  Conversion fromBox_;
  Conversion toBox_;
};

// Chinese text in lines of 60 characters with CR LF, about the given size in
// code page 936.
inline std::u16string sampleText(std::size_t codePageBytes) {
  const std::u16string phrase = u"密封的文本只在密码相符时才会显示出来，";
  std::u16string text;
  std::size_t bytes = 0;
  while (bytes < codePageBytes) {
    for (std::size_t i = 0; i < 60; ++i) text += phrase[i % phrase.size()];
    text += u"\r\n";
    bytes += 60 * 2 + 2;
  }
  return text;
}

// Three rounds of Save then Import of the text the box was filled with by
// `fill`; prints each round. With `share`, also the program's own work (all
// but the text box's own set and get) against the box's own time: the goal
// for a box as slow as Wine's edit box. A box much faster than the program's
// conversions (Qt's) makes that split mere noise, and only times are shown.
inline void runRounds(ui::Commands& commands, TimingToolkit& toolkit, const std::function<void()>& fill,
                      const std::function<void()>& settle, bool share) {
  double ownTotal = 0;
  double boxTotal = 0;
  for (int round = 1; round <= 3; ++round) {
    struct Figures {
      double total, box, file;
    };
    auto timed = [&](void (ui::Commands::*command)()) {
      toolkit.boxMs = toolkit.fileMs = 0;
      const auto start = Clock::now();
      (commands.*command)();
      return Figures{msSince(start), toolkit.boxMs, toolkit.fileMs};
    };
    // Save reads the box, seals, writes and empties the box; Import reads
    // the file, unseals and fills the box.
    fill();
    const Figures save = timed(&ui::Commands::onSave);
    const Figures import = timed(&ui::Commands::onImport);
    settle();

    std::printf("round %d\n", round);
    for (const auto& [name, f] : {std::pair{"save  ", save}, std::pair{"import", import}}) {
      const double own = f.total - f.box;
      if (share) {
        std::printf("  %s %8.1f ms: text box %8.1f ms, program's own %6.1f ms (of it file access %6.1f ms)\n", name,
                    f.total, f.box, own, f.file);
      } else {
        std::printf("  %s %8.1f ms (of it file access %6.1f ms)\n", name, f.total, f.file);
      }
      ownTotal += own;
      boxTotal += f.box;
    }
  }
  if (share) {
    std::printf("save and import: program's own work is %.1f %% of the text box's own time (goal: under 10 %%)\n",
                100.0 * ownTotal / boxTotal);
  }
}

}  // namespace txtseal::bench
