#include "app/f_GlobalVar.h"

std::unique_ptr<TLogger> GLogger;

void InitializeGlobalVars() {
  GLogger = std::make_unique<TLogger>(nullptr, "");
}

void FinalizeGlobalVars() {
  GLogger.reset();
}
