// The window's commands: Import, Save, the credit link and the question
// before closing. They hold the window's file dialog, whose last chosen file
// name is the one value that passes from one command to the next.
#pragma once

#include <optional>

#include "file_dialog.h"
#include "text.h"
#include "toolkit.h"

namespace txtseal::ui {

class Commands {
 public:
  explicit Commands(Toolkit& toolkit) : toolkit_(toolkit) {}
  Commands(const Commands&) = delete;
  Commands& operator=(const Commands&) = delete;

  // Reads a sealed file into the content box. A key that does not fit, a file
  // that is not sealed text or cannot be read leaves the box as it was.
  void onImport();
  // Seals the content box into a file and empties the box. Cancel or a failed
  // write keeps the text.
  void onSave();
  void onCreditPressed();
  // Whether the window may close now: asks first when the content box holds
  // text typed or changed since the last Save or Import.
  bool mayClose();

  [[nodiscard]] const FileDialog& fileDialog() const { return dialog_; }

 private:
  void prepareDialog(FileDialogKind kind);
  bool runDialog();
  std::optional<Text> decideKey();

  Toolkit& toolkit_;
  FileDialog dialog_;
};

}  // namespace txtseal::ui
