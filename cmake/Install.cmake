# Installation and packages. Three components, one Debian package each:
#   runtime  the shared library (libNorvGPSSimPack.so.<major> and its real file)
#   dev      the public headers, the link-time symlink or static library, CMake package, .pc
#   cli      the norvgpssim program, its man page and its bash completion
include(CMakePackageConfigHelpers)

set(NORV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/NorvGPSSim)

install(TARGETS NorvGPSSimPack EXPORT NorvGPSSimTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Only include/norv is public; the headers of src/norv stay inside the library.
install(DIRECTORY include/norv DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h")
install(EXPORT NorvGPSSimTargets NAMESPACE NorvGPSSim:: DESTINATION ${NORV_CMAKE_DIR}
  FILE NorvGPSSimTargets.cmake COMPONENT dev)
configure_package_config_file(cmake/NorvGPSSimConfig.cmake.in
  ${CMAKE_BINARY_DIR}/NorvGPSSimConfig.cmake INSTALL_DESTINATION ${NORV_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/NorvGPSSimConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/NorvGPSSimConfig.cmake
              ${CMAKE_BINARY_DIR}/NorvGPSSimConfigVersion.cmake
  DESTINATION ${NORV_CMAKE_DIR} COMPONENT dev)

# The .pc file finds its prefix from its own place (${pcfiledir}), so the tree can be installed
# or moved anywhere; a build for /usr (the Debian packages) names /usr itself, so pkg-config
# leaves the system's -I and -L out. A static library also needs what the library links.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(NORV_PC_PREFIX /usr)
else()
  file(RELATIVE_PATH up /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
  string(REGEX REPLACE "/$" "" up "${up}")
  set(NORV_PC_PREFIX "\${pcfiledir}/${up}")
endif()
set(NORV_PC_PRIVATE "")
if(NOT BUILD_SHARED_LIBS)
  set(NORV_PC_PRIVATE "Requires.private: cairo\nLibs.private: -l${CMAKE_DL_LIBS}\n")
endif()
set(NORV_PC_CFLAGS "")
if(NORV_EARLIER_GENERATION)
  set(NORV_PC_CFLAGS " -DNORV_EARLIER_GENERATION=1")
endif()
configure_file(cmake/norvgpssim.pc.in ${CMAKE_BINARY_DIR}/norvgpssim.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/norvgpssim.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT dev)

set(CPACK_PACKAGE_NAME norvgpssim)
set(CPACK_PACKAGE_VENDOR "Norv Soft")
set(CPACK_PACKAGE_CONTACT "NorvGPSSim maintainers <norvgpssim@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GPS receiver simulator emitting NMEA 0183 sentences")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_COMPONENTS_ALL runtime dev cli)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libnorvgpssimpack${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "GPS receiver simulator library (NMEA 0183) - runtime")
# A shlibs file for packages built against it, and ldconfig run by a trigger after install and
# removal: no maintainer scripts, so apt-get remove leaves nothing of the package behind.
configure_file(cmake/deb/shlibs.in ${CMAKE_BINARY_DIR}/deb/shlibs @ONLY)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
    ${CMAKE_BINARY_DIR}/deb/shlibs ${CMAKE_SOURCE_DIR}/cmake/deb/triggers)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libnorvgpssimpack-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "GPS receiver simulator library (NMEA 0183) - development files")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS
    "libnorvgpssimpack${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_CLI_PACKAGE_NAME norvgpssim)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_CLI_DESCRIPTION "GPS receiver simulator: NMEA 0183 onto a serial line, pty, TCP or stdout")
include(CPack)
