#pragma once

// Registers the pictures and the icon built into the program. The library that holds them is
// static, so each window that shows them calls this first; calling it again does no harm.
void initProgramResources();
