#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "messages.h"

namespace txtseal::ui::qt {

namespace {

// An open file descriptor, closed with the object.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  [[nodiscard]] int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string systemReason(int error) { return std::strerror(error); }

FileContent readFailure(int error) { return {false, {}, systemReason(error)}; }

}  // namespace

FileContent readWholeFile(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  // Not blocking: a named pipe is refused below instead of waiting for a writer.
  const UniqueFd file(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file) return readFailure(errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return readFailure(errno);
  if (S_ISDIR(status.st_mode)) return readFailure(EISDIR);
  if (!S_ISREG(status.st_mode)) return {false, {}, std::string(messages::kNotAFile)};
  if (status.st_size >= kFileSizeLimit) return {false, {}, std::string(messages::kFileTooLarge)};

  FileContent content{true, Bytes(static_cast<std::size_t>(status.st_size)), {}};
  std::size_t done = 0;
  while (done < content.bytes.size()) {
    const ssize_t got = ::read(file.get(), content.bytes.data() + done, content.bytes.size() - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return readFailure(errno);
    }
    if (got == 0) break;  // the file was cut meanwhile
    done += static_cast<std::size_t>(got);
  }
  content.bytes.resize(done);
  return content;
}

FileWritten writeWholeFile(const QString& path, ByteView bytes) {
  const QByteArray name = QFile::encodeName(path);
  struct stat status {};
  if (::stat(name.constData(), &status) == 0 && S_ISREG(status.st_mode) &&
      (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return {false, systemReason(EACCES)};
  }

  // The temporary file takes the target's permissions and is removed unless
  // the commit renames it into place.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString().toStdString()};
  std::size_t done = 0;
  while (done < bytes.size()) {
    const qint64 wrote = file.write(reinterpret_cast<const char*>(bytes.data() + done),
                                    static_cast<qint64>(bytes.size() - done));
    if (wrote <= 0) return {false, file.errorString().toStdString()};
    done += static_cast<std::size_t>(wrote);
  }
  if (!file.commit()) return {false, file.errorString().toStdString()};
  return {true, {}};
}

}  // namespace txtseal::ui::qt
