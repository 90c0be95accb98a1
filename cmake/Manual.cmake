# The user manual, a PDF made from docs/manual/ with rst2pdf, illustrated
# with the editor drawn offscreen by manual-shots. Part of the default build
# when rst2pdf is installed (Debian package rst2pdf).

set(VALDORA_MANUAL_NAME "QOR Valdora v${PROJECT_VERSION} - User Manual.pdf")
set(VALDORA_MANUAL_PATH "${CMAKE_BINARY_DIR}/${VALDORA_MANUAL_NAME}")
find_program(VALDORA_RST2PDF rst2pdf)

if(VALDORA_RST2PDF)
  set(manual_dir ${CMAKE_BINARY_DIR}/manual)
  file(MAKE_DIRECTORY ${manual_dir})
  set(manual_source ${PROJECT_SOURCE_DIR}/docs/manual)
  file(GLOB manual_texts CONFIGURE_DEPENDS ${manual_source}/*.rst ${manual_source}/*.yaml)
  # The pictures are drawn as a 2x editor draws itself, to print sharp. They
  # come from a settings store of their own: the builder's meter settings
  # must not change them, and drawing must not write there.
  set(shots_home ${manual_dir}/home)
  add_custom_command(
    OUTPUT ${VALDORA_MANUAL_PATH}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${shots_home}
    COMMAND ${CMAKE_COMMAND} -E env HOME=${shots_home} XDG_CONFIG_HOME=${shots_home}/.config
            $<TARGET_FILE:manual-shots> ${manual_dir}/shots --scale 2
    # Pictures are found relative to the text, so the text sits beside them.
    COMMAND ${CMAKE_COMMAND} -E copy ${manual_source}/manual.rst ${manual_dir}/manual.rst
    COMMAND ${VALDORA_RST2PDF} --stylesheets=${manual_source}/manual.yaml
            --output=${VALDORA_MANUAL_PATH} ${manual_dir}/manual.rst
    DEPENDS manual-shots ${manual_texts}
    WORKING_DIRECTORY ${manual_dir}
    COMMENT "Writing the user manual"
    VERBATIM)
  add_custom_target(valdora_manual ALL DEPENDS ${VALDORA_MANUAL_PATH})
else()
  message(STATUS "rst2pdf not found: the user manual is not built (apt-get install rst2pdf)")
endif()
