#pragma once

#include <QString>

// The settings file "Kelvarino.dat": in the folder named by the environment
// variable windir when it is set and not empty, otherwise in the user's
// configuration folder (XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config). Read from the environment on every call.
QString settingsFilePath();
