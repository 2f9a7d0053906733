# Names the programs this Windows tree builds for the installer, one "name=path" a line,
# for the programs that exist so far.
set(VIRELUNA_INSTALLED_PROGRAMS VirelunaLogo VirelunaSettings)
set(listing "")
foreach(program ${VIRELUNA_INSTALLED_PROGRAMS})
  if(TARGET ${program})
    string(APPEND listing "${program}=$<TARGET_FILE:${program}>\n")
  endif()
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/packaging/windows-programs.txt CONTENT "${listing}")
