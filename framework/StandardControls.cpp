#include "framework/ClassRegistry.h"
#include "framework/StandardClasses.h"

void RegisterStandardControls(TClassRegistry& registry) { (void)registry; }
