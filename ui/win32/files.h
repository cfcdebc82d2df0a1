// Whole-file access for the commands, on wide paths.
#pragma once

#include <string>

#include "toolkit.h"

namespace txtseal::ui::win32 {

// Opens an existing file for reading; others may read it meanwhile, not write.
FileContent readWholeFile(const std::wstring& path);

// Writes a temporary file beside the target, flushes it and moves it over
// the target, so that a failure leaves the old file as it was.
FileWritten writeWholeFile(const std::wstring& path, ByteView bytes);

}  // namespace txtseal::ui::win32
