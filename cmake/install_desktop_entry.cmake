# Runs at install time: installs resources/kelvarino.desktop with its Exec
# naming the installed binary, quoted by the Desktop Entry rules when the path
# holds a reserved character.
if(IS_ABSOLUTE "${KELVARINO_BINDIR}")
  set(program "${KELVARINO_BINDIR}/kelvarino")
else()
  set(program "${CMAKE_INSTALL_PREFIX}/${KELVARINO_BINDIR}/kelvarino")
endif()
if(IS_ABSOLUTE "${KELVARINO_DATADIR}")
  set(applications "${KELVARINO_DATADIR}/applications")
else()
  set(applications "${CMAKE_INSTALL_PREFIX}/${KELVARINO_DATADIR}/applications")
endif()

set(exec "${program}")
if(program MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
  # Inside the quotes ", `, $ and \ take a backslash; the value's own string
  # escape then doubles every backslash.
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${program}")
  string(REPLACE "\\" "\\\\" exec "\"${exec}\"")
endif()

file(READ "${KELVARINO_ENTRY_SOURCE}" entry)
string(FIND "${entry}" "\nExec=kelvarino " at)
if(at EQUAL -1)
  message(FATAL_ERROR "${KELVARINO_ENTRY_SOURCE} has no \"Exec=kelvarino \" line")
endif()
string(REPLACE "\nExec=kelvarino " "\nExec=${exec} " entry "${entry}")

# Written in place rather than copied from the build folder, which the user
# who installs may not be able to write.
set(installed "${applications}/kelvarino.desktop")
message(STATUS "Installing: $ENV{DESTDIR}${installed}")
file(WRITE "$ENV{DESTDIR}${installed}" "${entry}")
file(CHMOD "$ENV{DESTDIR}${installed}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${installed}")
