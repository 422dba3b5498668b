// The protocol's interface descriptions as wayland-scanner writes them, in C. The header comes
// first: its extern "C" declarations give the const objects of the code the C linkage that
// libwayland looks them up by (alone, C++ would keep them private to this file).
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include "virtual-keyboard-unstable-v1-protocol.c"
