# Only db/ talks to the database engine. A file elsewhere that includes the
# engine's header, or db/'s own ways to the engine (SqlUtil, RawAccess),
# fails this check. Allowed besides db/: the tests of db/, the file layer the
# tests put under the engine to inject faults, the fuzz targets and the
# benchmark's floors, which time the bare engine.
#   cmake -DSOURCE_DIR=<source tree> -P eine_tuer.cmake
cmake_minimum_required(VERSION 3.21)

set(ordner app bench charts core extras platform reports rollix tests tools transactions watch)
set(erlaubt tests/support/FehlerVfs.cpp bench/Floors.cpp)
set(muster "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*/)?(sqlite3|SqlUtil|RawAccess)\\.h[>\"]")
set(verstoesse)
foreach(o ${ordner})
  file(GLOB_RECURSE quellen RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${o}/*.cpp ${SOURCE_DIR}/${o}/*.h)
  foreach(q ${quellen})
    if(q MATCHES "^tests/db/" OR q IN_LIST erlaubt)
      continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${q} treffer REGEX "${muster}")
    if(treffer)
      list(APPEND verstoesse "  ${q}: ${treffer}")
    endif()
  endforeach()
endforeach()
if(verstoesse)
  list(JOIN verstoesse "\n" text)
  message(FATAL_ERROR "Outside db/, the database is reached through Database, Statement, "
                      "Recordset and Transaction only:\n${text}")
endif()
