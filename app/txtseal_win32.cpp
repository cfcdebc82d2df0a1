// The Windows program: starts the window system, shows the main window and
// runs its message loop until the window is closed.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "main_window.h"

namespace {

// The shell's "open" may hand the address to COM; it wants an apartment.
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const auto window = txtseal::ui::win32::MainWindow::create(instance);
  if (!window) return 1;
  window->show();
  return window->run();
}
