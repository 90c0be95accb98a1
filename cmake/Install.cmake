# cmake --install: the plug-in into a VST folder, the manual, the tape font
# and the two font licences into <prefix>/share/qor-valdora, valdora-meter into bin.
# CPack builds the Debian package from the same rules.

set(VALDORA_VST_DIR "lib/vst" CACHE STRING
    "Folder the plug-in is installed in (relative to the prefix, or absolute)")
set(VALDORA_DATA_DIR "share/qor-valdora")

install(TARGETS valdora_plugin LIBRARY DESTINATION ${VALDORA_VST_DIR})
install(TARGETS valdora-meter RUNTIME DESTINATION bin)
# The panel face travels inside the plug-in; its licence lies beside the tape font's.
install(FILES ${PROJECT_SOURCE_DIR}/resources/font/QORValdora.qsf
              ${PROJECT_SOURCE_DIR}/resources/font/LICENSE.txt
              ${PROJECT_SOURCE_DIR}/resources/font/PanelFace-LICENSE.txt
        DESTINATION ${VALDORA_DATA_DIR})
if(TARGET valdora_manual)
  install(FILES ${VALDORA_MANUAL_PATH} DESTINATION ${VALDORA_DATA_DIR})
endif()
configure_file(${PROJECT_SOURCE_DIR}/docs/package/valdora-meter.1 ${CMAKE_BINARY_DIR}/package/valdora-meter.1 @ONLY)
# The changelog is history; its newest entry must be the version built.
file(STRINGS ${PROJECT_SOURCE_DIR}/docs/package/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^qor-valdora \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "docs/package/changelog: the newest entry is not ${PROJECT_VERSION}")
endif()
# Debian wants the changelog and the manual page compressed reproducibly
# (no name, no time).
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/docs/package/changelog
          ${CMAKE_BINARY_DIR}/package/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/package/changelog
  VERBATIM)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/package/valdora-meter.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${CMAKE_BINARY_DIR}/package/valdora-meter.1
          ${CMAKE_BINARY_DIR}/package/valdora-meter.1.gz
  DEPENDS ${CMAKE_BINARY_DIR}/package/valdora-meter.1
  VERBATIM)
add_custom_target(valdora_changelog ALL
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz ${CMAKE_BINARY_DIR}/package/valdora-meter.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/valdora-meter.1.gz DESTINATION share/man/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/package/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION share/doc/qor-valdora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qor-valdora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VU, RMS and PPM level meter plug-in (VST 2.4)")
set(CPACK_PACKAGE_DESCRIPTION "QOR Valdora is a level meter plug-in for hosts that load VST 2.4
plug-ins. It measures one or two channels with a VU meter, an RMS
meter or a quasi-peak programme meter, with adjustable reference
levels, ballistics, hold, over detection and inter-sample detection.
The package also holds the user manual and the offline meter
valdora-meter.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QOR Valdora developers <qor-valdora@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
