# The download: a zip of marquill.exe, a readme for Windows users and the
# licence, with its SHA-256 beside it. The test and benchmark programs install
# nothing, so they stay out of it.
install(TARGETS marquill RUNTIME DESTINATION .)

# Both texts get Windows line endings, whatever the checkout has.
foreach(text packaging/README.txt LICENSE)
  get_filename_component(name ${text} NAME)
  configure_file(${PROJECT_SOURCE_DIR}/${text} ${PROJECT_BINARY_DIR}/package/${name} @ONLY
    NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/package/${name} DESTINATION .)
endforeach()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MARQUILL_PACKAGE_SYSTEM win64)
else()
  set(MARQUILL_PACKAGE_SYSTEM win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME marquill)
set(CPACK_PACKAGE_VENDOR "The Marquill maintainers")
set(CPACK_PACKAGE_FILE_NAME marquill-${PROJECT_VERSION}-${MARQUILL_PACKAGE_SYSTEM})
# The three files at the top of the zip, with no folder around them.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
