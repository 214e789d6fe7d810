#pragma once

#include <memory>

#include "logging/f_Logger.h"

// The program-wide logger, writing into "Veltrane/Log/" beside the program file. It exists from
// InitializeGlobalVars, before anything else of the program runs, to FinalizeGlobalVars at an
// orderly end.
extern std::unique_ptr<TLogger> GLogger;

// Raises when the log folder can neither be found nor made.
void InitializeGlobalVars();
void FinalizeGlobalVars();
