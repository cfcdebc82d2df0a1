// The real program, driven from outside on the Wine desktop: the window as the
// form describes it, the keyboard, Save and Import through the common file
// dialogs, the program's messages, closing, and the credit link.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"
#include "form.h"
#include "messages.h"
#include "oracle.h"

using namespace txtseal::e2e;
using txtseal::ui::Kind;
using txtseal::ui::Role;
namespace form = txtseal::ui;
namespace messages = txtseal::ui::messages;

namespace {

std::wstring environment(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD n = GetEnvironmentVariableW(name, value, 32768);
  return n > 0 && n < 32768 ? std::wstring(value, n) : std::wstring();
}

// Texts compared as UTF-8, so a failure shows both sides readably.
::testing::AssertionResult sameText(const std::wstring& actual, const std::wstring& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\n  expected: \"" << narrow(expected) << "\"\n  actual:   \""
                                       << narrow(actual) << "\"";
}

std::string describeWindow(HWND window) {
  if (!window) return "(none)";
  return narrow(classOf(window)) + " \"" + narrow(textOf(window)) + "\"";
}

// A sealed file's bytes are ASCII; anything else is shown as an escape.
std::string printable(const std::string& bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      out += escape;
    }
  }
  return out;
}

std::string gbk(const std::wstring& text) { return ansiBytes(text, 936).value_or("(not in GBK)"); }

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    executable_ = windowsPath(environment(L"TXTSEAL_EXE"));
    ASSERT_FALSE(executable_.empty() || executable_ == L"Z:") << "TXTSEAL_EXE names no program";
    start();
  }

  // A fresh instance of the program; the one before (if any) is ended.
  void start() {
    program_.reset();
    program_ = std::make_unique<Program>(executable_);
    ASSERT_TRUE(program_->started()) << program_->failure();
  }

  Program& program() { return *program_; }
  HWND control(Role role) { return program_->control(role); }
  std::wstring content() { return textOf(control(Role::ContentBox)); }

  // Clicks Import or Save and waits for the file dialog it opens; null (and a
  // failure) when something else came.
  HWND openFileDialog(Role button) {
    program().click(button);
    const HWND dialog = program().waitForDialogOwnedBy(program().window());
    if (!dialog || !isFileDialog(dialog)) {
      ADD_FAILURE() << "expected the file dialog, got " << describeWindow(dialog) << " saying \""
                    << narrow(dialog ? messageText(dialog) : L"") << "\"";
      return nullptr;
    }
    return dialog;
  }

  // Closes a message box with `button` and waits until it is gone.
  static void dismiss(HWND box, int button = IDOK) {
    answer(box, button);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); })) << "the message box stayed";
  }

  // What the program says once a command has run: the text of its message
  // box, which is then answered with OK; empty when it said nothing.
  std::wstring programSays() {
    const HWND box = program().settledMessageBox();
    if (!box) return {};
    std::wstring said = messageText(box);
    dismiss(box);
    program().sync();
    return said;
  }

  // Types the path into the dialog's file name box and presses OK; answers a
  // question the dialog asks (replace an existing file?) with `answerToQuestion`.
  // Without a path, OK takes the name the dialog offers.
  void choose(HWND dialog, const std::optional<std::wstring>& path = std::nullopt, int answerToQuestion = IDYES) {
    if (path) setText(GetDlgItem(dialog, kFileNameBox), *path);
    answer(dialog, IDOK);
    std::vector<HWND> answered;
    const bool closed = waitUntil([&] {
      if (!IsWindow(dialog)) return true;
      for (HWND question : program().dialogsOwnedBy(dialog)) {
        if (!IsWindowVisible(question) || std::find(answered.begin(), answered.end(), question) != answered.end()) {
          continue;
        }
        questions_.push_back(messageText(question));
        answer(question, answerToQuestion);
        answered.push_back(question);
      }
      return false;
    });
    EXPECT_TRUE(closed) << "the file dialog stayed open for " << narrow(path.value_or(L"the offered name"));
  }

  void cancel(HWND dialog) {
    answer(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); })) << "the file dialog stayed open";
  }

  // Save or Import through the dialog; what the program said afterwards.
  std::wstring runWithFile(Role button, const std::wstring& path, int answerToQuestion = IDYES) {
    const HWND dialog = openFileDialog(button);
    if (!dialog) return L"(no file dialog)";
    choose(dialog, path, answerToQuestion);
    return programSays();
  }

  std::wstring executable_;
  ScratchFolder folder_;  // declared before the program, so it outlives it
  std::unique_ptr<Program> program_;
  std::vector<std::wstring> questions_;  // asked by file dialogs, in order
};

