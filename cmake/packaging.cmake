# Installing and packaging.
#
# `cmake --install <build> --prefix <folder>` installs what a game package takes from this project:
# TharnOfEmberfall.exe at the root of the folder. The package brings its own interpreter and scripts.
install(TARGETS TharnOfEmberfall RUNTIME DESTINATION . COMPONENT program)

# The demo: the program with the stand-in in the interpreter's place, the placeholder scripts and a
# note on trying it. Left out of a plain install; only the demo package asks for it.
install(TARGETS standin RUNTIME DESTINATION private/tools/python314 COMPONENT demo EXCLUDE_FROM_ALL)
list(TRANSFORM PLACEHOLDER_SCRIPTS PREPEND ${CMAKE_SOURCE_DIR}/resources/tools/ OUTPUT_VARIABLE placeholder_paths)
install(FILES ${placeholder_paths} DESTINATION tools COMPONENT demo EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/resources/demo/TRY-THE-DEMO.txt DESTINATION . COMPONENT demo EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-demo)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_OUTPUT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackDemoConfig.cmake)
# Both components, each installed on its own, so the demo one is taken despite EXCLUDE_FROM_ALL.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CMAKE_BINARY_DIR};${PROJECT_NAME};program;/" "${CMAKE_BINARY_DIR};${PROJECT_NAME};demo;/")
include(CPack)

set(DEMO_PACKAGE ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip)
add_custom_command(OUTPUT ${DEMO_PACKAGE}
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_OUTPUT_CONFIG_FILE} -B ${CMAKE_BINARY_DIR}

  DEPENDS TharnOfEmberfall standin ${placeholder_paths} ${CMAKE_SOURCE_DIR}/resources/demo/TRY-THE-DEMO.txt
  COMMENT "Packing ${CPACK_PACKAGE_FILE_NAME}.zip"
  VERBATIM)
add_custom_target(demo DEPENDS ${DEMO_PACKAGE})
