// The real Qt window under the offscreen platform: its widgets, real key and
// mouse events, Qt's own file dialog and message boxes, real files.
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>
#include <QUrl>
#include <limits>
#include <memory>

#include "form.h"
#include "main_window.h"
#include "messages.h"
#include "qt_text.h"
#include "window_driver.h"

using namespace txtseal;
using namespace txtseal::ui;
using namespace txtseal::qttest;
using txtseal::ui::qt::fromUtf8;

namespace {

// The sample as the box shows it, and its bytes in code page 936 (GBK) with
// CR LF line breaks, worked out with iconv -t CP936: 第 B5DA, 一 D2BB,
// 行 D0D0, 二 B6FE, € 80.
const QString kSample = QStringLiteral("第一行\n第二行 €");
const QByteArray kSampleBytes("\xB5\xDA\xD2\xBB\xD0\xD0\r\n\xB5\xDA\xB6\xFE\xD0\xD0 \x80");
// "密码" is C3DC C2EB in GBK; md5sum gives D2293E30F0C964C5..., so its check
// code is characters 3 to 11.
const QString kPassword = QStringLiteral("密码");
const QByteArray kPasswordCheckCode("293E30F0C");

// The sealed format worked out here: each byte XOR 0xB2 as "%02X", then the
// check code.
QByteArray sealed(const QByteArray& plain, const QByteArray& checkCode) {
  QByteArray out;
  for (const char c : plain) out += QByteArray::number(static_cast<uchar>(c) ^ 0xB2, 16).rightJustified(2, '0').toUpper();
  return out + checkCode;
}

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Records the addresses the desktop is asked to open.
class AddressRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<qt::MainWindow> window_;
  std::unique_ptr<QTemporaryDir> folder_;

  QPlainTextEdit& contentBox() { return *static_cast<QPlainTextEdit*>(window_->control(Role::ContentBox)); }
  QLineEdit& passwordBox() { return *static_cast<QLineEdit*>(window_->control(Role::PasswordBox)); }
  QWidget& button(Role role) { return *window_->control(role); }
  QWidget* focused() { return window_->focusWidget(); }
  QString path(const QString& name) { return folder_->filePath(name); }

  // Clicks the button and answers the dialogs it opens; fails when a step
  // was left over.
  void click(Role role, std::deque<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    QTest::mouseClick(&button(role), Qt::LeftButton);
    QVERIFY2(script.done(), "a dialog the test expected did not open");
  }
  void saveAs(const QString& file) {
    click(Role::SaveButton, {chooseFile(file), answerMessage(QMessageBox::Yes)});
  }
  void typeIntoContent(const QString& text) {
    contentBox().setFocus();
    typeText(contentBox(), text);
  }

 private slots:
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    window_ = std::make_unique<qt::MainWindow>();
    window_->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void cleanup() {
    // Closes without the question: the tests leave text behind.
    contentBox().document()->setModified(false);
    window_.reset();
    folder_.reset();
  }

  void windowAndControlsAreAsTheFormDescribes() {
    QCOMPARE(window_->windowTitle(), fromUtf8(kWindowTitle));
    QVERIFY2(!window_->windowIcon().availableSizes().isEmpty(), "the program's icon");
    // A fixed size, and no maximise box.
    QCOMPARE(window_->size(), QSize(kClientWidth, kClientHeight));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    const Qt::WindowFlags flags = window_->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
    // Centred by the form's formula on the primary screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const Point origin = centredOrigin(screen.width(), screen.height());
    QCOMPARE(window_->frameGeometry().topLeft(), QPoint(origin.x, origin.y));
    QCOMPARE(centredOrigin(1024, 768).x, 300);
    QCOMPARE(centredOrigin(1024, 768).y, 209);

    for (const ControlForm& form : kControls) {
      QWidget* widget = window_->control(form.role);
      const QString what = fromUtf8(form.name);
      QVERIFY2(widget == window_->findChild<QWidget*>(what), qPrintable(what));
      QCOMPARE(widget->geometry(), QRect(form.place.left, form.place.top, form.place.width, form.place.height));
      QVERIFY2(widget->isVisible(), qPrintable(what));
      QString text;
      if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
      if (auto* push = qobject_cast<QPushButton*>(widget)) {
        text = push->text();
        QVERIFY2(!push->isDefault() && !push->autoDefault(), "no default button");
      }
      if (auto* line = qobject_cast<QLineEdit*>(widget)) text = line->text();
      if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) text = box->toPlainText();
      QCOMPARE(text, fromUtf8(form.text));
    }

