// The toolkit interface in memory: edit boxes as strings, files in a map,
// dialogs answered from a script. Each fault a test needs can be switched on.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolkit.h"

namespace txtseal::ui {

class FakeToolkit : public Toolkit {
 public:
  // The boxes' contents. nullopt stands for a box holding a character that
  // the code page cannot represent.
  std::optional<Text> content = Text();
  std::optional<Text> password = Text();
  bool modified = false;

  std::string directory = "C:\\tools";
  std::deque<std::optional<std::string>> dialogAnswers;  // nullopt: Cancel
  std::vector<FileDialog> dialogsShown;

  std::map<std::string, Bytes> files;
  std::map<std::string, std::string> unreadable;   // path -> reason
  std::map<std::string, std::string> unwritable;   // path -> reason

  std::vector<std::string> messages;
  std::deque<bool> confirmAnswers;
  std::vector<std::string> questions;
  std::vector<std::string> addressesOpened;

  std::optional<Text> contentText() override { return content; }
  void setContentText(const Text& text) override {
    content = text;
    modified = false;
  }
  bool contentModified() override { return modified; }
  std::optional<Text> passwordText() override { return password; }
  std::string programDirectory() override { return directory; }

  std::optional<std::string> runFileDialog(const FileDialog& dialog) override {
    dialogsShown.push_back(dialog);
    if (dialogAnswers.empty()) return std::nullopt;
    std::optional<std::string> answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
  }

  FileContent readWholeFile(const std::string& path) override {
    if (auto bad = unreadable.find(path); bad != unreadable.end()) return {false, {}, bad->second};
    auto file = files.find(path);
    if (file == files.end()) return {false, {}, "The system cannot find the file specified."};
    return {true, file->second, {}};
  }
  FileWritten writeWholeFile(const std::string& path, ByteView bytes) override {
    if (auto bad = unwritable.find(path); bad != unwritable.end()) return {false, bad->second};
    files[path] = Bytes(bytes.begin(), bytes.end());
    return {true, {}};
  }

  void showMessage(const std::string& message) override { messages.push_back(message); }
  bool confirm(const std::string& question) override {
    questions.push_back(question);
    if (confirmAnswers.empty()) return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
  }
  void openWebAddress(std::string_view address) override { addressesOpened.emplace_back(address); }
};

}  // namespace txtseal::ui
