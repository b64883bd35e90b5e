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

# One work file per prefix, so that installs into several prefixes never share one.
string(MD5 prefix_id "${CMAKE_INSTALL_PREFIX}")
set(work "${KELVARINO_ENTRY_WORK}/${prefix_id}/kelvarino.desktop")
file(WRITE "${work}" "${entry}")
file(INSTALL DESTINATION "${applications}" TYPE FILE FILES "${work}")
