// The toolkit interface over the real Win32 window: its edit boxes, the
// common file dialog, files, message boxes and the shell.
#pragma once

#include <windows.h>

#include "toolkit.h"

namespace txtseal::ui::win32 {

class Win32Toolkit final : public Toolkit {
 public:
  void attach(HWND window, HWND contentBox, HWND passwordBox) {
    window_ = window;
    contentBox_ = contentBox;
    passwordBox_ = passwordBox;
  }

  std::optional<Text> contentText() override;
  void setContentText(const Text& text) override;
  bool contentModified() override;
  std::optional<Text> passwordText() override;
  std::string programDirectory() override;
  std::optional<std::string> runFileDialog(const FileDialog& dialog) override;
  FileContent readWholeFile(const std::string& path) override;
  FileWritten writeWholeFile(const std::string& path, ByteView bytes) override;
  void showMessage(const std::string& message) override;
  bool confirm(const std::string& question) override;
  void openWebAddress(std::string_view address) override;

 private:
  HWND window_ = nullptr;
  HWND contentBox_ = nullptr;
  HWND passwordBox_ = nullptr;
};

}  // namespace txtseal::ui::win32
