#pragma once

#include "app/media_frm.h"

// The arguments after the program's name, the real path of the running
// executable and the working folder.
StartInfo startInfoFromArguments(int argc, char** argv);
