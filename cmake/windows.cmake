# Windows-only settings: static runtime, the Win32 libraries the core uses, the executable.
target_compile_definitions(kivolt_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(kivolt_core PUBLIC
  ole32 oleaut32 uuid shell32 comctl32 comdlg32 gdi32 user32 kernel32)
target_link_options(kivolt_core PUBLIC -static -static-libgcc -static-libstdc++)

file(GLOB resource_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/resources/*.rc)
if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/main_win.cpp)
  add_executable(kivolt WIN32 src/app/main_win.cpp ${resource_files})
  target_link_libraries(kivolt PRIVATE kivolt_core)
  set_target_properties(kivolt PROPERTIES OUTPUT_NAME kivolt)
endif()
