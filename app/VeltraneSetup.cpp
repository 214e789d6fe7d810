// The program file: the logger comes first, then the start-up sequence on the desktop's screen.

#include "app/f_GlobalVar.h"
#include "app/f_Program.h"
#include "app/f_Screen.h"
#include "platform/kernel/Exception.h"
#include "platform/kernel/Process.h"
#include "platform/winsys/SystemClock.h"

int main(int argc, char** argv) {
  try {
    InitializeGlobalVars();
  } catch (const kernel::Exception& e) {
    kernel::OutputDebugStringA(e.Message());
    return 1;
  }
  std::unique_ptr<winsys::Display> display = OpenScreen();
  if (!display) {
    kernel::OutputDebugStringA("VeltraneSetup: no graphical display (DISPLAY is not set)");
    FinalizeGlobalVars();
    return 1;
  }
  winsys::SystemClock clock;
  return RunVeltraneSetup({argv, argv + argc}, *display, clock);
}
