#include <gtest/gtest.h>

#include <string>

#include "commands.h"
#include "fake_toolkit.h"
#include "form.h"
#include "messages.h"
#include "seal.h"
#include "text_print.h"

using namespace txtseal;
using namespace txtseal::ui;

namespace {

const std::string kFile = "C:\\tools\\note.txt";
// "中文" in GBK, then a line break as the edit box gives it, then more text.
const Text kPlain(std::string("\xD6\xD0\xCE\xC4\r\nline two", 14));

Bytes sealedBytes(const Text& plain, const Text& key) { return textToBytes(sealText(plain, key)); }

class CommandsTest : public ::testing::Test {
 protected:
  FakeToolkit ui;
  Commands commands{ui};

  void saveAs(const std::string& path) {
    ui.dialogAnswers.push_back(path);
    commands.onSave();
  }
  void importFrom(const std::string& path) {
    ui.dialogAnswers.push_back(path);
    commands.onImport();
  }
};

}  // namespace

TEST_F(CommandsTest, SaveSealsIntoTheChosenFileAndEmptiesTheBox) {
  ui.content = kPlain;
  ui.modified = true;
  saveAs(kFile);

  ASSERT_EQ(ui.dialogsShown.size(), 1u);
  const FileDialog& shown = ui.dialogsShown[0];
  EXPECT_EQ(shown.kind, FileDialogKind::Save);
  EXPECT_EQ(shown.filter, kFileFilter);
  EXPECT_EQ(shown.initialDirectory, "C:\\tools");
  EXPECT_EQ(shown.defaultSuffix, ".txt");
  EXPECT_EQ(shown.fileName, "") << "the name starts empty";

  // An empty password box seals with the default key; 2 * 14 + 9 bytes.
  EXPECT_EQ(ui.files[kFile], sealedBytes(kPlain, Text(kDefaultKey)));
  EXPECT_EQ(ui.files[kFile].size(), 37u);
  EXPECT_EQ(ui.content, Text());
  EXPECT_FALSE(ui.modified);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandsTest, ImportRestoresTheTextExactly) {
  struct Row {
    const char* what;
    Text savedWith;
    Text importedWith;
  };
  const Row rows[] = {
      {"empty password both times", "", ""},
      {"empty password, then the default key typed", "", Text(kDefaultKey)},
      {"a GBK password", Text(std::string("\xC3\xDC\xC2\xEB", 4)), Text(std::string("\xC3\xDC\xC2\xEB", 4))},
      {"a lone space is a key", " ", " "},
  };
  for (const Row& r : rows) {
    ui.content = kPlain;
    ui.password = r.savedWith;
    saveAs(kFile);
    ui.password = r.importedWith;
    ui.modified = true;
    importFrom(kFile);
    EXPECT_EQ(ui.content, kPlain) << r.what;
    EXPECT_FALSE(ui.modified) << r.what;
    EXPECT_TRUE(ui.messages.empty()) << r.what;
    ASSERT_FALSE(ui.dialogsShown.empty());
    EXPECT_EQ(ui.dialogsShown.back().kind, FileDialogKind::Open);
  }
}

TEST_F(CommandsTest, SealedEmptyTextImportsAsAnEmptyBox) {
  saveAs(kFile);
  EXPECT_EQ(ui.files[kFile].size(), 9u) << "the check code alone";
  ui.content = Text("to be replaced");
  importFrom(kFile);
  EXPECT_EQ(ui.content, Text());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandsTest, ImportStopsAtTheFilesFirstZeroByte) {
  Bytes file = sealedBytes(kPlain, Text(kDefaultKey));
  file.push_back(0);
  file.insert(file.end(), {'J', 'U', 'N', 'K'});
  ui.files[kFile] = file;
  importFrom(kFile);
  EXPECT_EQ(ui.content, kPlain);
}

TEST_F(CommandsTest, ImportThatFailsKeepsTheBoxAndSaysWhy) {
  const Text typed = "text the user typed";
  Bytes withLineBreak = sealedBytes(kPlain, "right");
  withLineBreak.push_back('\r');
  withLineBreak.push_back('\n');
  ui.files["C:\\right.txt"] = sealedBytes(kPlain, "right");
  ui.files["C:\\newline.txt"] = withLineBreak;
  ui.files["C:\\plain.txt"] = textToBytes("just some notes");
  ui.files["C:\\empty.txt"] = {};
  ui.unreadable["C:\\locked.txt"] = "The process cannot access the file.";
  struct Row {
    const char* what;
    std::string path;
    Text key;
    std::string message;
  };
  const Row rows[] = {
      {"wrong key", "C:\\right.txt", "wrong", std::string(messages::kKeyDoesNotFit)},
      {"default key for a file sealed with a password", "C:\\right.txt", "", std::string(messages::kKeyDoesNotFit)},
      {"line break added at the end", "C:\\newline.txt", "right", std::string(messages::kKeyDoesNotFit)},
      {"never sealed", "C:\\plain.txt", "right", std::string(messages::kKeyDoesNotFit)},
      {"empty file", "C:\\empty.txt", "right", std::string(messages::kKeyDoesNotFit)},
      {"unreadable", "C:\\locked.txt", "right",
       std::string(messages::kCannotRead) + "C:\\locked.txt\nThe process cannot access the file."},
      {"missing", "C:\\gone.txt", "right",
       std::string(messages::kCannotRead) + "C:\\gone.txt\nThe system cannot find the file specified."},
  };
  for (const Row& r : rows) {
    ui.content = typed;
    ui.modified = true;
    ui.password = r.key;
    ui.messages.clear();
    importFrom(r.path);
    EXPECT_EQ(ui.content, typed) << r.what;
    EXPECT_TRUE(ui.modified) << r.what;
    ASSERT_EQ(ui.messages.size(), 1u) << r.what;
    EXPECT_EQ(ui.messages[0], r.message) << r.what;
  }
}

