#include "config/CGeneratorSettings.h"

CGeneratorSettings theSettings;

// Placeholders until the configuration lands.
void CGeneratorSettings::Load() {}

void CGeneratorSettings::AllocateNextId() {}
