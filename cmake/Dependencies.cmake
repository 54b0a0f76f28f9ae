# Third-party dependencies, all from Debian packages (scripts/install-deps).
# Their headers are SYSTEM includes so that their warnings do not fail our
# -Werror build.

find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
add_library(lumarine_dep_rapidjson INTERFACE)
target_include_directories(lumarine_dep_rapidjson SYSTEM INTERFACE ${RAPIDJSON_INCLUDE_DIR})
add_library(dep::rapidjson ALIAS lumarine_dep_rapidjson)
# RapidJSON 1.1's internal stack computes "null + n" on its first push
# (internal/stack.h), which clang's pointer-overflow check stops on. Every
# user of RapidJSON leaves that one check out; the rest of the
# undefined-behaviour sanitizer stays on.
if(LUMARINE_SANITIZE OR LUMARINE_FUZZ)
  target_compile_options(lumarine_dep_rapidjson INTERFACE $<$<CXX_COMPILER_ID:Clang>:-fno-sanitize=pointer-overflow>)
endif()

find_package(CURL REQUIRED)

find_path(TINYXML_INCLUDE_DIR tinyxml.h REQUIRED)
find_library(TINYXML_LIBRARY tinyxml REQUIRED)
add_library(lumarine_dep_tinyxml INTERFACE)
target_include_directories(lumarine_dep_tinyxml SYSTEM INTERFACE ${TINYXML_INCLUDE_DIR})
target_link_libraries(lumarine_dep_tinyxml INTERFACE ${TINYXML_LIBRARY})
target_compile_definitions(lumarine_dep_tinyxml INTERFACE TIXML_USE_STL)
add_library(dep::tinyxml ALIAS lumarine_dep_tinyxml)

pkg_check_modules(MOZJS REQUIRED IMPORTED_TARGET mozjs-102)

if(LUMARINE_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(LUMARINE_BUILD_BENCHMARKS)
  find_package(benchmark QUIET)
endif()
