#pragma once

class TClassRegistry;

// The image buttons and their properties, for the form descriptions. Called once at start.
void RegisterChromeControls(TClassRegistry& registry);
