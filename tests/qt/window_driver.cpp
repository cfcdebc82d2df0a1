#include "window_driver.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace txtseal::qttest {

namespace {

// Runs after the current event, outside the timer that found the dialog.
void later(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }

QFileDialog& fileDialog(QWidget& modal) {
  auto* dialog = qobject_cast<QFileDialog*>(&modal);
  if (!dialog) qFatal("expected a file dialog, met %s", modal.metaObject()->className());
  return *dialog;
}

QLineEdit& nameBox(QFileDialog& dialog) {
  // The name box of Qt's own dialog; the desktop's native one has none.
  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!edit) qFatal("the file dialog is not Qt's own: no name box");
  return *edit;
}

void record(QFileDialog& dialog, FileDialogSeen* seen) {
  if (!seen) return;
  seen->save = dialog.acceptMode() == QFileDialog::AcceptSave;
  seen->directory = dialog.directory().absolutePath();
  seen->fileName = nameBox(dialog).text();
  seen->nameFilters = dialog.nameFilters();
  seen->selectedNameFilter = dialog.selectedNameFilter();
  seen->defaultSuffix = dialog.defaultSuffix();
  seen->confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
  seen->desktopsOwn = !dialog.testOption(QFileDialog::DontUseNativeDialog);
}

}  // namespace

ModalScript::ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start();
}

void ModalScript::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal == last_ || !modal->isVisible() || steps_.empty()) return;
  last_ = modal;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  QPointer<QWidget> target = modal;
  later([step = std::move(step), target] {
    if (target) step(*target);
  });
}

ModalScript::Step chooseFile(const QString& path, FileDialogSeen* seen) {
  return [path, seen](QWidget& modal) {
    QFileDialog& dialog = fileDialog(modal);
    record(dialog, seen);
    QLineEdit& name = nameBox(dialog);
    name.setFocus();
    name.selectAll();
    typeText(name, path);
    QTest::keyClick(&name, Qt::Key_Return);
  };
}

ModalScript::Step cancelFileDialog(FileDialogSeen* seen) {
  return [seen](QWidget& modal) {
    QFileDialog& dialog = fileDialog(modal);
    record(dialog, seen);
    QTest::keyClick(&dialog, Qt::Key_Escape);
  };
}

ModalScript::Step answerMessage(QMessageBox::StandardButton button, QString* text) {
  return [button, text](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (!box) qFatal("expected a message box, met %s", modal.metaObject()->className());
    if (text) *text = box->text();
    QAbstractButton* answer = box->button(button);
    if (!answer) qFatal("the message box has no such button");
    QTest::mouseClick(answer, Qt::LeftButton);
  };
}

void typeText(QWidget& widget, const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\n') {
      QTest::keyClick(&widget, Qt::Key_Return);
    } else if (c.unicode() < 0x80) {
      QTest::keyClicks(&widget, QString(c));
    } else {
      // Chinese comes from an input method, which commits whole characters;
      // a surrogate pair is one of them.
      const qsizetype n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      QInputMethodEvent commit;
      commit.setCommitString(text.mid(i, n));
      QApplication::sendEvent(&widget, &commit);
      i += n - 1;
    }
  }
}

}  // namespace txtseal::qttest
