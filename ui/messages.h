// What the program tells the user, UTF-8.
#pragma once

#include <string_view>

namespace txtseal::ui::messages {

inline constexpr std::string_view kKeyDoesNotFit = "密码不正确，或文件不是有效的加密文本。";
inline constexpr std::string_view kCannotRead = "无法读取文件：";
inline constexpr std::string_view kFileTooLarge = "文件大于 2 GiB。";
inline constexpr std::string_view kNotAFile = "不是普通文件。";
inline constexpr std::string_view kCannotSave = "无法保存文件：";
inline constexpr std::string_view kNotSaved = "文本未保存。";
inline constexpr std::string_view kTextNotRepresentable = "文本中含有当前系统编码无法保存的字符，未保存。";
inline constexpr std::string_view kPasswordNotRepresentable = "密码中含有当前系统编码无法表示的字符。";
inline constexpr std::string_view kConfirmClose = "文本尚未保存，确定要退出吗？";

}  // namespace txtseal::ui::messages
