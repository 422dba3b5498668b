// KWin's fake input interface description as wayland-scanner writes it, in a file of its own (the
// generated code of each protocol has file-level names of the same spelling). The header comes
// first, for the C linkage of the descriptions (see virtual_keyboard_protocol.cpp).
#include "fake-input-client-protocol.h"

#include "fake-input-protocol.c"