// The sealed format as the test computes it; checked against the published
// vector so that the program is never compared with a wrong expectation.
TEST(Oracle, ReproducesThePublishedVector) {
  EXPECT_EQ(md5Hex(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(checkCode(kPublishedDefaultKey), "30E959E48");
  EXPECT_EQ(seal("abc", kPublishedDefaultKey), "D3D0D130E959E48");
  EXPECT_EQ(gbk(L"密码"), "\xC3\xDC\xC2\xEB");
}

TEST_F(ProgramTest, WindowAndControlsAreAsTheFormDescribes) {
  // The figures below hold on the 1024x768 Wine desktop at 96 DPI.
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96);

  const HWND window = program().window();
  RECT frame{};
  GetWindowRect(window, &frame);
  const form::Point origin = form::centredOrigin(1024, 768);
  EXPECT_EQ(origin.x, 300);
  EXPECT_EQ(origin.y, 209);
  EXPECT_EQ(frame.left, 300);
  EXPECT_EQ(frame.top, 209);
  EXPECT_EQ(frame.right - frame.left, 423);
  EXPECT_EQ(frame.bottom - frame.top, 349);
  // The client area that the other toolkits give the form.
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, form::kClientWidth);
  EXPECT_EQ(client.bottom, form::kClientHeight);
  EXPECT_TRUE(sameText(textOf(window), widen(form::kWindowTitle)));

  // A fixed, non-resizable frame with a title, a system menu and a minimize box.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);

  for (const form::ControlForm& c : form::kControls) {
    SCOPED_TRACE(std::string(c.name));
    const HWND h = control(c.role);
    const auto s = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_STYLE));
    const RECT place = clientPlace(h);
    EXPECT_EQ(place.left, c.place.left);
    EXPECT_EQ(place.top, c.place.top);
    EXPECT_EQ(place.right - place.left, c.place.width);
    EXPECT_EQ(place.bottom - place.top, c.place.height);
    EXPECT_TRUE(sameText(textOf(h), widen(c.text)));
    EXPECT_TRUE(IsWindowVisible(h));

    const std::wstring cls = classOf(h);
    switch (c.kind) {
      case Kind::MultiLineEdit:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Edit"), 0) << narrow(cls);
        // Wraps at the right edge, without scroll bars.
        EXPECT_TRUE(s & ES_MULTILINE);
        EXPECT_FALSE(s & ES_AUTOHSCROLL);
        EXPECT_FALSE(s & WS_HSCROLL);
        EXPECT_FALSE(s & WS_VSCROLL);
        break;
      case Kind::SingleLineEdit:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Edit"), 0) << narrow(cls);
        // The password is shown as typed.
        EXPECT_FALSE(s & ES_MULTILINE);
        EXPECT_FALSE(s & ES_PASSWORD);
        break;
      case Kind::PushButton:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Button"), 0) << narrow(cls);
        EXPECT_EQ(s & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)) << "no default button";
        break;
      case Kind::Label:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Static"), 0) << narrow(cls);
        break;
      case Kind::TransparentLabel:
        EXPECT_EQ(_wcsicmp(cls.c_str(), L"Static"), 0) << narrow(cls);
        EXPECT_TRUE(s & SS_NOTIFY) << "the credit link sees the mouse";
        break;
    }
  }
}

// Run on a 144 DPI screen: every figure of the form is its 96-DPI figure
// times 144 / 96, and the window is centred with its scaled size.
using ScaledProgramTest = ProgramTest;