    // The content box wraps at its right edge and has no scroll bars.
    QCOMPARE(contentBox().lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(contentBox().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(contentBox().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(contentBox().palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(contentBox().palette().color(QPalette::Text), QColor(Qt::black));
    // The password shows as typed, with no length cut.
    QCOMPARE(passwordBox().echoMode(), QLineEdit::Normal);
    QCOMPARE(passwordBox().maxLength(), std::numeric_limits<int>::max());

    auto& link = *static_cast<QLabel*>(window_->control(Role::CreditLink));
    QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(link.font().pixelSize(), kCreditLinkCharHeight);
    QVERIFY(link.font().underline());
    QCOMPARE(link.font().weight(), QFont::Normal);
    QCOMPARE(link.font().family(), window_->font().family());
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
    QVERIFY2(!link.autoFillBackground(), "the window shows through");
    QCOMPARE(link.textFormat(), Qt::PlainText);

    QCOMPARE(focused(), &contentBox());
  }

  void longLinesWrapInsteadOfScrollingSideways() {
    typeIntoContent(QString(400, u'字'));
    QVERIFY(contentBox().document()->documentLayout()->documentSize().width() <= contentBox().viewport()->width());
    QVERIFY(contentBox().document()->firstBlock().layout()->lineCount() > 1);
  }

  void tabMovesAlongTheOrderAndWraps() {
    typeIntoContent(QStringLiteral("字"));
    const Role forward[] = {Role::ImportButton, Role::SaveButton, Role::PasswordBox, Role::ContentBox};
    for (const Role role : forward) {
      QTest::keyClick(focused(), Qt::Key_Tab);
      QCOMPARE(focused(), window_->control(role));
    }
    const Role backward[] = {Role::PasswordBox, Role::SaveButton, Role::ImportButton, Role::ContentBox};
    for (const Role role : backward) {
      QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(focused(), window_->control(role));
    }
    // Neither Tab nor Ctrl+Tab is ever typed into the box.
    QTest::keyClick(focused(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(focused(), &contentBox());
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("字"));
  }

  void escapeClosesAndShiftEscapeDoesNot() {
    QTest::keyClick(&contentBox(), Qt::Key_Escape, Qt::ShiftModifier);
    QVERIFY(window_->isVisible());
    QTest::keyClick(&contentBox(), Qt::Key_Escape);
    QVERIFY(!window_->isVisible());
  }

  void closingWithUnsavedTextAsksFirst() {
    typeIntoContent(QStringLiteral("未保存"));
    QString question;
    {
      ModalScript script({answerMessage(QMessageBox::No, &question)});
      QTest::keyClick(&contentBox(), Qt::Key_Escape);
      QVERIFY(script.done());
    }
    QCOMPARE(question, fromUtf8(messages::kConfirmClose));
    QVERIFY(window_->isVisible());
    {
      ModalScript script({answerMessage(QMessageBox::Yes)});
      window_->close();
      QVERIFY(script.done());
    }
    QVERIFY(!window_->isVisible());
  }

  void enterBreaksLinesOnlyInTheContentBox() {
    typeIntoContent(QStringLiteral("一\n二"));
    QTest::keyClick(&contentBox(), Qt::Key_Return, Qt::ShiftModifier);
    typeText(contentBox(), QStringLiteral("三"));
    // Typed breaks read as CR LF, Shift+Enter's too.
    QCOMPARE(window_->commands().fileDialog().fileName, std::string());
    const std::optional<Text> text = qt::QtToolkit(*window_, contentBox(), passwordBox()).contentText();
    QVERIFY(text.has_value());
    QCOMPARE(QByteArray(text->c_str()), QByteArray("\xD2\xBB\r\n\xB6\xFE\r\n\xC8\xFD"));

    // Enter on a button clicks nothing: no dialog opens. Space does.
    button(Role::ImportButton).setFocus();
    QTest::keyClick(&button(Role::ImportButton), Qt::Key_Return);
    QTest::keyClick(&button(Role::ImportButton), Qt::Key_F1);
    FileDialogSeen seen;
    ModalScript script({cancelFileDialog(&seen)});
    QTest::keyClick(&button(Role::ImportButton), Qt::Key_Space);
    QVERIFY(script.done());
    QVERIFY(!seen.save);
  }

  void everyTextComesOutOfTheBoxAsItWentIn() {
    // Texts as the Windows program may have saved them: CR LF, and a CR or
    // an LF on its own, which only its edit box keeps apart.
    qt::QtToolkit toolkit(*window_, contentBox(), passwordBox());
    const Text rows[] = {
        Text("\xB5\xDA\xD2\xBB\r\n\r\nend"),
        Text("lone\nLF, lone\rCR, LF CR\n\r, CR CR LF\r\r\n"),
        Text("\ttab  two spaces \x80"),
        Text(),
    };
    for (const Text& text : rows) {
      toolkit.setContentText(text);
      QVERIFY(!toolkit.contentModified());
      QCOMPARE(toolkit.contentText().value_or(Text("(refused)")).view(), text.view());
    }
    // Typing at the end leaves what was there as it was.
    toolkit.setContentText(Text("a\nb\rc"));
    contentBox().moveCursor(QTextCursor::End);
    typeIntoContent(QStringLiteral("\nd"));
    QVERIFY(toolkit.contentModified());
    QCOMPARE(toolkit.contentText().value_or(Text("(refused)")).view(), std::string_view("a\nb\rc\r\nd"));
  }

  void saveThenImportRestoresChineseTextWithLineBreaks() {
    typeIntoContent(kSample);
    passwordBox().setText(kPassword);
    const QString file = path(QStringLiteral("笔记.txt"));
    FileDialogSeen saveDialog;
    click(Role::SaveButton, {chooseFile(file, &saveDialog)});

    QVERIFY(saveDialog.save);
    QCOMPARE(saveDialog.directory, QCoreApplication::applicationDirPath());
    QCOMPARE(saveDialog.nameFilters, QStringList{QStringLiteral("文本文件（.txt） (*.txt)")});
    // The entry is selected, and shown by its description alone.
    QCOMPARE(saveDialog.selectedNameFilter, QStringLiteral("文本文件（.txt）"));
    QCOMPARE(saveDialog.defaultSuffix, QStringLiteral("txt"));
    QVERIFY(saveDialog.confirmsOverwrite);
    QVERIFY2(!saveDialog.desktopsOwn, "Qt's own dialog, which asks after adding the suffix");
    QCOMPARE(saveDialog.fileName, QString());
    QCOMPARE(fileBytes(file), sealed(kSampleBytes, kPasswordCheckCode));
    QCOMPARE(contentBox().toPlainText(), QString());

    // The next dialog offers the file just saved.
    FileDialogSeen importDialog;
    click(Role::ImportButton, {chooseFile(file, &importDialog)});
    QVERIFY(!importDialog.save);
    QCOMPARE(importDialog.directory, folder_->path());
    QCOMPARE(importDialog.fileName, QStringLiteral("笔记.txt"));
    QCOMPARE(contentBox().toPlainText(), kSample);
    QVERIFY(!contentBox().document()->isModified());
  }

  void theSuffixIsAddedAndAnExistingFileIsReplacedOnlyWhenConfirmed() {
    typeIntoContent(QStringLiteral("abc"));
    const QString file = path(QStringLiteral("note.txt"));
    QVERIFY(QFile(file).open(QIODevice::WriteOnly));
    // Declining the overwrite question leaves the dialog open; cancel it.
    click(Role::SaveButton, {chooseFile(path(QStringLiteral("note"))), answerMessage(QMessageBox::No),
                             cancelFileDialog()});
    QCOMPARE(fileBytes(file), QByteArray());
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("abc"));

    saveAs(path(QStringLiteral("note")));
    // "abc" with the default key: the published vector.
    QCOMPARE(fileBytes(file), QByteArray("D3D0D130E959E48"));
  }

  void aWrongKeyOrACancelKeepsTheBox() {
    const QString file = path(QStringLiteral("a.txt"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(sealed(kSampleBytes, kPasswordCheckCode));
    out.close();

    typeIntoContent(QStringLiteral("留着"));
    passwordBox().setText(QStringLiteral("错误"));
    QString message;
    click(Role::ImportButton, {chooseFile(file), answerMessage(QMessageBox::Ok, &message)});
    QCOMPARE(message, fromUtf8(messages::kKeyDoesNotFit));
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("留着"));

    click(Role::ImportButton, {cancelFileDialog()});
    click(Role::SaveButton, {cancelFileDialog()});
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("留着"));
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
  }

  void failuresAreToldAndLoseNothing() {
    // A file marked read-only is kept, by root too.
    const QString locked = path(QStringLiteral("locked.txt"));
    QFile out(locked);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("old");
    out.close();
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    typeIntoContent(QStringLiteral("新的"));
    QString message;
    click(Role::SaveButton, {chooseFile(locked), answerMessage(QMessageBox::Yes),
                             answerMessage(QMessageBox::Ok, &message)});
    QVERIFY2(message.startsWith(fromUtf8(messages::kCannotSave) + locked + "\n"), qPrintable(message));
    QVERIFY2(message.endsWith("\n" + fromUtf8(messages::kNotSaved)), qPrintable(message));
    QCOMPARE(fileBytes(locked), QByteArray("old"));
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("新的"));

    // A file of 2 GiB (sparse, so it takes no room) is refused whole.
    const QString huge = path(QStringLiteral("huge.txt"));
    QFile big(huge);
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(kFileSizeLimit));
    big.close();
    click(Role::ImportButton, {chooseFile(huge), answerMessage(QMessageBox::Ok, &message)});
    QCOMPARE(message, fromUtf8(messages::kCannotRead) + huge + "\n" + fromUtf8(messages::kFileTooLarge));
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("新的"));
  }

