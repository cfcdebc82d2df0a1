// What the commands need from a window toolkit. Each toolkit (Win32, later
// others) implements it over its real controls, dialogs and files; the tests
// implement it in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "file_dialog.h"
#include "text.h"

namespace txtseal::ui {

// Files of this size or more are never read, on every system alike, so a
// file that imports on one imports on all.
inline constexpr std::int64_t kFileSizeLimit = std::int64_t{2} << 30;  // 2 GiB

struct FileContent {
  bool ok = false;
  Bytes bytes;
  std::string reason;  // the system's words for a failure, UTF-8
};

struct FileWritten {
  bool ok = false;
  std::string reason;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // The edit boxes hold Unicode; the core works on bytes of the code page
  // that files are written in. These convert at that one boundary. Reading
  // gives nothing when the box holds a character that code page cannot
  // represent: it is never replaced by "?" or a look-alike.
  virtual std::optional<Text> contentText() = 0;
  // Also clears the content box's "modified" state.
  virtual void setContentText(const Text& text) = 0;
  // Typed in or otherwise changed by the user since the commands last set it.
  virtual bool contentModified() = 0;
  virtual std::optional<Text> passwordText() = 0;

  // The directory that holds the running program, native form, UTF-8.
  virtual std::string programDirectory() = 0;
  // Shows the modal file dialog, pre-filled with dialog.fileName. The full
  // path chosen on OK; nothing on Cancel.
  virtual std::optional<std::string> runFileDialog(const FileDialog& dialog) = 0;

  // The whole file as raw bytes; a file of kFileSizeLimit or more is refused.
  virtual FileContent readWholeFile(const std::string& path) = 0;
  // Replaces the file with exactly these bytes, or leaves it as it was: a
  // failed write never leaves a cut or empty file behind.
  virtual FileWritten writeWholeFile(const std::string& path, ByteView bytes) = 0;

  // A message to the user, modal to the main window.
  virtual void showMessage(const std::string& message) = 0;
  // A yes/no question; true for yes.
  virtual bool confirm(const std::string& question) = 0;
  // Opens the address in the default browser; failures are not reported.
  virtual void openWebAddress(std::string_view address) = 0;
};

}  // namespace txtseal::ui
