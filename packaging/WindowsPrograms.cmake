# Names the programs this Windows tree builds for the installer, one "name=path" a line,
# for the programs that exist so far.
set(VIRELUNA_INSTALLED_PROGRAMS VirelunaLogo VirelunaSettings)
set(listing "")
# The programs alone, without the tests: what scripts/build-all.sh --main-job builds.
add_custom_target(vireluna_package_contents)
foreach(program ${VIRELUNA_INSTALLED_PROGRAMS})
  if(TARGET ${program})
    string(APPEND listing "${program}=$<TARGET_FILE:${program}>\n")
    add_dependencies(vireluna_package_contents ${program})
  endif()
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/packaging/windows-programs.txt CONTENT "${listing}")