  void textThatCodePage936CannotHoldIsRefusedBeforeTheDialog() {
    typeIntoContent(QStringLiteral("笑😀"));
    QString message;
    click(Role::SaveButton, {answerMessage(QMessageBox::Ok, &message)});
    QCOMPARE(message, fromUtf8(messages::kTextNotRepresentable));
    QCOMPARE(contentBox().toPlainText(), QStringLiteral("笑😀"));

    passwordBox().setText(QStringLiteral("😀"));
    click(Role::ImportButton, {answerMessage(QMessageBox::Ok, &message)});
    QCOMPARE(message, fromUtf8(messages::kPasswordNotRepresentable));
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList());
  }

  void theCreditLinkOpensThePageOnEachLeftPress() {
    AddressRecorder recorder;
    // The desktop's own handler, where the product sends the address.
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QWidget& link = *window_->control(Role::CreditLink);
    QWindow* window = window_->windowHandle();
    const QPoint at = link.geometry().center();

    QTest::mousePress(window, Qt::LeftButton, {}, at);
    QCOMPARE(recorder.opened.size(), 1);  // on the press, before the release
    QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QCOMPARE(recorder.opened.size(), 2);
    QTest::mouseDClick(window, Qt::LeftButton, {}, at);
    QCOMPARE(recorder.opened.size(), 3);  // a double click opens it once
    QTest::mouseClick(window, Qt::RightButton, {}, at);
    QCOMPARE(recorder.opened.size(), 3);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    for (const QUrl& url : recorder.opened) QCOMPARE(url, QUrl(fromUtf8(kCreditAddress)));
  }
};

QTEST_MAIN(WindowTest)
#include "main_window_test.moc"
