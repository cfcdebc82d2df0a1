// Shows the Linux program's window with a sample text and password typed in,
// for scripts/screenshot.sh: prints where the window and its frame are
// ("left top width height") once the window manager has placed it, then runs
// until it is ended.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

#include "form.h"
#include "main_window.h"
#include "window_driver.h"

using txtseal::ui::Role;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  txtseal::ui::qt::MainWindow window;
  window.showCentred();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  auto& password = *static_cast<QLineEdit*>(window.control(Role::PasswordBox));
  password.setFocus();
  txtseal::qttest::typeText(password, QStringLiteral("my密码2024"));
  auto& content = *static_cast<QPlainTextEdit*>(window.control(Role::ContentBox));
  content.setFocus();
  txtseal::qttest::typeText(content, QStringLiteral("这是一段要加密保存的文字。\n第二行：明天上午十点开会。"));
  // Closing the screenshot's window throws the sample away without asking.
  content.document()->setModified(false);

  QTest::qWait(500);  // the frame arrives after the window is mapped
  const QRect frame = window.frameGeometry();
  std::printf("%d %d %d %d\n", frame.left(), frame.top(), frame.width(), frame.height());
  std::fflush(stdout);
  return QApplication::exec();
}
