# Installation and packages.
#
# The program is one self-contained folder: both executables with res/,
# help/, Projects/, the icon and the desktop entry beside them. The program
# finds that folder from its own executable, so it can live anywhere. On
# Linux the folder is <prefix>/lib/lamina, with links in <prefix>/bin and the
# desktop entry and icon where desktop menus look for them.

if(WIN32)
  set(LAMINA_PROGRAM_DIR ".")
else()
  set(LAMINA_PROGRAM_DIR "lib/lamina")
endif()

install(TARGETS lamina-cli RUNTIME DESTINATION ${LAMINA_PROGRAM_DIR})

if(TARGET lamina)
  install(TARGETS lamina RUNTIME DESTINATION ${LAMINA_PROGRAM_DIR})
  install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/res ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help
          DESTINATION ${LAMINA_PROGRAM_DIR})
  # An empty folder: the save dialog's starting point.
  install(DIRECTORY DESTINATION ${LAMINA_PROGRAM_DIR}/Projects)
  install(FILES ${CMAKE_BINARY_DIR}/pictures/icon/lamina.png DESTINATION ${LAMINA_PROGRAM_DIR})

  if(UNIX AND NOT APPLE)
    set(LAMINA_DESKTOP_EXEC lamina)
    set(LAMINA_DESKTOP_ICON lamina)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/lamina.desktop.in
                   ${CMAKE_BINARY_DIR}/packaging/lamina.desktop @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/lamina.desktop DESTINATION ${LAMINA_PROGRAM_DIR})
    install(FILES ${CMAKE_BINARY_DIR}/packaging/lamina.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_BINARY_DIR}/pictures/icon/lamina.png
            DESTINATION share/icons/hicolor/48x48/apps)
  endif()
endif()

# Lamina is GPL-3.0-or-later (it links the GPL DXF library): the licence
# travels with every install, in Debian's place for it on Linux.
if(UNIX AND NOT APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/lamina)
else()
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${LAMINA_PROGRAM_DIR})
endif()

if(UNIX AND NOT APPLE)
  # Relative links, so the tree works under any prefix or scratch root.
  foreach(program lamina lamina-cli)
    if(TARGET ${program})
      install(CODE "
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(CREATE_LINK \"../${LAMINA_PROGRAM_DIR}/${program}\"
             \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)")
    endif()
  endforeach()
endif()

if(WIN32 AND TARGET lamina)
  # The Qt libraries, plugins and the JPEG reader go beside lamina.exe, so
  # the zipped folder runs on a machine without Qt.
  get_target_property(qmake_location Qt6::qmake IMPORTED_LOCATION)
  get_filename_component(qt_bin "${qmake_location}" DIRECTORY)
  find_program(WINDEPLOYQT windeployqt HINTS "${qt_bin}" REQUIRED)
  install(CODE "
    execute_process(COMMAND \"${WINDEPLOYQT}\" --release --no-translations --no-system-d3d-compiler
                            \"\${CMAKE_INSTALL_PREFIX}/lamina.exe\" \"\${CMAKE_INSTALL_PREFIX}/lamina-cli.exe\"
                    COMMAND_ERROR_IS_FATAL ANY)")
endif()

set(CPACK_PACKAGE_NAME lamina)
set(CPACK_PACKAGE_VENDOR "The Lamina authors")
set(CPACK_PACKAGE_CONTACT "Lamina authors <lamina@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Writes the FLUX2D command script of an induction motor lamination")
set(CPACK_PACKAGE_DESCRIPTION
    "Lamina turns the stator and rotor lamination of a three-phase squirrel-cage
induction motor into a Python command script that builds one periodic sector
of the 2-D finite-element model in FLUX2D, and computes the rotor end-ring
leakage inductance and resistance. Chinese interface.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Qt's libraries (with the platform and JPEG plugins) come from
# dpkg-shlibdeps; the CJK fonts and Qt's Chinese translation are only
# looked up at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_GENERATOR DEB)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
endif()
include(CPack)
