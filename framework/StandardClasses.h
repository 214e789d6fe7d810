#pragma once

class TClassRegistry;

// The framework's classes and their properties, for the form descriptions.
void RegisterStandardClasses(TClassRegistry& registry);
// The ready-made controls: labels, images, panels, pages, lists, edit boxes, buttons.
void RegisterStandardControls(TClassRegistry& registry);
// The control pack: skinned panel, flat radio button, flat edit box, modal speed button.
void RegisterControlPack(TClassRegistry& registry);