TEST_F(CommandsTest, CancelChangesNothing) {
  ui.content = kPlain;
  ui.modified = true;
  commands.onSave();  // no answer scripted: Cancel
  commands.onImport();
  EXPECT_EQ(ui.content, kPlain);
  EXPECT_TRUE(ui.modified);
  EXPECT_TRUE(ui.files.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.dialogsShown.size(), 2u);
}

TEST_F(CommandsTest, SaveThatCannotWriteKeepsTheTextAndNamesTheReason) {
  ui.content = kPlain;
  ui.unwritable[kFile] = "Access denied.";
  saveAs(kFile);
  EXPECT_EQ(ui.content, kPlain);
  EXPECT_FALSE(ui.files.contains(kFile));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], std::string(messages::kCannotSave) + kFile + "\nAccess denied.\n" +
                                std::string(messages::kNotSaved));
}

TEST_F(CommandsTest, CharactersTheCodePageCannotHoldAreRefusedBeforeAnyFile) {
  ui.content = std::nullopt;  // an emoji, say
  ui.dialogAnswers.push_back(kFile);
  commands.onSave();
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(messages::kTextNotRepresentable)});
  EXPECT_TRUE(ui.dialogsShown.empty());
  EXPECT_TRUE(ui.files.empty());

  ui.content = kPlain;
  ui.password = std::nullopt;
  ui.messages.clear();
  commands.onSave();
  commands.onImport();
  EXPECT_EQ(ui.messages, std::vector<std::string>(2, std::string(messages::kPasswordNotRepresentable)));
  EXPECT_TRUE(ui.dialogsShown.empty());
  EXPECT_EQ(ui.content, kPlain);
}

TEST_F(CommandsTest, LastChosenNameCarriesOverWhicheverCommandMadeIt) {
  saveAs(kFile);
  commands.onImport();  // cancelled
  ASSERT_EQ(ui.dialogsShown.size(), 2u);
  EXPECT_EQ(ui.dialogsShown[1].fileName, kFile);
  EXPECT_EQ(commands.fileDialog().fileName, kFile) << "Cancel keeps the earlier name";

  ui.files["C:\\other.txt"] = sealedBytes("x", Text(kDefaultKey));
  importFrom("C:\\other.txt");
  commands.onSave();  // cancelled
  EXPECT_EQ(ui.dialogsShown.back().fileName, "C:\\other.txt");
  EXPECT_EQ(ui.dialogsShown.back().kind, FileDialogKind::Save);
}

TEST_F(CommandsTest, CreditLinkOpensTheHomePageEachPress) {
  commands.onCreditPressed();
  commands.onCreditPressed();
  EXPECT_EQ(ui.addressesOpened, std::vector<std::string>(2, std::string(kCreditAddress)));
  EXPECT_TRUE(kCreditAddress.starts_with("https://"));
  EXPECT_TRUE(kCreditAddress.ends_with("/"));
  EXPECT_EQ(kCreditAddress.find('/', 8), kCreditAddress.size() - 1) << "the path is \"/\"";
}

TEST_F(CommandsTest, ClosingAsksOnlyForUnsavedText) {
  struct Row {
    const char* what;
    std::optional<Text> content;
    bool modified;
    std::deque<bool> answers;
    bool mayClose;
    bool asked;
  };
  const Row rows[] = {
      {"untouched", Text("imported"), false, {}, true, false},
      {"typed, then all deleted", Text(), true, {}, true, false},
      {"typed, answered yes", Text("draft"), true, {true}, true, true},
      {"typed, answered no", Text("draft"), true, {false}, false, true},
      {"characters the code page cannot hold", std::nullopt, true, {false}, false, true},
  };
  for (const Row& r : rows) {
    ui.content = r.content;
    ui.modified = r.modified;
    ui.confirmAnswers = r.answers;
    ui.questions.clear();
    EXPECT_EQ(commands.mayClose(), r.mayClose) << r.what;
    EXPECT_EQ(!ui.questions.empty(), r.asked) << r.what;
  }
  EXPECT_EQ(ui.questions.back(), messages::kConfirmClose);

  // A completed Save leaves nothing unsaved.
  ui.content = Text("draft");
  ui.modified = true;
  saveAs(kFile);
  ui.questions.clear();
  EXPECT_TRUE(commands.mayClose());
  EXPECT_TRUE(ui.questions.empty());
}
