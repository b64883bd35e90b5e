#pragma once

#include "app/media_frm.h"

// The command-line tail (arguments after the program's name, joined by single
// spaces) and the real path of the running executable.
StartInfo startInfoFromArguments(int argc, char** argv);
