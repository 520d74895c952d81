# What a release installs, and the release files made from it.
#
# Windows (the 32-bit module): one folder, Quillet/, that the user copies
# under the host's Plugins folder: the DLL, both language files,
# tkdiff.bat and the read-me in English and in Russian.  The package target
# zips it as Quillet-<version>-win32.zip.
#
# Linux: the console host as the command `quillet`, the module and its
# language files in a private folder, lib/<multiarch>/quillet/ on Debian
# (the command finds them there from where it stands itself), the TkDiff launcher on PATH, manual pages and the
# package's documents.  `cmake --install B --prefix P` lays this out under
# P; the package target makes quillet_<version>_<arch>.deb of the same
# layout under /usr.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(QUILLET_SHIP ${PROJECT_SOURCE_DIR}/ship)
set(QUILLET_SHIP_OUT ${PROJECT_BINARY_DIR}/ship)
file(MAKE_DIRECTORY ${QUILLET_SHIP_OUT})

# `output` made from ship/`source` at configure time: the version filled
# in, line ends in `newlines`, and, when `encoding` is not UTF-8, the text
# converted by iconv (a character the code page lacks stops the build).
function(quillet_ship_text source output newlines encoding)
  configure_file(${QUILLET_SHIP}/${source} ${output}.utf8 @ONLY NEWLINE_STYLE ${newlines})
  if(encoding STREQUAL "UTF-8")
    file(RENAME ${output}.utf8 ${output})
    return()
  endif()
  execute_process(COMMAND iconv -f UTF-8 -t ${encoding} ${output}.utf8
    OUTPUT_FILE ${output} RESULT_VARIABLE _result ERROR_VARIABLE _error)
  file(REMOVE ${output}.utf8)
  if(NOT _result EQUAL 0)
    file(REMOVE ${output})
    message(FATAL_ERROR "ship/${source} cannot be written in ${encoding}: ${_error}")
  endif()
endfunction()

# `output`.gz, compressed as Debian wants it (no name or time inside).
function(quillet_gzip output)
  execute_process(COMMAND gzip -9nc ${output} OUTPUT_FILE ${output}.gz RESULT_VARIABLE _result)
  if(NOT _result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${output}")
  endif()
endfunction()

set(CPACK_PACKAGE_NAME Quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "The Quillet developers <quillet@quillet.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillet.example/")

if(WIN32)
  # The host's Russian users read OEM code page 866 (the language file is
  # kept in it already); the read-mes are kept in UTF-8 here.  Windows
  # texts end their lines in CR LF.
  quillet_ship_text(readme_en.txt ${QUILLET_SHIP_OUT}/readme_en.txt CRLF UTF-8)
  quillet_ship_text(readme_ru.txt ${QUILLET_SHIP_OUT}/readme_ru.txt CRLF CP866)
  install(PROGRAMS $<TARGET_FILE:quillet> ship/tkdiff.bat DESTINATION Quillet)
  install(FILES ${QUILLET_LANG_FILES} ${QUILLET_SHIP_OUT}/readme_en.txt
    ${QUILLET_SHIP_OUT}/readme_ru.txt DESTINATION Quillet)

  set(CPACK_GENERATOR ZIP)
  set(QUILLET_PLUGIN_ARCHIVE ${PROJECT_BINARY_DIR}/Quillet-${PROJECT_VERSION}-win32.zip)
  get_filename_component(CPACK_PACKAGE_FILE_NAME ${QUILLET_PLUGIN_ARCHIVE} NAME_WLE)
  # The archive holds the folder Quillet/ and nothing around it.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # A private folder of the multiarch library folder, where Debian keeps a
  # program's own shared objects (and no ldconfig has to know of it).
  if(CMAKE_LIBRARY_ARCHITECTURE)
    set(QUILLET_MODULE_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/quillet)
  else()
    set(QUILLET_MODULE_DIR lib/quillet)
  endif()
  install(TARGETS quillet LIBRARY DESTINATION ${QUILLET_MODULE_DIR})
  install(FILES ${QUILLET_LANG_FILES} DESTINATION ${QUILLET_MODULE_DIR})
  # The module looks for its TkDiff launcher on PATH only.
  install(PROGRAMS ship/quillet-tkdiff DESTINATION bin)
  if(TARGET quillet-console)
    # The built console host finds the module of its build; installed as
    # `quillet`, the one at this place relative to itself.
    file(RELATIVE_PATH _module_from_bin /bin /${QUILLET_MODULE_DIR})
    target_compile_definitions(quillet-console PRIVATE
      QUILLET_VERSION="${PROJECT_VERSION}"
      QUILLET_BUILT_PROGRAM="$<TARGET_FILE:quillet-console>"
      QUILLET_INSTALLED_MODULE="${_module_from_bin}/$<TARGET_FILE_NAME:quillet>")
    install(PROGRAMS $<TARGET_FILE:quillet-console> DESTINATION bin RENAME quillet)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/quillet\")
      endif()")
    if(QUILLET_TESTS)
      enable_testing()
      add_test(NAME release_install_prefix
        COMMAND ${PROJECT_SOURCE_DIR}/tools/check-installed.sh --prefix ${PROJECT_BINARY_DIR})
      set_tests_properties(release_install_prefix PROPERTIES LABELS "tui;real-cvs" TIMEOUT 300)
    endif()
  endif()
  foreach(_page quillet.1 quillet-tkdiff.1)
    quillet_ship_text(${_page} ${QUILLET_SHIP_OUT}/${_page} UNIX UTF-8)
    quillet_gzip(${QUILLET_SHIP_OUT}/${_page})
    install(FILES ${QUILLET_SHIP_OUT}/${_page}.gz DESTINATION share/man/man1)
  endforeach()
  # The changelog's newest entry should be this version's: a release adds
  # it when it raises the version (tools/check-installed.sh holds CI to it).
  file(STRINGS ${QUILLET_SHIP}/changelog _newest LIMIT_COUNT 1)
  if(NOT _newest MATCHES "^quillet \\(${PROJECT_VERSION}\\)")
    message(WARNING "ship/changelog has no entry for version ${PROJECT_VERSION} at its top")
  endif()
  configure_file(${QUILLET_SHIP}/changelog ${QUILLET_SHIP_OUT}/changelog COPYONLY)
  quillet_gzip(${QUILLET_SHIP_OUT}/changelog)
  install(FILES ${QUILLET_SHIP}/copyright ${QUILLET_SHIP_OUT}/changelog.gz
    DESTINATION share/doc/quillet)
  # What lintian reports on purpose, each with its reason.
  install(FILES ${QUILLET_SHIP}/lintian-overrides DESTINATION share/lintian/overrides
    RENAME quillet)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_NAME quillet)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION vcs)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The libraries it links (libc, libstdc++, ncurses) come from
  # dpkg-shlibdeps; cvs does all the work with the repository; TkDiff, for
  # the visual diff, comes with tkcvs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS cvs)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS tkcvs)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillet shows a CVS working copy in a two-panel console file manager: a
panel with the CVS state of every file (status letter, revisions, sticky
tags), and the cvs commands update, commit, checkout, export, log, stat,
diff (text, or visual in TkDiff), add and remove, each with its dialog.
All repository work is done by the cvs client.
.
The same module is a plug-in for FAR Manager 1.70 on Windows; this
package holds its Linux build and the console host that loads it.")
endif()
include(CPack)
