#include "app/f_Screen.h"

#include <cstdlib>

#include "platform/display/x11/X11Display.h"

std::unique_ptr<winsys::Display> OpenScreen() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return nullptr;
  return display::X11Display::Open();
}
