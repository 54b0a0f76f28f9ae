# What `cmake --install` lays out: a runtime folder with the programs in
# bin/, the two shared libraries in lib/ (each with a SONAME and a version),
# their public headers and the runtime entry's header in include/, a CMake
# package (find_package(Lumarine CONFIG): Lumarine::pelcor,
# Lumarine::drossel) and a pkg-config file per library, and in
# share/lumarine/examples/ what the README's examples use besides the
# headers: libpelcor's sample documents and the UTF-16 helper. Tests,
# benchmarks, demos and the static helper libraries stay in the build tree.
#
# The layout is fixed (bin, lib, include, share/lumarine) so that the
# installed files find one another by relative paths wherever the folder is
# put.

include(CMakePackageConfigHelpers)

set(LUMARINE_PELCOR_INCLUDE ${PROJECT_SOURCE_DIR}/Runtime/projects/cloudapp/Common/ConfigManager/libpelcor/include)
set(LUMARINE_DROSSEL_INCLUDE ${PROJECT_SOURCE_DIR}/Runtime/projects/cloudapp/Common/DownloadService/include)
set(LUMARINE_PACKAGE_DIR lib/cmake/Lumarine)
set(LUMARINE_DATA_INSTALL_DIR share/lumarine)

# The libraries: libpelcor.so -> libpelcor.so.<major> -> libpelcor.so.<version>.
# Callers that dlopen "libpelcor.so" by path or by name get the same file.
foreach(library IN ITEMS pelcor drossel)
  set_target_properties(${library} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endforeach()
target_include_directories(pelcor INTERFACE $<INSTALL_INTERFACE:include>)
target_include_directories(drossel INTERFACE $<INSTALL_INTERFACE:include>)
install(TARGETS pelcor drossel EXPORT LumarineTargets LIBRARY DESTINATION lib)

# Kestrun finds what it may need beside the libraries. The launcher gets no
# run path: it is copied beside each application, and a run path of its own
# would add a folder to its search of the runtime by name (libtqvm.so).
set_target_properties(Kestrun PROPERTIES INSTALL_RPATH "$ORIGIN/../lib")
install(TARGETS Kestrun launcher RUNTIME DESTINATION bin)

install(DIRECTORY ${LUMARINE_PELCOR_INCLUDE}/libpelcor ${LUMARINE_DROSSEL_INCLUDE}/ZorTqCloudAppResBuf
        DESTINATION include)
install(FILES ${PROJECT_SOURCE_DIR}/launcher/include/launcher/runtime_entry.h DESTINATION include/launcher)

# Placed as in the source tree, so that "examples/common/" in the examples
# names the helper in either.
install(FILES ${PROJECT_SOURCE_DIR}/examples/common/utf16_text.h
        DESTINATION ${LUMARINE_DATA_INSTALL_DIR}/examples/common)
install(FILES ${PROJECT_SOURCE_DIR}/examples/libpelcor/sample-app.json
              ${PROJECT_SOURCE_DIR}/examples/libpelcor/sample-deploy-project.json
        DESTINATION ${LUMARINE_DATA_INSTALL_DIR}/examples/libpelcor)

install(EXPORT LumarineTargets NAMESPACE Lumarine:: DESTINATION ${LUMARINE_PACKAGE_DIR})
set(LUMARINE_INCLUDE_INSTALL_DIR include)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/LumarineConfig.cmake.in
  ${CMAKE_BINARY_DIR}/package/LumarineConfig.cmake
  INSTALL_DESTINATION ${LUMARINE_PACKAGE_DIR}
  PATH_VARS LUMARINE_INCLUDE_INSTALL_DIR LUMARINE_DATA_INSTALL_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/LumarineConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/LumarineConfig.cmake ${CMAKE_BINARY_DIR}/package/LumarineConfigVersion.cmake
        DESTINATION ${LUMARINE_PACKAGE_DIR})

# lib<name>.pc, relative to its own folder (lib/pkgconfig).
function(lumarine_install_pkg_config pc_library pc_description)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/library.pc.in ${CMAKE_BINARY_DIR}/package/lib${pc_library}.pc @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/package/lib${pc_library}.pc DESTINATION lib/pkgconfig)
endfunction()
lumarine_install_pkg_config(pelcor "Lumarine cloud-app configuration library (dlopen it, bind CreateCloudConfigManager)")
lumarine_install_pkg_config(drossel "Lumarine download service (dlopen it, bind CreateInstance)")
