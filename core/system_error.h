#pragma once

#include <QString>

// Why a call on a file failed, in the interface's language: the system's own
// texts (strerror, Qt's error strings) are English.
QString systemErrorText(int errorNumber);
