#pragma once

#include <xcb/xcb.h>

// The X connection Qt runs on, or null on another platform.
xcb_connection_t* qtXcbConnection();

// The atom of `name`, XCB_ATOM_NONE when the server has none.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);
