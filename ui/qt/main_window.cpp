#include "main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <functional>
#include <limits>

#include "qt_text.h"

namespace txtseal::ui::qt {

namespace {

// The credit link acts on the press of the left button, not on its release.
// The second press of a double click comes as the double click and opens
// nothing, though a widget hands double clicks on to its press handler.
class CreditLink final : public QLabel {
 public:
  CreditLink(QWidget* parent, std::function<void()> pressed) : QLabel(parent), pressed_(std::move(pressed)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton) pressed_();
    QLabel::mousePressEvent(event);
  }

 private:
  std::function<void()> pressed_;
};

// Black text on white, and no selection drawn while the box has no focus.
void paintAsEditBox(QWidget& box) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  box.setPalette(palette);
}

void setTextColor(QWidget& label, QColor color) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, color);
  label.setPalette(palette);
}

}  // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      contentBox_(new QPlainTextEdit(this)),
      passwordBox_(new QLineEdit(this)),
      toolkit_(*this, *contentBox_, *passwordBox_) {
  setWindowTitle(fromUtf8(kWindowTitle));
  setWindowIcon(QIcon(QStringLiteral(":/txtseal.ico")));
  // A fixed frame: the window manager gets equal least and largest sizes.
  setFixedSize(kClientWidth, kClientHeight);
  createControls();
}

void MainWindow::createControls() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlForm& form = kControls[i];
    QWidget* widget = nullptr;
    switch (form.kind) {
      case Kind::MultiLineEdit: {
        QPlainTextEdit& box = *contentBox_;
        // Wraps at the right edge, long words too; no scroll bars, the view
        // follows the caret.
        box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box.setPlainText(fromUtf8(form.text));
        paintAsEditBox(box);
        widget = &box;
        break;
      }
      case Kind::SingleLineEdit: {
        QLineEdit& box = *passwordBox_;
        box.setEchoMode(QLineEdit::Normal);  // the password shows as typed
        box.setMaxLength(std::numeric_limits<int>::max());
        box.setText(fromUtf8(form.text));
        paintAsEditBox(box);
        widget = &box;
        break;
      }
      case Kind::PushButton: {
        auto* button = new QPushButton(fromUtf8(form.text), this);
        // No default button: Enter clicks nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        const Role role = form.role;
        connect(button, &QPushButton::clicked, this, [this, role] {
          if (role == Role::ImportButton) commands_.onImport();
          if (role == Role::SaveButton) commands_.onSave();
        });
        widget = button;
        break;
      }
      case Kind::Label: {
        auto* label = new QLabel(fromUtf8(form.text), this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setTextColor(*label, Qt::black);
        widget = label;
        break;
      }
      case Kind::TransparentLabel: {
        auto* link = new CreditLink(this, [this] { commands_.onCreditPressed(); });
        // Plain text: "&" and "<" are drawn as they are.
        link->setTextFormat(Qt::PlainText);
        link->setText(fromUtf8(form.text));
        link->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        link->setAutoFillBackground(false);  // the window shows through
        const Color c = kCreditLinkColor;
        setTextColor(*link, QColor(c.red, c.green, c.blue));
        QFont font = link->font();
        font.setPixelSize(kCreditLinkCharHeight);
        font.setWeight(QFont::Normal);
        font.setItalic(false);
        font.setUnderline(true);
        link->setFont(font);
        link->setCursor(Qt::PointingHandCursor);
        widget = link;
        break;
      }
    }
    widget->setObjectName(fromUtf8(form.name));
    widget->setGeometry(form.place.left, form.place.top, form.place.width, form.place.height);
    widget->installEventFilter(this);
    controls_[i] = widget;
  }
  // Only the controls of the Tab order take the focus, the labels never.
  for (QWidget* widget : controls_) widget->setFocusPolicy(Qt::NoFocus);
  for (const Role role : kTabOrder) control(role)->setFocusPolicy(Qt::StrongFocus);
  for (std::size_t i = 0; i + 1 < kTabOrder.size(); ++i) setTabOrder(control(kTabOrder[i]), control(kTabOrder[i + 1]));
}

void MainWindow::showCentred() {
  // The form's outer size, centred on the primary screen; the window manager
  // adds its own frame around the client area.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const Point origin = centredOrigin(screen.width(), screen.height());
  move(screen.left() + origin.x, screen.top() + origin.y);
  show();
  control(kInitialFocus)->setFocus(Qt::OtherFocusReason);
}

const ControlForm* MainWindow::formOf(const QWidget* widget) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == widget) return &kControls[i];
  }
  return nullptr;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && handleKey(static_cast<const QKeyEvent&>(*event))) return true;
  return QWidget::eventFilter(watched, event);
}

bool MainWindow::handleKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrlOrAlt = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const ControlForm* focused = formOf(focusWidget());
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      // Never typed into the content box, with or without modifiers.
      if (!ctrlOrAlt) {
        const Role next = nextInTabOrder(focused ? focused->role : kInitialFocus,
                                         shift || key.key() == Qt::Key_Backtab);
        control(next)->setFocus(shift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      }
      return true;
    }
    case Qt::Key_Escape:
      if (modifiers == Qt::NoModifier) close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!focused || focused->role != Role::ContentBox) return true;  // no default button
      // Every Enter breaks the line the same way; Shift+Enter would otherwise
      // put a line separator of its own into the box.
      if (modifiers != Qt::NoModifier) {
        contentBox_->textCursor().insertBlock();
        contentBox_->ensureCursorVisible();
        return true;
      }
      return false;
    case Qt::Key_F1:
      return true;
    default:
      return false;
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (commands_.mayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace txtseal::ui::qt
