// The Linux program: starts Qt, shows the main window and runs the event
// loop until the window is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("txtseal"));
  QApplication::setApplicationVersion(QStringLiteral(TXTSEAL_VERSION));
  // Qt's own dialogs and buttons in the user's language, where Qt has it.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  txtseal::ui::qt::MainWindow window;
  window.showCentred();
  return QApplication::exec();
}