TEST_F(ScaledProgramTest, FormFiguresScaleWithTheScreensDpi) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 144);

  RECT frame{};
  GetWindowRect(program().window(), &frame);
  const int width = form::scaleForDpi(form::kWindowWidth, dpi);
  const int height = form::scaleForDpi(form::kWindowHeight, dpi);
  EXPECT_EQ(frame.right - frame.left, width);
  EXPECT_EQ(frame.bottom - frame.top, height);
  const form::Point origin = form::centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                                 width, height);
  EXPECT_EQ(frame.left, origin.x);
  EXPECT_EQ(frame.top, origin.y);

  for (const form::ControlForm& c : form::kControls) {
    SCOPED_TRACE(std::string(c.name));
    const RECT place = clientPlace(control(c.role));
    EXPECT_EQ(place.left, form::scaleForDpi(c.place.left, dpi));
    EXPECT_EQ(place.top, form::scaleForDpi(c.place.top, dpi));
    EXPECT_EQ(place.right - place.left, form::scaleForDpi(c.place.width, dpi));
    EXPECT_EQ(place.bottom - place.top, form::scaleForDpi(c.place.height, dpi));
  }
}

TEST_F(ProgramTest, KeyboardMovesAlongTheTabOrderAndEscapeCloses) {
  EXPECT_TRUE(waitUntil([&] { return program().focus() == control(Role::ContentBox); }))
      << "focus at start: " << describeWindow(program().focus());
  ASSERT_TRUE(program().bringToFront()) << "foreground: " << describeWindow(GetForegroundWindow());
  const std::wstring text = L"制表符不进入文本";
  setText(control(Role::ContentBox), text);

  struct Step {
    bool shift;
    Role expected;
  };
  const Step steps[] = {
      {false, Role::ImportButton}, {false, Role::SaveButton}, {false, Role::PasswordBox}, {false, Role::ContentBox},
      {true, Role::PasswordBox},   {true, Role::SaveButton},  {true, Role::ImportButton}, {true, Role::ContentBox},
  };
  for (const Step& step : steps) {
    const std::string name(form::control(step.expected).name);
    pressKey(VK_TAB, step.shift);
    EXPECT_TRUE(waitUntil([&] { return program().focus() == control(step.expected); }))
        << (step.shift ? "Shift+Tab" : "Tab") << " should reach " << name << ", focus is on "
        << describeWindow(program().focus());
  }
  EXPECT_TRUE(sameText(content(), text)) << "Tab is never typed into the content box";

  // Shift+Esc does nothing: the Tab pressed after it still finds the window.
  pressKey(VK_ESCAPE, true);
  pressKey(VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return program().focus() == control(Role::ImportButton); }))
      << "after Shift+Esc and Tab, focus is on " << describeWindow(program().focus());
  EXPECT_TRUE(program().running());
  pressKey(VK_TAB, true);
  ASSERT_TRUE(waitUntil([&] { return program().focus() == control(Role::ContentBox); }));

  pressKey(VK_ESCAPE);
  EXPECT_TRUE(program().waitForExit()) << "Esc in the content box closes the window and ends the program";
}

TEST_F(ProgramTest, EnterBreaksLinesOnlyInTheContentBoxAndSpaceClicks) {
  ASSERT_TRUE(waitUntil([&] { return program().focus() == control(Role::ContentBox); }));
  ASSERT_TRUE(program().bringToFront());
  typeText(L"a");
  pressKey(VK_RETURN);
  typeText(L"b");
  waitUntil([&] { return content().size() >= 4; }, 5s);
  EXPECT_TRUE(sameText(content(), L"a\r\nb")) << "Enter in the content box is a line break, CR LF";

  // No button is the default button: Enter on the Import button or in the
  // password box does nothing; nor does F1 anywhere.
  pressKey(VK_TAB);
  ASSERT_TRUE(waitUntil([&] { return program().focus() == control(Role::ImportButton); }));
  pressKey(VK_RETURN);
  pressKey(VK_F1);
  pressKey(VK_TAB);
  pressKey(VK_TAB);
  ASSERT_TRUE(waitUntil([&] { return program().focus() == control(Role::PasswordBox); }));
  typeText(L"k");
  pressKey(VK_RETURN);
  pressKey(VK_F1);
  program().sync();
  EXPECT_EQ(program().waitForDialogOwnedBy(program().window(), 1s), nullptr) << "Enter or F1 opened a window";
  EXPECT_TRUE(sameText(textOf(control(Role::PasswordBox)), L"k"));
  EXPECT_TRUE(sameText(content(), L"a\r\nb"));

  // Space clicks the focused button: Import opens its dialog.
  pressKey(VK_TAB);
  pressKey(VK_TAB);
  ASSERT_TRUE(waitUntil([&] { return program().focus() == control(Role::ImportButton); }));
  pressKey(VK_SPACE);
  const HWND dialog = program().waitForDialogOwnedBy(program().window());
  ASSERT_NE(dialog, nullptr) << "Space on the focused Import button opened no dialog";
  EXPECT_TRUE(isFileDialog(dialog));
  cancel(dialog);
  EXPECT_TRUE(sameText(content(), L"a\r\nb"));
}

