#include "app/f_SystemServices.h"

#include "platform/kernel/Process.h"
#include "platform/shell/Shell.h"

TSystemServices GSystemServices{[](uint32_t exitCode) { kernel::TerminateProcess(exitCode); },
                                [](winsys::HWND owner, const std::string& file) {
                                  return shell::ShellExecute(owner, "", file, "", "",
                                                             shell::SW_SHOWNORMAL);
                                }};
