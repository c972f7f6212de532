# What an installation holds around the two programs (manual pages, bash
# completion, software-centre metadata, the packages' documents), and the
# Debian packages that CPack makes of it:
#
#   tarvexc  the command-line compiler alone (no Qt, no display): build servers
#   tarvex   the desktop editor, with its menu entry, document type, icons and
#            help; depends on tarvexc
#
# `cmake --build BUILD --target package` leaves both .deb files in BUILD;
# scripts/package builds Release and leaves them in dist/. Every install()
# names its package as its component: the programs' own rules get theirs
# from CMAKE_INSTALL_DEFAULT_COMPONENT_NAME (top CMakeLists.txt).

set(TARVEX_HOMEPAGE_URL "https://tarvex.org" CACHE STRING "Tarvex's web site")
set(TARVEX_SCREENSHOT_URL "${TARVEX_HOMEPAGE_URL}/screenshots/editor.png" CACHE STRING
  "Where docs/screenshot.png is published, for software centres")
set(TARVEX_PACKAGE_MAINTAINER "The Tarvex developers <developers@tarvex.org>" CACHE STRING
  "The packages' maintainer, as Debian writes it")
set(TARVEX_MIME_TYPE text/x-tarvex-policy)  # as the editor registers it
set(TARVEX_METAINFO_ID org.tarvex.Tarvex)

set(packaging_dir ${PROJECT_BINARY_DIR}/packaging)
set(components tarvexc)
if(TARGET tarvex)
  list(APPEND components tarvex)
endif()

# The release date as the packages' changelog writes it, and as the time
# that dated files (the manual pages' footers) show, whenever they are built.
execute_process(COMMAND date -u -R -d "${TARVEX_RELEASE_DATE}"
  OUTPUT_VARIABLE TARVEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u +%s -d "${TARVEX_RELEASE_DATE}"
  OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# Manual pages, from scdoc sources, compressed as Debian ships them.
find_program(SCDOC_EXECUTABLE scdoc)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
if(SCDOC_EXECUTABLE)
  set(man_pages)
  foreach(program IN LISTS components)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${program}.1.scd)
    set(page ${packaging_dir}/man/${program}.1)
    add_custom_command(OUTPUT ${page} ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}/man
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
        sh -c "\"$0\" < \"$1\" > \"$2\"" ${SCDOC_EXECUTABLE} ${source} ${page}
      COMMAND ${GZIP_EXECUTABLE} -9nkf ${page}
      DEPENDS ${source}
      COMMENT "Writing the manual page ${program}(1)"
      VERBATIM)
    list(APPEND man_pages ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${program})
  endforeach()
  add_custom_target(tarvex_man_pages ALL DEPENDS ${man_pages})
else()
  message(WARNING "scdoc not found: no manual pages (Debian: scdoc)")
endif()

# Bash completion, where bash-completion loads it on demand.
foreach(program IN LISTS components)
  install(FILES ${PROJECT_SOURCE_DIR}/data/completion/${program}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT ${program})
endforeach()

# Software-centre metadata of the editor, tied to its desktop entry.
if(TARGET tarvex)
  set(metainfo ${packaging_dir}/${TARVEX_METAINFO_ID}.metainfo.xml)
  configure_file(${PROJECT_SOURCE_DIR}/data/metainfo/${TARVEX_METAINFO_ID}.metainfo.xml.in
    ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT tarvex)
endif()

# Each package's copyright and changelog, as Debian requires.
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${packaging_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${packaging_dir}/changelog.gz
  COMMAND ${GZIP_EXECUTABLE} -9nkf ${packaging_dir}/changelog
  DEPENDS ${packaging_dir}/changelog
  VERBATIM)
add_custom_target(tarvex_changelog ALL DEPENDS ${packaging_dir}/changelog.gz)
foreach(program IN LISTS components)
  install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${packaging_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${program} COMPONENT ${program})
endforeach()

# The Debian packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvex developers")
set(CPACK_PACKAGE_CONTACT "${TARVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Install rules see the real prefix (/usr) and DESTDIR as the staging
# folder: the desktop entries name /usr/bin/tarvex, and the desktop's
# databases are left to dpkg's triggers.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TARVEX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TARVEX_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_TARVEXC_PACKAGE_NAME tarvexc)
set(CPACK_DEBIAN_TARVEXC_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_TARVEXC_DESCRIPTION "command-line compiler of Tarvex policy sources
tarvexc checks Tarvex policy sources (.inf) against a keyword dictionary,
reports the first fault or every fault (as text or JSON) and compiles a
sound source into an enciphered policy.bin; it also turns a policy.bin back
into a source. It serves the policy language to other editors over the
Language Server Protocol.

This package needs no display: it is the one for build servers.")

set(CPACK_DEBIAN_TARVEX_PACKAGE_NAME tarvex)
set(CPACK_DEBIAN_TARVEX_PACKAGE_SECTION editors)
# Found from the binary: Qt, QScintilla and the C++ runtime. Named here:
# what is loaded at run time, not linked (the SVG icon engine), and the
# compiler that the editor's messages point to.
set(CPACK_DEBIAN_TARVEX_PACKAGE_DEPENDS "tarvexc (= ${PROJECT_VERSION}), libqt6svg6")
# The per-user registration that every start writes runs these when present.
set(CPACK_DEBIAN_TARVEX_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, xdg-user-dirs")
set(CPACK_DEBIAN_TARVEX_DESCRIPTION "desktop editor of Tarvex policy sources
tarvex is a desktop editor for Tarvex policy sources (.inf): it keeps every
byte of a source, highlights it and underlines every fault while you type,
completes keywords, and compiles a sound source into an enciphered
policy.bin with one command, selecting the offending text on a fault. Other
programs can hold a policy source as an object in their documents.

The package registers the .inf document type, the menu entry and the icons
with the desktop.")

# `--target package_source`: the sources alone, without build folders.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME tarvex-${PROJECT_VERSION})
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/dist/" "/\\.cache/")

include(CPack)