TEST_F(ProgramTest, SaveSealsTheTextAndImportRestoresIt) {
  ASSERT_EQ(GetACP(), 936u) << "this test runs under LANG=zh_CN.UTF-8";
  struct Row {
    const char* what;
    std::wstring text;
    std::wstring password;
    const char* published;  // the file's bytes as published, where known
  };
  const Row rows[] = {
      {"published vector", L"abc", L"", "D3D0D130E959E48"},
      {"Chinese lines, default key", L"第一行：你好，世界！\r\n第二行 Text 123\r\n\r\n最后一行", L"", nullptr},
      {"Chinese lines, password", L"密文测试\r\n第二行", L"我的密码 Pass9", nullptr},
      {"a lone space is a password", L"空格也算", L" ", nullptr},
      {"empty text", L"", L"", nullptr},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::wstring file = folder_.path(L"sealed-" + std::to_wstring(++n) + L".txt");
    setText(control(Role::ContentBox), row.text);
    setText(control(Role::PasswordBox), row.password);

    EXPECT_TRUE(sameText(runWithFile(Role::SaveButton, file), L"")) << "Save says nothing when it works";
    EXPECT_TRUE(sameText(content(), L"")) << "Save empties the content box";
    const std::string key = row.password.empty() ? std::string(kPublishedDefaultKey) : gbk(row.password);
    const std::string expected = seal(gbk(row.text), key);
    const std::string written = readFile(file);
    EXPECT_EQ(printable(written), printable(expected));
    if (row.published) {
      EXPECT_EQ(written, row.published);
    }

    setText(control(Role::ContentBox), L"导入前的内容");
    EXPECT_TRUE(sameText(runWithFile(Role::ImportButton, file), L"")) << "Import says nothing when the key fits";
    EXPECT_TRUE(sameText(content(), row.text)) << "Import shows the unsealed text";
  }
  EXPECT_TRUE(questions_.empty()) << "no file existed, so the dialog had nothing to ask";
}

TEST_F(ProgramTest, ImportWithAKeyThatDoesNotFitKeepsTheContent) {
  ASSERT_EQ(GetACP(), 936u) << "this test runs under LANG=zh_CN.UTF-8";
  const std::string plain = gbk(L"机密内容\r\n第二行");
  struct Row {
    const char* what;
    std::string fileBytes;
    std::wstring password;
  };
  const Row rows[] = {
      {"sealed with a password, imported with none", seal(plain, gbk(L"正确密码")), L""},
      {"sealed with the default key, imported with a password", seal(plain, kPublishedDefaultKey), L"x"},
      {"password differing in case", seal(plain, "Key"), L"key"},
      {"a text that was never sealed", "just some plain text\r\n", L""},
      {"an empty file", "", L""},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::wstring file = folder_.path(L"foreign-" + std::to_wstring(++n) + L".txt");
    ASSERT_TRUE(writeFile(file, row.fileBytes));
    const std::wstring kept = L"原有内容 " + std::to_wstring(n);
    setText(control(Role::ContentBox), kept);
    setText(control(Role::PasswordBox), row.password);
    EXPECT_TRUE(sameText(runWithFile(Role::ImportButton, file), widen(messages::kKeyDoesNotFit)));
    EXPECT_TRUE(sameText(content(), kept));
  }
}

