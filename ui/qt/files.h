// Whole-file access for the commands on Linux.
#pragma once

#include <QString>

#include "toolkit.h"

namespace txtseal::ui::qt {

// Reads a regular file whole. Unlike on Windows, other programs may still
// write it meanwhile: Linux has no sharing modes a reader could set.
FileContent readWholeFile(const QString& path);

// Writes a temporary file beside the target, syncs it and renames it over the
// target, so that a failure leaves the old file as it was. A target without
// any write permission counts as marked read-only and is never replaced, by
// root neither, as Windows never replaces a read-only file.
FileWritten writeWholeFile(const QString& path, ByteView bytes);

}  // namespace txtseal::ui::qt
