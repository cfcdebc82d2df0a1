// Times Save and Import of a large text on the real Linux window.
//
// The file dialog is answered by the benchmark; everything else is the real
// Qt layer. bench/run-ui-bench.sh linux runs it under the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

#include "commands.h"
#include "main_window.h"
#include "timing_toolkit.h"

using namespace txtseal;
using namespace txtseal::bench;

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::size_t mib = argc > 1 ? std::stoul(argv[1]) : 4;

  ui::qt::MainWindow window;
  window.showCentred();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  auto& box = *static_cast<QPlainTextEdit*>(window.control(ui::Role::ContentBox));
  auto& password = *static_cast<QLineEdit*>(window.control(ui::Role::PasswordBox));

  const QString path = QDir::temp().filePath(QStringLiteral("txtseal-ui-bench.txt"));
  ui::qt::QtToolkit real(window, box, password);
  // Only whole commands are timed here, so no conversion is redone.
  const auto untimed = [](const Text&) { return 0.0; };
  TimingToolkit toolkit(real, path.toStdString(), untimed, untimed);
  ui::Commands commands(toolkit);

  const QString text = QString::fromStdU16String(sampleText(mib << 20));
  std::printf("text: %lld characters, %zu MiB in code page 936, lines of 60 characters\n",
              static_cast<long long>(text.size()), mib);
  runRounds(
      commands, toolkit, [&] { box.setPlainText(text); },
      [&] {
        box.clear();
        QApplication::processEvents();
      },
      false);
  box.document()->setModified(false);
  QFile::remove(path);
  return toolkit.messages == 0 ? 0 : 1;
}
