#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/winsys/Clock.h"
#include "platform/winsys/Display.h"

class TApplication;

// The program's start-up sequence on a given screen: a non-empty first argument or a copy that
// is already running ends it at once; otherwise the main window runs until the application
// ends. Answers the exit code of the orderly end (0). `started`, when set, is called once the
// main window exists and before the message loop runs (tests drive the program from there).
int RunVeltraneSetup(const std::vector<std::string>& args, winsys::Display& display,
                     winsys::Clock& clock,
                     const std::function<void(TApplication&)>& started = nullptr);
