#include "files.h"

#include <windows.h>

#include "encoding.h"
#include "handles.h"
#include "messages.h"

namespace txtseal::ui::win32 {

namespace {

constexpr DWORD kChunk = 1u << 24;

FileContent readFailure(DWORD error) { return {false, {}, systemReason(error)}; }
FileWritten writeFailure(DWORD error) { return {false, systemReason(error)}; }

// Deletes the temporary file unless it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  [[nodiscard]] const std::wstring& path() const { return path_; }
  void release() { path_.clear(); }

 private:
  std::wstring path_;
};

}  // namespace

FileContent readWholeFile(const std::wstring& path) {
  const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return readFailure(GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return readFailure(GetLastError());
  if (size.QuadPart >= kFileSizeLimit) return {false, {}, std::string(messages::kFileTooLarge)};

  FileContent content{true, Bytes(static_cast<std::size_t>(size.QuadPart)), {}};
  std::size_t done = 0;
  while (done < content.bytes.size()) {
    const std::size_t left = content.bytes.size() - done;
    const DWORD want = left < kChunk ? static_cast<DWORD>(left) : kChunk;
    DWORD got = 0;
    if (!ReadFile(file.get(), content.bytes.data() + done, want, &got, nullptr)) return readFailure(GetLastError());
    if (got == 0) break;  // the file was cut meanwhile
    done += got;
  }
  content.bytes.resize(done);
  return content;
}

FileWritten writeWholeFile(const std::wstring& path, ByteView bytes) {
  // A file the user marked read-only is never replaced. Windows' move
  // refuses it by itself; Wine's replaces it, so the mark is checked first.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return writeFailure(ERROR_ACCESS_DENIED);
  }
  // The temporary file goes into the target's folder, so the final move
  // stays on one volume and replaces the target in one step.
  const std::size_t separator = path.find_last_of(L"\\/");
  const std::wstring folder = separator == std::wstring::npos ? L"." : path.substr(0, separator + 1);
  wchar_t temporaryName[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.c_str(), L"txs", 0, temporaryName)) return writeFailure(GetLastError());
  TemporaryFile temporary(temporaryName);

  {
    const UniqueFile file(CreateFileW(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return writeFailure(GetLastError());
    std::size_t done = 0;
    while (done < bytes.size()) {
      const std::size_t left = bytes.size() - done;
      const DWORD want = left < kChunk ? static_cast<DWORD>(left) : kChunk;
      DWORD wrote = 0;
      if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr)) return writeFailure(GetLastError());
      done += wrote;
    }
    if (!FlushFileBuffers(file.get())) return writeFailure(GetLastError());
  }
  if (!MoveFileExW(temporary.path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return writeFailure(GetLastError());
  }
  temporary.release();
  return {true, {}};
}

}  // namespace txtseal::ui::win32
