#pragma once

#include <QString>

class ClassStore;

namespace ModFindReg {
// The open command registered for the type "Kelvarino", or "" when there is
// none. It is read through a 256-byte buffer: a command of 256 bytes or more
// in the locale's encoding never comes back whole.
QString ReadOpenCommand(ClassStore& store);
} // namespace ModFindReg
