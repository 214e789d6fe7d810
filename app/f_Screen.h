#pragma once

#include <memory>

#include "platform/winsys/Display.h"

// The desktop's screen the program shows its windows on; null when there is none.
std::unique_ptr<winsys::Display> OpenScreen();
