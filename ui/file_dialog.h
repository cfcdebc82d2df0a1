// The window's one file dialog, as the commands set it before each use.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace txtseal::ui {

enum class FileDialogKind { Open, Save };

inline constexpr std::string_view kFileFilter = "文本文件（.txt）|*.txt";
inline constexpr std::string_view kDefaultSuffix = ".txt";

// The dialog's settings and its last chosen file name, which carries over
// from one command to the next. Texts are UTF-8; paths are in native form.
// Besides these, the dialog always hides the read-only check box, wants the
// path to exist and confirms overwriting; the open kind also wants the file
// to exist (on the save kind that would refuse every new name).
struct FileDialog {
  FileDialogKind kind = FileDialogKind::Open;
  std::string filter;
  std::string initialDirectory;
  std::string defaultSuffix;
  std::string fileName;  // empty until the first OK
};

struct FilterEntry {
  std::string description;
  std::string pattern;
  friend bool operator==(const FilterEntry&, const FilterEntry&) = default;
};

// Turns "description|pattern|description|pattern" into entries: white space
// at the end is dropped and the list ends at the first empty description.
std::vector<FilterEntry> prepareFilter(std::string_view filter);

// The directory that holds the executable, without a trailing separator; for
// a program in the root of a drive just the drive, such as "C:".
std::string directoryOf(std::string_view executablePath);

}  // namespace txtseal::ui
