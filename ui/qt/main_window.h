// The program's one window on Qt: its frame, controls, keyboard handling and
// the binding of control events to the commands.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <array>

#include "commands.h"
#include "form.h"
#include "qt_toolkit.h"

class QKeyEvent;

namespace txtseal::ui::qt {

class MainWindow final : public QWidget {
 public:
  // Builds the window hidden, with its controls.
  MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Shows the window centred on the primary screen, focus in the content box.
  void showCentred();

  // A control by its role; each also carries its form name as object name.
  [[nodiscard]] QWidget* control(Role role) const { return controls_[static_cast<std::size_t>(role)]; }
  [[nodiscard]] Commands& commands() { return commands_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createControls();
  // Keys that mean the same anywhere in the window: Tab order, Esc, Enter
  // outside the content box, F1. True when the key was taken.
  bool handleKey(const QKeyEvent& key);
  [[nodiscard]] const ControlForm* formOf(const QWidget* widget) const;

  std::array<QWidget*, kControls.size()> controls_{};  // children, owned by the window
  QPlainTextEdit* contentBox_;
  QLineEdit* passwordBox_;
  QtToolkit toolkit_;
  Commands commands_{toolkit_};
};

}  // namespace txtseal::ui::qt
