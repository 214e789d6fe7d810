#include "app/f_Program.h"

#include "app/f_GlobalVar.h"
#include "app/f_Main.h"
#include "client/f_HttpClientIntf.h"
#include "controls/ChromeClasses.h"
#include "framework/ClassRegistry.h"
#include "framework/TApplication.h"
#include "platform/kernel/InstanceMarker.h"
#include "platform/winsys/WindowSystem.h"

namespace {

// The orderly end: the shared client is released and the logger freed.
int EndInOrder() {
  GHttpClient.reset();
  FinalizeGlobalVars();
  return 0;
}

void RegisterProgramClasses() {
  static const bool registered = (RegisterChromeControls(TClassRegistry::Instance()), true);
  (void)registered;
}

}  // namespace

int RunVeltraneSetup(const std::vector<std::string>& args, winsys::Display& display,
                     winsys::Clock& clock, const std::function<void(TApplication&)>& started) {
  winsys::WindowSystem windows(display, clock);
  TApplication application;
  if (args.size() > 1 && !args[1].empty()) return EndInOrder();

  // Only the report that the marker existed keeps a copy from running. The marker stays until
  // the process ends, however it ends.
  const kernel::InstanceMarker marker("Brindlecast_KV");
  if (marker.AlreadyExisted()) {
    application.Terminate();
    return EndInOrder();
  }
  RegisterProgramClasses();
  application.SetTitle("Veltrane");
  application.CreateForm<Tfrm_Main>();
  if (started) started(application);
  application.Run();
  return EndInOrder();
}
