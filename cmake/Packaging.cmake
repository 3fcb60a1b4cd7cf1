# The packages, made by `cpack` in the build folder from the install rules: on Linux the
# Debian package calendario_<version>_<arch>.deb (`cpack -G DEB`), with /usr as its prefix;
# on Windows calendario-<version>-win64.zip, the program and its licence, and beside it the
# installer calendario-<version>-setup.exe (`cmake --build <folder> --target setup`).
set(CPACK_PACKAGE_NAME calendario)
set(CPACK_PACKAGE_VENDOR "${CALENDARIO_VENDOR}")
set(CPACK_PACKAGE_CONTACT "${CALENDARIO_VENDOR} <calendario@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small month calendar with an Italian face")
# Debian shows the description as it stands, in lines of at most 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "One window that shows a month as a grid of day numbers, Monday first, with the
weekend in red and today marked. Step through months and years from 1500 to
2500, pick a month from a list, click a day to read its full date in the title
bar, and come back to today with one click. Month and weekday names follow the
locale; the window's own texts are Italian.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Every time inside a package is the source's: see SourceDate.cmake.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/SourceDate.cmake)
set(CPACK_CALENDARIO_SOURCE_DIR ${PROJECT_SOURCE_DIR})

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME calendario-${PROJECT_VERSION}-win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)

  # The installer, from a script of its own: CPack's NSIS template always asks for
  # administrator rights, and is not Unicode.
  find_program(MAKENSIS makensis)
  if(MAKENSIS AND CALENDARIO_ICO AND CALENDARIO_RELEASE_EXE)
    set(CALENDARIO_SETUP ${PROJECT_BINARY_DIR}/calendario-${PROJECT_VERSION}-setup.exe)
    configure_file(${PROJECT_SOURCE_DIR}/data/windows/calendario.nsi.in calendario.nsi @ONLY)
    # Signed, the uninstaller as NSIS writes it and the setup once it is made.
    set(sign)
    if(CALENDARIO_SIGN)
      set(sign -DSIGN=${PROJECT_SOURCE_DIR}/tools/sign-windows)
    endif()
    add_custom_command(
      OUTPUT ${CALENDARIO_SETUP}
      COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${sign} ${PROJECT_BINARY_DIR}/calendario.nsi
      DEPENDS ${CALENDARIO_RELEASE_EXE} ${PROJECT_BINARY_DIR}/calendario.nsi ${CALENDARIO_ICO}
              ${PROJECT_SOURCE_DIR}/LICENSE
      COMMENT "Making the installer with NSIS"
      VERBATIM)
    add_custom_target(setup DEPENDS ${CALENDARIO_SETUP})

    # The release's winget manifest, in the folder winget/: everything but the setup's
    # SHA-256 is known here, and that is filled in once the setup is made, and signed.
    set(CALENDARIO_DOWNLOAD_URL "" CACHE STRING
        "The folder a release's files are downloaded from, for winget; empty: the project's release of this version")
    set(url ${CALENDARIO_DOWNLOAD_URL})
    if(NOT url)
      set(url ${CALENDARIO_HOMEPAGE}/releases/download/v${PROJECT_VERSION})
    endif()
    set(CALENDARIO_SETUP_URL ${url}/calendario-${PROJECT_VERSION}-setup.exe)
    # The last commit's date, as SOURCE_DATE_EPOCH gives it.
    string(TIMESTAMP CALENDARIO_RELEASE_DATE "%Y-%m-%d" UTC)
    set(CALENDARIO_SETUP_SHA256 "@CALENDARIO_SETUP_SHA256@")
    set(winget_parts)
    foreach(part IN ITEMS version installer locale.en-US locale.it-IT)
      set(name ${CALENDARIO_APP_ID}.${part}.yaml)
      if(part STREQUAL "version")
        set(name ${CALENDARIO_APP_ID}.yaml)
      endif()
      configure_file(${PROJECT_SOURCE_DIR}/data/windows/winget/${part}.yaml.in winget-parts/${name} @ONLY)
      list(APPEND winget_parts ${PROJECT_BINARY_DIR}/winget/${name})
    endforeach()
    add_custom_command(
      OUTPUT ${winget_parts}
      COMMAND ${CMAKE_COMMAND} -DSETUP=${CALENDARIO_SETUP} -DPARTS=${PROJECT_BINARY_DIR}/winget-parts
              -DOUT=${PROJECT_BINARY_DIR}/winget -P ${PROJECT_SOURCE_DIR}/cmake/WingetManifest.cmake
      DEPENDS ${CALENDARIO_SETUP} ${PROJECT_SOURCE_DIR}/cmake/WingetManifest.cmake
      COMMENT "Writing the winget manifest"
      VERBATIM)
    add_custom_target(winget DEPENDS ${winget_parts})
  endif()
  return()
endif()

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the program needs, and so its Depends, come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time, out of dpkg-shlibdeps' sight: Qt's platform plugins,
# without which no window opens (Qt's own libqt6gui6 recommends them too), and Liberation
# Sans, the face the window is laid out for. apt installs recommended packages by default.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, fonts-liberation2")

include(CPack)
