// Drives the real Qt window the way a user would: real key and mouse events
// into its widgets, and answers to its modal dialogs (Qt's own file dialog
// and message boxes) as they open.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>

class QFileDialog;
class QWidget;

namespace txtseal::qttest {

// What a file dialog showed when it opened.
struct FileDialogSeen {
  bool save = false;
  QString directory;
  QString fileName;  // the name pre-filled in its name box
  QStringList nameFilters;
  QString selectedNameFilter;
  QString defaultSuffix;
  bool confirmsOverwrite = false;
  bool desktopsOwn = false;  // the desktop's dialog instead of Qt's
};

// Answers the modal dialogs that open from now on, one step each, in order.
// A step runs after the dialog is shown and returns at once, so a dialog that
// opens another (the overwrite question) gets the next step.
class ModalScript {
 public:
  using Step = std::function<void(QWidget& modal)>;

  explicit ModalScript(std::deque<Step> steps);
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // True when every step has run.
  [[nodiscard]] bool done() const { return steps_.empty(); }

 private:
  void poll();

  std::deque<Step> steps_;
  QPointer<QWidget> last_;
  QTimer timer_;
};

// Steps. Each checks the kind of dialog it meets and fails loudly otherwise.
ModalScript::Step chooseFile(const QString& path, FileDialogSeen* seen = nullptr);
ModalScript::Step cancelFileDialog(FileDialogSeen* seen = nullptr);
ModalScript::Step answerMessage(QMessageBox::StandardButton button, QString* text = nullptr);

// Types text into the focused widget; "\n" is a press of Enter.
void typeText(QWidget& widget, const QString& text);

}  // namespace txtseal::qttest
