# Windows-only settings: static runtime, the Win32 libraries the core uses, the executable.
target_compile_definitions(kivolt_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(kivolt_core PUBLIC
  ole32 oleaut32 uuid shell32 comctl32 comdlg32 gdi32 user32 kernel32)
target_link_options(kivolt_core PUBLIC -static -static-libgcc -static-libstdc++)

# The resources (icon, manifest, version information), for the program and for the Windows
# tests, which need the icon and the Common Controls 6 manifest. The version header and the
# manifest are generated from the project's version; windres finds both on the include path.
set(version_parts ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    list(APPEND version_parts 0)
  else()
    list(APPEND version_parts ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN version_parts "," KIVOLT_VERSION_COMMAS)
list(JOIN version_parts "." KIVOLT_VERSION_QUAD)
# The resource compiler reads code page 1252; "\251" is the copyright sign there.
string(REPLACE "©" "\\251" KIVOLT_COPYRIGHT_RC "${KIVOLT_COPYRIGHT}")
set(generated ${PROJECT_BINARY_DIR}/generated)
configure_file(src/resources/kivolt_version.h.in ${generated}/kivolt_version.h @ONLY)
configure_file(src/resources/kivolt.manifest.in ${generated}/kivolt.manifest @ONLY)
add_library(kivolt_resources INTERFACE)
target_sources(kivolt_resources INTERFACE ${PROJECT_SOURCE_DIR}/src/resources/kivolt.rc)
target_include_directories(kivolt_resources INTERFACE ${generated})

if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/main_win.cpp)
  add_executable(kivolt WIN32 src/app/main_win.cpp)
  target_link_libraries(kivolt PRIVATE kivolt_core kivolt_resources)
  set_target_properties(kivolt PROPERTIES OUTPUT_NAME kivolt)
endif()
