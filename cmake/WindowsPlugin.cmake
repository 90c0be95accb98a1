# The Windows deliverables: "QOR Valdora_x64.dll" (64-bit) and "QOR Valdora.dll"
# (32-bit), built from the same sources. Only VSTPluginMain and main leave the
# DLL (core/exports.def); the C and C++ runtimes are linked in, so the DLL
# imports nothing but Windows system libraries. The images are PNG resources
# of the DLL, compiled from resources/resources.rc.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(valdora_dll_name "QOR Valdora_x64")
else()
  set(valdora_dll_name "QOR Valdora")
endif()

add_library(valdora_plugin MODULE
  core/PluginEntry.cpp
  core/exports.def
  resources/resources.rc)
set_target_properties(valdora_plugin PROPERTIES
  OUTPUT_NAME "${valdora_dll_name}"
  PREFIX ""
  SUFFIX ".dll"
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The resource script names its images relative to its own folder.
set_property(SOURCE resources/resources.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/resources)
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/resources.rc valdora_rc_lines REGEX "^[ \t]*[0-9]+[ \t]+PNG[ \t]+\"")
set(valdora_rc_pngs)
foreach(line IN LISTS valdora_rc_lines)
  string(REGEX REPLACE "^[ \t]*[0-9]+[ \t]+PNG[ \t]+\"([^\"]+)\".*" "\\1" png "${line}")
  list(APPEND valdora_rc_pngs ${PROJECT_SOURCE_DIR}/resources/${png})
endforeach()
set_property(SOURCE resources/resources.rc APPEND PROPERTY OBJECT_DEPENDS ${valdora_rc_pngs})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/resources.rc)

target_link_libraries(valdora_plugin PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,valdora>")
target_link_options(valdora_plugin PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--no-undefined)
set(VALDORA_PLUGIN_PATH "${CMAKE_BINARY_DIR}/${valdora_dll_name}.dll")

# The typeface goes beside the DLL, where the plug-in looks for it when the
# manual's folder does not hold it.
add_custom_command(TARGET valdora_plugin POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/resources/font/QORValdora.qsf
          ${CMAKE_BINARY_DIR}/QORValdora.qsf
  VERBATIM)
