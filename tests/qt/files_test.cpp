#include "files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <string>

#include "messages.h"

using namespace txtseal;
using namespace txtseal::ui;

namespace {

class FilesTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;

  QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
  void put(const QString& file, const QByteArray& content) const {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_EQ(out.write(content), content.size());
  }
  QByteArray get(const QString& file) const {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(missing)");
  }
  QStringList entries() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
};

ByteView view(const char* bytes, std::size_t n) { return {reinterpret_cast<const std::uint8_t*>(bytes), n}; }

}  // namespace

TEST_F(FilesTest, ReadsTheWholeFileZeroBytesIncluded) {
  const QString file = path("笔记.txt");
  put(file, QByteArray("AB\0CD", 5));
  const FileContent content = qt::readWholeFile(file);
  ASSERT_TRUE(content.ok) << content.reason;
  EXPECT_EQ(content.bytes, (Bytes{'A', 'B', 0, 'C', 'D'}));

  put(file, {});
  EXPECT_TRUE(qt::readWholeFile(file).ok);
  EXPECT_TRUE(qt::readWholeFile(file).bytes.empty());
}

TEST_F(FilesTest, ReadFailuresSayWhy) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
  // A sparse file: 2 GiB long, no room taken.
  QFile huge(path("huge"));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize(kFileSizeLimit));
  huge.close();

  struct Row {
    QString file;
    std::string reason;
  };
  const Row rows[] = {
      {path("missing"), std::strerror(ENOENT)},
      {folder.path(), std::strerror(EISDIR)},
      {path("pipe"), std::string(messages::kNotAFile)},  // never waits for a writer
      {path("huge"), std::string(messages::kFileTooLarge)},
      {QString(), std::strerror(ENOENT)},
  };
  for (const Row& r : rows) {
    const FileContent content = qt::readWholeFile(r.file);
    EXPECT_FALSE(content.ok) << r.file.toStdString();
    EXPECT_TRUE(content.bytes.empty());
    EXPECT_EQ(content.reason, r.reason) << r.file.toStdString();
  }
}

TEST_F(FilesTest, WritesExactlyTheBytesAndReplacesWholly) {
  const QString file = path("note.txt");
  ASSERT_TRUE(qt::writeWholeFile(file, view("first, longer content", 21)).ok);
  const FileWritten second = qt::writeWholeFile(file, view("D3D0D130E959E48", 15));
  ASSERT_TRUE(second.ok) << second.reason;
  EXPECT_EQ(get(file), QByteArray("D3D0D130E959E48"));
  ASSERT_TRUE(qt::writeWholeFile(file, {}).ok);
  EXPECT_EQ(get(file), QByteArray());
  EXPECT_EQ(entries(), QStringList{"note.txt"}) << "no temporary file is left behind";
}

TEST_F(FilesTest, AReplacedFileKeepsItsPermissions) {
  const QString file = path("shared.txt");
  put(file, "old");
  ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::WriteGroup | QFile::ReadOther));
  ASSERT_TRUE(qt::writeWholeFile(file, view("new", 3)).ok);
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0664u);
}

TEST_F(FilesTest, AFailedWriteLeavesTheOldFileAsItWas) {
  const QString readOnly = path("read-only.txt");
  put(readOnly, "keep me");
  ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

  struct Row {
    const char* what;
    QString file;
  };
  const Row rows[] = {
      {"marked read-only (refused to root too)", readOnly},
      {"in a missing folder", path("missing/note.txt")},
      {"a name longer than the file system allows", path(std::string(300, 'n').c_str())},
      {"a folder in the way", folder.path()},
      {"no name", QString()},
  };
  for (const Row& r : rows) {
    const FileWritten written = qt::writeWholeFile(r.file, view("new", 3));
    EXPECT_FALSE(written.ok) << r.what;
    EXPECT_FALSE(written.reason.empty()) << r.what;
  }
  EXPECT_EQ(get(readOnly), QByteArray("keep me"));
  EXPECT_EQ(entries(), QStringList{"read-only.txt"}) << "no temporary file is left behind";
}
