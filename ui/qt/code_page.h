// The widgets hold Unicode; the core and the files hold bytes of code page
// 936 (GBK), the code page Chinese Windows writes its files in, so that a
// file saved on either system imports on the other. These functions are the
// one place where the two meet.
#pragma once

#include <QString>
#include <optional>

#include "text.h"

namespace txtseal::ui::qt {

// The text's bytes in code page 936; nothing when a character has no exact
// form there. It is never replaced by "?" or a look-alike.
std::optional<Text> toCodePage(const QString& text);
// A byte sequence that is not code page 936 becomes U+FFFD, one per byte.
QString fromCodePage(const Text& text);

// A text box keeps its lines as blocks, not as characters. Text from the
// Windows program breaks lines with CR LF; a CR or LF on its own is kept as
// a character that code page 936 does not have, so that every text comes out
// of the box exactly as it went in:
//
//   CR LF  <->  block separator (U+2029)
//   LF     <->  line separator (U+2028)
//   CR     <->  next line (U+0085)
QString boxFromLines(const QString& text);
QString linesFromBox(const QString& raw);

}  // namespace txtseal::ui::qt
