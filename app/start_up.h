#pragma once
// The process from start to end: fonts, single instance, messages, the main
// window and the main loop, then release in reverse order.

// Returns the process exit status: 0 when it ran (or handed over to the
// running instance), 2 when no display can be reached.
int RunQ31(int argc, char** argv);

// The skin folder and its resource index, the theme, and the control classes
// skins may name.
void SetupResources();
