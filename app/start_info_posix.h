#pragma once

#include "app/media_frm.h"

// The command-line tail (arguments after the program's name, joined by single
// spaces), the real path of the running executable and the working folder.
StartInfo startInfoFromArguments(int argc, char** argv);
