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

# SpiderMonkey 102: its pkg-config file names its include folder with
# "-isystem <folder>". FindPkgConfig's imported target moves that folder to
# the include folders only on the configure that runs pkg-config; a later
# configure, answered from the cache, leaves it among the compile flags, so
# every command that includes SpiderMonkey changed and was rebuilt. The
# target is made here from the cached flags, alike on every configure: a
# folder given with -I or -isystem is a SYSTEM include folder, any other
# flag a compile option.
pkg_check_modules(MOZJS REQUIRED mozjs-102)
set(mozjs_include_dirs "")
set(mozjs_options "")
set(folder_follows FALSE)
foreach(flag IN LISTS MOZJS_CFLAGS)
  if(folder_follows)
    list(APPEND mozjs_include_dirs ${flag})
    set(folder_follows FALSE)
  elseif(flag MATCHES "^-(I|isystem)$")
    set(folder_follows TRUE)
  elseif(flag MATCHES "^-(I|isystem)(.+)$")
    list(APPEND mozjs_include_dirs ${CMAKE_MATCH_2})
  else()
    list(APPEND mozjs_options ${flag})
  endif()
endforeach()
add_library(lumarine_dep_mozjs INTERFACE)
target_include_directories(lumarine_dep_mozjs SYSTEM INTERFACE ${mozjs_include_dirs})
target_compile_options(lumarine_dep_mozjs INTERFACE ${mozjs_options})
target_link_libraries(lumarine_dep_mozjs INTERFACE ${MOZJS_LINK_LIBRARIES} ${MOZJS_LDFLAGS_OTHER})
add_library(dep::mozjs ALIAS lumarine_dep_mozjs)

if(LUMARINE_BUILD_TESTS)
  find_package(GTest REQUIRED)
endif()
if(LUMARINE_BUILD_BENCHMARKS)
  find_package(benchmark QUIET)
endif()
