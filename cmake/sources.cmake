# The source lists follow the file names: foo_win.cpp is Windows-only code, foo_native.cpp
# its POSIX counterpart for the native build, every other .cpp is portable.
function(kivolt_collect_sources out)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp)
  list(FILTER all EXCLUDE REGEX "/src/app/main_win\\.cpp$")
  if(WIN32)
    list(FILTER all EXCLUDE REGEX "_native\\.cpp$")
  else()
    list(FILTER all EXCLUDE REGEX "_win\\.cpp$")
  endif()
  set(${out} ${all} PARENT_SCOPE)
endfunction()
