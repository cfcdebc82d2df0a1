// The main window's form: the window and its controls as data, in the
// window's 96-DPI pixels. Each toolkit builds the same window from it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace txtseal::ui {

struct Rect {
  int left, top, width, height;
};

struct Color {
  std::uint8_t red, green, blue;
};

enum class Role { ContentBox, PasswordCaption, PasswordBox, ImportButton, SaveButton, CreditLink };
enum class Kind { MultiLineEdit, SingleLineEdit, PushButton, Label, TransparentLabel };

struct ControlForm {
  std::string_view name;  // the control's name in the form
  Role role;
  Kind kind;
  Rect place;             // in the window's client area
  std::string_view text;  // UTF-8
};

inline constexpr std::string_view kWindowTitle = "TXT文本加密";
inline constexpr int kWindowWidth = 423;  // outer size, frame included
inline constexpr int kWindowHeight = 349;
// The client area that outer size leaves inside a fixed Windows frame of the
// classic metrics (3-pixel borders, 19-pixel caption). Toolkits whose frame is
// drawn by someone else (a window manager) size the client area to this.
inline constexpr int kClientWidth = kWindowWidth - 2 * 3;
inline constexpr int kClientHeight = kWindowHeight - 2 * 3 - 19;

inline constexpr std::array<ControlForm, 6> kControls{{
    {"编辑框1", Role::ContentBox, Kind::MultiLineEdit, {0, 0, 416, 240}, ""},
    {"标签1", Role::PasswordCaption, Kind::Label, {164, 245, 88, 16}, "自定义加密密码"},
    {"编辑框2", Role::PasswordBox, Kind::SingleLineEdit, {166, 265, 80, 20}, ""},
    {"按钮1", Role::ImportButton, Kind::PushButton, {70, 256, 80, 32}, "导入"},
    {"按钮2", Role::SaveButton, Kind::PushButton, {259, 256, 80, 32}, "保存"},
    {"透明标签1", Role::CreditLink, Kind::TransparentLabel, {170, 296, 72, 20}, "Tovrel原创"},
}};

// The table is in the order of the roles, so a role indexes it.
static_assert([] {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (static_cast<std::size_t>(kControls[i].role) != i) return false;
  }
  return true;
}());

constexpr const ControlForm& control(Role role) {
  for (const ControlForm& c : kControls) {
    if (c.role == role) return c;
  }
  return kControls[0];  // every role is in the table
}

// Tab moves forward through these and Shift+Tab back, wrapping.
inline constexpr std::array<Role, 4> kTabOrder{Role::ContentBox, Role::ImportButton,
                                               Role::SaveButton, Role::PasswordBox};
inline constexpr Role kInitialFocus = Role::ContentBox;

constexpr Role nextInTabOrder(Role from, bool backward) {
  std::size_t i = 0;
  while (i < kTabOrder.size() && kTabOrder[i] != from) ++i;
  if (i == kTabOrder.size()) return kTabOrder[0];
  const std::size_t n = kTabOrder.size();
  return kTabOrder[backward ? (i + n - 1) % n : (i + 1) % n];
}

// The credit link's type: blue, underlined, 12 pixels high, normal weight, in
// the system's default face.
inline constexpr Color kCreditLinkColor{0, 0, 255};
inline constexpr int kCreditLinkCharHeight = 12;

// The page the credit link opens: the author's home page.
inline constexpr std::string_view kCreditAddress = "https://tovrel.example/";

struct Point {
  int x, y;
};

// Centred on a screen of the given size; integer division truncates toward
// zero, as the form's formula does, also for a window larger than the screen.
constexpr Point centredOrigin(int screenWidth, int screenHeight, int width = kWindowWidth,
                              int height = kWindowHeight) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

// A 96-DPI figure at another DPI, rounded to the nearest pixel.
constexpr int scaleForDpi(int value, int dpi) {
  const long long scaled = static_cast<long long>(value) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

}  // namespace txtseal::ui
