# SPDX-License-Identifier: MIT
# Installing the Linux command as a Linux tool is installed (GNUInstallDirs):
#   bin/translit
#   share/translit/profiles/*.pch                       (profiles/CMakeLists.txt)
#   share/locale/ru/LC_MESSAGES/translit.mo             (po/CMakeLists.txt)
#   share/man/man1/translit.1.gz, share/man/ru/man1/translit.1.gz
#   share/bash-completion/completions/translit
#   share/zsh/vendor-completions/_translit
#   share/fish/vendor_completions.d/translit.fish
#   share/doc/translit/copyright
# and the Debian package of all that (CPack): cpack -G DEB in the build
# folder, which ./translit.sh package runs.
include(GNUInstallDirs)

# The man pages, compressed as Debian keeps them.
set(translit_man_pages "translit.1|${CMAKE_INSTALL_MANDIR}/man1"
                       "ru/translit.1|${CMAKE_INSTALL_MANDIR}/ru/man1")
set(translit_man_outputs)
foreach(page_and_folder IN LISTS translit_man_pages)
  string(REPLACE "|" ";" page_and_folder "${page_and_folder}")
  list(GET page_and_folder 0 page)
  list(GET page_and_folder 1 folder)
  set(gz ${PROJECT_BINARY_DIR}/man/${page}.gz)
  get_filename_component(gz_folder ${gz} DIRECTORY)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${gz_folder}
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/man/${page} > ${gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page})
  list(APPEND translit_man_outputs ${gz})
  install(FILES ${gz} DESTINATION ${folder})
endforeach()
add_custom_target(translit_man_pages ALL DEPENDS ${translit_man_outputs})

set(completions ${PROJECT_SOURCE_DIR}/cli/linux/completions)
install(FILES ${completions}/translit.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME translit)
install(FILES ${completions}/_translit DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${completions}/translit.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/translit
        RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME translit)
set(CPACK_PACKAGE_VERSION ${TRANSLIT_VERSION_TEXT})
set(CPACK_PACKAGE_CONTACT "Translit developers <translit@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "rename files by a transliteration profile, Cyrillic into Latin and back")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Renames files by a replacement profile: with the default one, Щукин.txt\nbecomes Shchukin.txt. Never replaces a file, tells why a file keeps its\nname, previews with -n and puts a run back with --undo. Ships the\nprofiles of the common standards (GOST 7.79, ICAO 9303, ALA-LC, BGN/PCGN\nand others). Messages in English and Russian.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