TEST_F(ProgramTest, CancelKeepsTheTextAndTheChosenNameCarriesOver) {
  const HWND content = control(Role::ContentBox);
  const std::wstring saved = L"取消后仍在";
  const std::wstring file = folder_.path(L"chosen.txt");
  const auto nameBox = [](HWND dialog) { return textOf(GetDlgItem(dialog, kFileNameBox)); };

  setText(content, saved);
  HWND dialog = openFileDialog(Role::SaveButton);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(sameText(nameBox(dialog), L"")) << "no name was chosen yet";
  cancel(dialog);
  EXPECT_TRUE(sameText(programSays(), L""));
  EXPECT_TRUE(sameText(textOf(content), saved)) << "a cancelled Save keeps the text";
  EXPECT_FALSE(fileExists(file));

  EXPECT_TRUE(sameText(runWithFile(Role::SaveButton, file), L""));
  ASSERT_TRUE(fileExists(file));

  // The next dialog, Save or Import, opens in the chosen file's folder with
  // its name filled in; a cancelled one keeps that name too.
  const std::wstring other = L"第二次";
  setText(content, other);
  for (const Role button : {Role::SaveButton, Role::ImportButton}) {
    SCOPED_TRACE(std::string(form::control(button).name));
    dialog = openFileDialog(button);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(sameText(nameBox(dialog), L"chosen.txt"));
    cancel(dialog);
    EXPECT_TRUE(sameText(programSays(), L""));
    EXPECT_TRUE(sameText(textOf(content), other)) << "a cancelled dialog keeps the text";
  }

  // OK on the name as offered imports that very file.
  dialog = openFileDialog(Role::ImportButton);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(sameText(nameBox(dialog), L"chosen.txt"));
  choose(dialog);
  EXPECT_TRUE(sameText(programSays(), L""));
  EXPECT_TRUE(sameText(textOf(content), saved));
}

TEST_F(ProgramTest, SaveThatCannotWriteSaysSoAndKeepsTextAndOldFile) {
  struct Row {
    const char* what;
    const wchar_t* name;
    bool readOnly;  // marked read-only (Wine runs as root here; the mark still counts)
    bool held;      // held open by another program that does not share it
  };
  const Row rows[] = {
      {"read-only file", L"read-only.txt", true, false},
      {"file held open without sharing", L"held.txt", false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::wstring file = folder_.path(row.name);
    setText(control(Role::ContentBox), L"旧内容");
    ASSERT_TRUE(sameText(runWithFile(Role::SaveButton, file), L""));
    const std::string before = readFile(file);
    ASSERT_FALSE(before.empty());
    if (row.readOnly) {
      ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (row.held) {
      holder = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    }

    questions_.clear();
    const std::wstring text = L"新内容\r\n" + std::wstring(row.name);
    setText(control(Role::ContentBox), text);
    const std::wstring said = runWithFile(Role::SaveButton, file, IDYES);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    EXPECT_EQ(questions_.size(), 1u) << "the dialog asks before replacing the file";
    const std::wstring prefix = widen(messages::kCannotSave) + file;
    const std::wstring suffix = widen(messages::kNotSaved);
    EXPECT_TRUE(said.starts_with(prefix))
        << "said: " << narrow(said) << "\nexpected it to start with: " << narrow(prefix);
    EXPECT_TRUE(said.ends_with(suffix)) << "said: " << narrow(said);
    EXPECT_TRUE(sameText(content(), text)) << "the text is kept";
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(printable(readFile(file)), printable(before)) << "the old file is intact";
  }
}

TEST_F(ProgramTest, ClosingAsksOnlyAboutTypedUnsavedText) {
  struct Row {
    const char* what;
    std::wstring typed;  // typed into the content box
    bool erase;          // then erased with Backspace
    std::wstring set;    // put there by WM_SETTEXT, as Import does
    bool asks;
  };
  const Row rows[] = {
      {"typed text", L"刚输入的", false, L"", true},
      {"typed, then erased", L"x", true, L"", false},
      {"text that was not typed", L"", false, L"导入的文本", false},
      {"nothing", L"", false, L"", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    start();
    if (HasFatalFailure()) return;
    const HWND window = program().window();
    ASSERT_TRUE(program().bringToFront());
    if (!row.set.empty()) setText(control(Role::ContentBox), row.set);
    if (!row.typed.empty()) {
      typeText(row.typed);
      ASSERT_TRUE(waitUntil([&] { return content() == row.typed; })) << "typed: " << narrow(content());
    }
    if (row.erase) {
      pressKey(VK_BACK);
      ASSERT_TRUE(waitUntil([&] { return content().empty(); }));
    }
    const std::wstring before = content();

    // As the title bar's close button does.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] {
      const std::vector<HWND> boxes = program().dialogsOwnedBy(window);
      box = boxes.empty() ? nullptr : boxes.front();
      return box || !program().running();
    }));
    if (!row.asks) {
      EXPECT_FALSE(box) << "asked: " << narrow(box ? messageText(box) : L"");
      EXPECT_TRUE(program().waitForExit());
      continue;
    }
    ASSERT_TRUE(box) << "closed without asking";
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(box) != FALSE; }));
    EXPECT_TRUE(sameText(messageText(box), widen(messages::kConfirmClose)));
    dismiss(box, IDNO);
    program().sync();
    EXPECT_TRUE(IsWindow(window) && program().running()) << "No keeps the window";
    EXPECT_TRUE(sameText(content(), before));

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    box = program().waitForDialogOwnedBy(window);
    ASSERT_TRUE(box);
    dismiss(box, IDYES);
    EXPECT_TRUE(program().waitForExit()) << "Yes closes";
  }
}

