// The form's and the messages' UTF-8 texts, and the paths the commands hold,
// as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace txtseal::ui::qt {

inline QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace txtseal::ui::qt
