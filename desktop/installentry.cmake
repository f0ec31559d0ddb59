# Run when installing: writes the calculator's menu entry with the installed
# sample folder filled in and installs it. The folder is known only now, as
# `cmake --install --prefix` and CPack choose the prefix after configuring.
# In: ENTRY_TEMPLATE, ENTRY_OUTPUT, DATADIR (as CMAKE_INSTALL_DATADIR).
if(IS_ABSOLUTE "${DATADIR}")
    set(datadir "${DATADIR}")
else()
    set(datadir "${CMAKE_INSTALL_PREFIX}/${DATADIR}")
endif()

# The folder as one quoted argument of an Exec key: inside the quotes ", `, $
# and \ take a backslash; the value's own escaping then doubles every
# backslash, and % stands doubled for itself.
set(argument "${datadir}/vorrak/sample")
string(REPLACE "\\" "\\\\" argument "${argument}")
foreach(character "\"" "`" "$")
    string(REPLACE "${character}" "\\${character}" argument "${argument}")
endforeach()
string(REPLACE "\\" "\\\\" argument "${argument}")
string(REPLACE "%" "%%" argument "${argument}")
set(VORRAK_SAMPLE_DIR_ARGUMENT "\"${argument}\"")

configure_file("${ENTRY_TEMPLATE}" "${ENTRY_OUTPUT}" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE FILES "${ENTRY_OUTPUT}")
