// The toolkit interface over the real Qt window: its text boxes, Qt's file
// dialog, files, message boxes and the desktop's browser.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "toolkit.h"

namespace txtseal::ui::qt {

class QtToolkit final : public Toolkit {
 public:
  QtToolkit(QWidget& window, QPlainTextEdit& contentBox, QLineEdit& passwordBox)
      : window_(window), contentBox_(contentBox), passwordBox_(passwordBox) {}

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
  QWidget& window_;
  QPlainTextEdit& contentBox_;
  QLineEdit& passwordBox_;
};

}  // namespace txtseal::ui::qt
