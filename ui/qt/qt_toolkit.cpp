#include "qt_toolkit.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "code_page.h"
#include "files.h"
#include "form.h"
#include "qt_text.h"

namespace txtseal::ui::qt {

std::optional<Text> QtToolkit::contentText() {
  return toCodePage(linesFromBox(contentBox_.document()->toRawText()));
}

void QtToolkit::setContentText(const Text& text) {
  contentBox_.setPlainText(boxFromLines(fromCodePage(text)));
  contentBox_.document()->setModified(false);
}

bool QtToolkit::contentModified() { return contentBox_.document()->isModified(); }

std::optional<Text> QtToolkit::passwordText() { return toCodePage(passwordBox_.text()); }

std::string QtToolkit::programDirectory() {
  return directoryOf(QCoreApplication::applicationFilePath().toStdString());
}

std::optional<std::string> QtToolkit::runFileDialog(const FileDialog& dialog) {
  QFileDialog box(&window_);
  const bool open = dialog.kind == FileDialogKind::Open;
  box.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  // The open kind wants the file to exist; both want its folder to exist and
  // the save kind confirms overwriting, which are the dialog's own defaults.
  box.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  // Qt's own dialog, not the desktop's: those confirm overwriting before Qt
  // adds the suffix, so "note" would replace an existing note.txt unasked.
  box.setOption(QFileDialog::DontUseNativeDialog);
  // Shows the descriptions alone, as the Windows dialog does.
  box.setOption(QFileDialog::HideNameFilterDetails);

  QStringList filters;
  for (const FilterEntry& entry : prepareFilter(dialog.filter)) {
    // Patterns of one entry are separated by ";" there and by spaces here.
    filters << fromUtf8(entry.description) + " (" + fromUtf8(entry.pattern).replace(u';', u' ') + ")";
  }
  box.setNameFilters(filters);
  if (!dialog.initialDirectory.empty()) box.setDirectory(fromUtf8(dialog.initialDirectory));
  QString suffix = fromUtf8(dialog.defaultSuffix);
  if (suffix.startsWith(u'.')) suffix.remove(0, 1);
  box.setDefaultSuffix(suffix);
  // The last chosen file, with its folder, as the Windows dialog pre-fills it.
  if (!dialog.fileName.empty()) box.selectFile(fromUtf8(dialog.fileName));

  if (box.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = box.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front().toStdString();
}

FileContent QtToolkit::readWholeFile(const std::string& path) { return qt::readWholeFile(fromUtf8(path)); }

FileWritten QtToolkit::writeWholeFile(const std::string& path, ByteView bytes) {
  return qt::writeWholeFile(fromUtf8(path), bytes);
}

void QtToolkit::showMessage(const std::string& message) {
  QMessageBox box(QMessageBox::Warning, fromUtf8(kWindowTitle), fromUtf8(message), QMessageBox::Ok, &window_);
  box.exec();
}

bool QtToolkit::confirm(const std::string& question) {
  QMessageBox box(QMessageBox::Question, fromUtf8(kWindowTitle), fromUtf8(question),
                  QMessageBox::Yes | QMessageBox::No, &window_);
  // Enter keeps the text.
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtToolkit::openWebAddress(std::string_view address) {
  QDesktopServices::openUrl(QUrl(fromUtf8(address), QUrl::StrictMode));
}

}  // namespace txtseal::ui::qt
