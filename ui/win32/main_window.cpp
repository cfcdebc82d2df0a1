#include "main_window.h"

#include <commctrl.h>

#include "encoding.h"

namespace txtseal::ui::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TxtsealMainWindow";
constexpr int kFirstControlId = 1001;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed border
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;

struct ControlClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass classFor(Kind kind) {
  switch (kind) {
    case Kind::MultiLineEdit:
      // Wraps at the right edge (no ES_AUTOHSCROLL), follows the caret down,
      // no scroll bars; the selection hides while the box has no focus.
      return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE};
    case Kind::SingleLineEdit:
      return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::PushButton:
      return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
    case Kind::Label:
      return {L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case Kind::TransparentLabel:
      // SS_NOTIFY lets it see the mouse; SS_NOPREFIX draws "&" as it is.
      return {L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY, WS_EX_TRANSPARENT};
  }
  return {L"STATIC", 0, 0};
}

UINT dpiOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi ? dpi : 96;
}

bool keyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

std::unique_ptr<MainWindow> MainWindow::create(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                           GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                             LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

  std::unique_ptr<MainWindow> self(new MainWindow);
  const std::wstring title = widen(kWindowTitle);
  // Created hidden; WM_NCCREATE ties the window to its object.
  if (!CreateWindowExW(kWindowExStyle, kWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                       kWindowWidth, kWindowHeight, nullptr, nullptr, instance, self.get())) {
    return nullptr;
  }
  if (!self->createControls()) return nullptr;
  self->toolkit_.attach(self->window_, self->control(Role::ContentBox), self->control(Role::PasswordBox));
  self->layout(dpiOf(self->window_));
  return self;
}

MainWindow::~MainWindow() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool MainWindow::createControls() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlForm& form = kControls[i];
    const ControlClass cls = classFor(form.kind);
    controls_[i] = CreateWindowExW(cls.exStyle, cls.name, widen(form.text).c_str(), WS_CHILD | cls.style,
                                   form.place.left, form.place.top, form.place.width, form.place.height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
                                   instance, nullptr);
    if (!controls_[i]) return false;
  }
  // No cap below the system's own (30,000 characters by default).
  SendMessageW(control(Role::ContentBox), EM_SETLIMITTEXT, 0, 0);
  SendMessageW(control(Role::PasswordBox), EM_SETLIMITTEXT, 0, 0);
  return SetWindowSubclass(control(Role::CreditLink), creditLinkProc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void MainWindow::layout(UINT dpi) {
  dpi_ = dpi;
  const int d = static_cast<int>(dpi);

  // The default GUI font is made for the system DPI; scale it to the window's.
  LOGFONTW gui{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  gui.lfHeight = MulDiv(gui.lfHeight, d, static_cast<int>(GetDpiForSystem()));
  guiFont_.reset(CreateFontIndirectW(&gui));

  LOGFONTW credit = gui;
  credit.lfHeight = -scaleForDpi(kCreditLinkCharHeight, d);  // character height, without leading
  credit.lfWidth = 0;
  credit.lfWeight = FW_NORMAL;
  credit.lfItalic = FALSE;
  credit.lfUnderline = TRUE;
  creditFont_.reset(CreateFontIndirectW(&credit));

  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const Rect& r = kControls[i].place;
    SetWindowPos(controls_[i], nullptr, scaleForDpi(r.left, d), scaleForDpi(r.top, d), scaleForDpi(r.width, d),
                 scaleForDpi(r.height, d), SWP_NOZORDER | SWP_NOACTIVATE);
    const HFONT font = kControls[i].role == Role::CreditLink ? creditFont_.get() : guiFont_.get();
    SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  SetWindowPos(window_, nullptr, 0, 0, scaleForDpi(kWindowWidth, d), scaleForDpi(kWindowHeight, d),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::show() {
  for (HWND c : controls_) ShowWindow(c, SW_SHOW);
  RECT frame{};
  GetWindowRect(window_, &frame);
  const Point origin = centredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                     frame.right - frame.left, frame.bottom - frame.top);
  SetWindowPos(window_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetFocus(control(kInitialFocus));
}

int MainWindow::run() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (handleKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

const ControlForm* MainWindow::formOf(HWND control) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == control) return &kControls[i];
  }
  return nullptr;
}

bool MainWindow::handleKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != window_ && !IsChild(window_, msg.hwnd))) return false;
  const bool shift = keyDown(VK_SHIFT);
  const bool ctrl = keyDown(VK_CONTROL);
  const bool alt = keyDown(VK_MENU);
  const ControlForm* focused = formOf(GetFocus());
  switch (msg.wParam) {
    case VK_TAB: {
      // Never typed into the content box, with or without modifiers.
      if (!ctrl && !alt) {
        const Role next = nextInTabOrder(focused ? focused->role : kInitialFocus, shift);
        SetFocus(control(next));
        if (next == Role::PasswordBox) SendMessageW(control(next), EM_SETSEL, 0, -1);
        SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      }
      return true;
    }
    case VK_ESCAPE:
      if (!shift && !ctrl && !alt) PostMessageW(window_, WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      // No button is the default button: Enter only breaks lines in the content box.
      return !(focused && focused->role == Role::ContentBox);
    case VK_F1:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return self ? self->onMessage(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        const HWND from = reinterpret_cast<HWND>(lParam);
        if (from == control(Role::ImportButton)) {
          commands_.onImport();
          return 0;
        }
        if (from == control(Role::SaveButton)) {
          commands_.onSave();
          return 0;
        }
      }
      break;
    case WM_CTLCOLORSTATIC: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (reinterpret_cast<HWND>(lParam) == control(Role::CreditLink)) {
        const Color c = kCreditLinkColor;
        SetTextColor(dc, RGB(c.red, c.green, c.blue));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));  // the window shows through
      }
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CTLCOLOREDIT: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == control(Role::CreditLink)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_DPICHANGED: {
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      layout(HIWORD(wParam));
      return 0;
    }
    case WM_HELP:
      return TRUE;  // F1 does nothing
    case WM_CLOSE:
      if (commands_.mayClose()) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      RemoveWindowSubclass(control(Role::CreditLink), creditLinkProc, 1);
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::creditLinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  // On the press, not the release; the second press of a double click comes
  // as WM_LBUTTONDBLCLK and opens nothing.
  if (message == WM_LBUTTONDOWN) reinterpret_cast<MainWindow*>(self)->commands_.onCreditPressed();
  return DefSubclassProc(link, message, wParam, lParam);
}

}  // namespace txtseal::ui::win32
