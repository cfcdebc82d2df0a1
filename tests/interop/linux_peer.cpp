// The Linux program's side of the interoperability test: drives the real Qt
// window under the offscreen platform to save a text into a file, or to import
// a file and write out the text the window then shows.
//
//   linux_peer save   FILE PASSWORD TEXT_FILE   types TEXT_FILE's text (UTF-8) and saves it as FILE
//   linux_peer import FILE PASSWORD OUT_FILE    imports FILE and writes the box's text to OUT_FILE
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

#include "form.h"
#include "main_window.h"
#include "window_driver.h"

using namespace txtseal;
using namespace txtseal::qttest;
using txtseal::ui::Role;

namespace {

int fail(const QString& why) {
  std::fprintf(stderr, "linux_peer: %s\n", why.toUtf8().constData());
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 5 || (args[1] != "save" && args[1] != "import")) {
    return fail("usage: linux_peer save|import FILE PASSWORD TEXT_FILE");
  }
  const bool save = args[1] == "save";
  const QString file = args[2];

  ui::qt::MainWindow window;
  window.showCentred();
  if (!QTest::qWaitForWindowExposed(&window)) return fail("the window did not show");
  auto& content = *static_cast<QPlainTextEdit*>(window.control(Role::ContentBox));
  auto& password = *static_cast<QLineEdit*>(window.control(Role::PasswordBox));
  password.setFocus();
  typeText(password, args[3]);

  if (save) {
    QFile in(args[4]);
    if (!in.open(QIODevice::ReadOnly)) return fail("cannot read " + args[4]);
    content.setFocus();
    typeText(content, QString::fromUtf8(in.readAll()));
  }

  // A message box would say the command failed; it is answered and reported.
  QString said;
  {
    ModalScript script({chooseFile(file), answerMessage(QMessageBox::Ok, &said)});
    QTest::mouseClick(window.control(save ? Role::SaveButton : Role::ImportButton), Qt::LeftButton);
  }
  if (!said.isEmpty()) return fail("the program said: " + said);

  if (save) {
    if (!content.toPlainText().isEmpty()) return fail("Save left text in the box");
    if (!QFile::exists(file)) return fail("Save wrote no " + file);
  } else {
    QFile out(args[4]);
    if (!out.open(QIODevice::WriteOnly) || out.write(content.toPlainText().toUtf8()) < 0) {
      return fail("cannot write " + args[4]);
    }
  }
  content.document()->setModified(false);
  return 0;
}
