#include "commands.h"

#include <string>

#include "form.h"
#include "messages.h"
#include "seal.h"

namespace txtseal::ui {

void Commands::prepareDialog(FileDialogKind kind) {
  dialog_.kind = kind;
  dialog_.filter = kFileFilter;
  dialog_.initialDirectory = toolkit_.programDirectory();
  dialog_.defaultSuffix = kDefaultSuffix;
}

bool Commands::runDialog() {
  std::optional<std::string> chosen = toolkit_.runFileDialog(dialog_);
  if (!chosen) return false;  // Cancel keeps the earlier name
  dialog_.fileName = std::move(*chosen);
  return true;
}

// The password, or the default key when the password box is empty; any byte
// counts, a lone space too.
std::optional<Text> Commands::decideKey() {
  std::optional<Text> password = toolkit_.passwordText();
  if (!password) {
    toolkit_.showMessage(std::string(messages::kPasswordNotRepresentable));
    return std::nullopt;
  }
  return password->empty() ? Text(kDefaultKey) : std::move(*password);
}

void Commands::onImport() {
  prepareDialog(FileDialogKind::Open);
  // A password that cannot be a key is told before a file is asked for.
  const std::optional<Text> key = decideKey();
  if (!key) return;
  if (!runDialog()) return;

  const FileContent file = toolkit_.readWholeFile(dialog_.fileName);
  if (!file.ok) {
    std::string message = std::string(messages::kCannotRead) + dialog_.fileName;
    if (!file.reason.empty()) message += "\n" + file.reason;
    toolkit_.showMessage(message);
    return;
  }
  // The file is taken as a text up to its first zero byte.
  std::optional<Text> plain = tryUnsealText(bytesToText(file.bytes), *key);
  if (!plain) {
    toolkit_.showMessage(std::string(messages::kKeyDoesNotFit));
    return;
  }
  toolkit_.setContentText(*plain);
}

void Commands::onSave() {
  prepareDialog(FileDialogKind::Save);
  const std::optional<Text> key = decideKey();
  if (!key) return;
  // Refused before the dialog, so the user is not asked for a file in vain.
  const std::optional<Text> plain = toolkit_.contentText();
  if (!plain) {
    toolkit_.showMessage(std::string(messages::kTextNotRepresentable));
    return;
  }
  if (!runDialog()) return;

  const Text sealed = sealText(*plain, *key);
  const FileWritten written = toolkit_.writeWholeFile(dialog_.fileName, viewBytes(sealed));
  if (!written.ok) {
    std::string message = std::string(messages::kCannotSave) + dialog_.fileName;
    if (!written.reason.empty()) message += "\n" + written.reason;
    message += "\n";
    message += messages::kNotSaved;
    toolkit_.showMessage(message);
    return;
  }
  toolkit_.setContentText(Text());
}

void Commands::onCreditPressed() { toolkit_.openWebAddress(kCreditAddress); }

bool Commands::mayClose() {
  if (!toolkit_.contentModified()) return true;
  const std::optional<Text> content = toolkit_.contentText();
  if (content && content->empty()) return true;
  return toolkit_.confirm(std::string(messages::kConfirmClose));
}

}  // namespace txtseal::ui