TEST_F(ProgramTest, CreditLinkOpensTheAddressOncePerPress) {
  const std::wstring log = windowsPath(environment(L"TXTSEAL_XDG_OPEN_LOG"));
  ASSERT_FALSE(log.empty() || log == L"Z:") << "TXTSEAL_XDG_OPEN_LOG names no file";
  DeleteFileW(log.c_str());
  const auto opened = [&] {
    std::vector<std::string> lines;
    const std::string text = readFile(log);
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t end = text.find('\n', at);
      lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
      at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
  };
  const auto browsersDone = [] { return waitUntil([] { return countProcesses(L"winebrowser.exe") == 0; }); };

  RECT link{};
  GetWindowRect(control(Role::CreditLink), &link);
  const POINT centre{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
  // Beyond the double-click distance, still on the link.
  const POINT aside{centre.x + 20, centre.y};

  // The first press on a window that is not yet active may only activate it;
  // a press on the bare window background does that and nothing else.
  ASSERT_TRUE(program().bringToFront());
  POINT background{10, 300};
  ClientToScreen(program().window(), &background);
  mouseAt(background, {Mouse::LeftDown, Mouse::LeftUp});
  program().sync();

  struct Row {
    const char* what;
    std::vector<Mouse> events;
    std::size_t opens;
  };
  const Row rows[] = {
      {"press and release", {Mouse::LeftDown, Mouse::LeftUp}, 1},
      {"double click", {Mouse::LeftDown, Mouse::LeftUp, Mouse::LeftDown, Mouse::LeftUp}, 1},
      {"right click", {Mouse::RightDown, Mouse::RightUp}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::size_t before = opened().size();
    mouseAt(centre, row.events);
    // A single press aside follows, so the count is known to be complete once
    // its own address has arrived.
    mouseAt(aside, {Mouse::LeftDown, Mouse::LeftUp});
    const std::size_t expected = before + row.opens + 1;
    EXPECT_TRUE(waitUntil([&] { return opened().size() >= expected; }))
        << "opened " << opened().size() - before << " times";
    EXPECT_TRUE(browsersDone());
    EXPECT_EQ(opened().size(), expected);
  }

  // The address opens on the press, before the button is released.
  const std::size_t before = opened().size();
  mouseAt(centre, {Mouse::LeftDown});
  EXPECT_TRUE(waitUntil([&] { return opened().size() == before + 1; })) << "nothing opened while the button is down";
  mouseAt(centre, {Mouse::LeftUp});
  EXPECT_TRUE(browsersDone());

  const std::vector<std::string> all = opened();
  for (const std::string& line : all) EXPECT_EQ(line, form::kCreditAddress);
  EXPECT_TRUE(program().running());
}

// Runs under both locales: code page 936 has no emoji, code page 1252 no Chinese.
class Unrepresentable : public ProgramTest {};

TEST_F(Unrepresentable, TextOrPasswordIsRefusedBeforeAnyFileDialog) {
  std::wstring sample;
  if (GetACP() == 936) {
    sample = L"表情\U0001F600";
  } else if (GetACP() == 1252) {
    sample = L"中文";
  } else {
    GTEST_SKIP() << "no sample for code page " << GetACP();
  }
  // A file saved before: its name is the dialog's next default, and it must
  // keep its bytes.
  const std::wstring file = folder_.path(L"earlier.txt");
  setText(control(Role::ContentBox), L"abc");
  ASSERT_TRUE(sameText(runWithFile(Role::SaveButton, file), L""));
  const std::string before = readFile(file);
  ASSERT_EQ(before, "D3D0D130E959E48");

  struct Row {
    const char* what;
    Role button;
    std::wstring text;
    std::wstring password;
    std::string_view message;
  };
  const Row rows[] = {
      {"text on Save", Role::SaveButton, L"前后 " + sample, L"", messages::kTextNotRepresentable},
      {"password on Save", Role::SaveButton, L"abc", sample, messages::kPasswordNotRepresentable},
      {"password on Import", Role::ImportButton, L"abc", sample, messages::kPasswordNotRepresentable},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    setText(control(Role::ContentBox), row.text);
    setText(control(Role::PasswordBox), row.password);
    program().click(row.button);
    const HWND box = program().waitForDialogOwnedBy(program().window());
    ASSERT_TRUE(box) << "nothing came up";
    EXPECT_FALSE(isFileDialog(box)) << "a file dialog came first";
    EXPECT_TRUE(sameText(messageText(box), widen(row.message)));
    dismiss(box);
    EXPECT_TRUE(sameText(programSays(), L"")) << "one message, no dialog after it";
    EXPECT_TRUE(program().dialogsOwnedBy(program().window()).empty());
    EXPECT_TRUE(sameText(content(), row.text)) << "the text is kept";
    EXPECT_EQ(readFile(file), before) << "nothing was written";
  }
}

}  // namespace

// The Windows half of the interoperability test (tests/interop/run.sh): the
// Linux program has saved the sample into from-linux.txt; this program
// imports it, and saves the sample into from-windows.txt for the Linux
// program to import. Both files are compared with the sealed format.
class InteropTest : public ProgramTest {
 protected:
  void SetUp() override {
    folder_ = windowsPath(environment(L"TXTSEAL_INTEROP_DIR"));
    if (folder_.empty()) GTEST_SKIP() << "run by tests/interop/run.sh";
    // The sample is UTF-8 with LF line breaks; the edit box breaks with CR LF.
    const std::string utf8 = readFile(windowsPath(environment(L"TXTSEAL_INTEROP_SAMPLE")));
    ASSERT_FALSE(utf8.empty()) << "no sample";
    for (const wchar_t c : widen(utf8)) {
      if (c == L'\n') sample_ += L'\r';
      sample_ += c;
    }
    ProgramTest::SetUp();
  }

  std::wstring folder_;
  std::wstring sample_;
};

TEST_F(InteropTest, ImportsTheFileSavedOnLinux) {
  const std::wstring file = folder_ + L"\\from-linux.txt";
  EXPECT_EQ(printable(readFile(file)), printable(seal(gbk(sample_), gbk(L"互通密码"))));
  setText(control(Role::PasswordBox), L"互通密码");
  EXPECT_TRUE(sameText(runWithFile(Role::ImportButton, file), L""));
  EXPECT_TRUE(sameText(content(), sample_));
}

TEST_F(InteropTest, SavesAFileForLinux) {
  const std::wstring file = folder_ + L"\\from-windows.txt";
  setText(control(Role::ContentBox), sample_);
  EXPECT_TRUE(sameText(runWithFile(Role::SaveButton, file), L""));
  EXPECT_EQ(printable(readFile(file)), printable(seal(gbk(sample_), std::string(kPublishedDefaultKey))));
}
