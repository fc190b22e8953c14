# Fails on an #include that climbs the house: a core folder includes only
# itself and the folders below it, and nothing of src/qt.
# Run: cmake -DSRC=<src folder> -P layers.cmake
set(layers common nmea df team display terminal dde serial log app qt)

# The includes that still climb, each with its reason.
set(allowed
  # Routines of the subsystems still take the whole program object; they
  # include it for its type and reach nothing else of app/ (see ARCHITECTURE.md).
  "app/app.h"
)

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  list(FIND layers "${folder}" from)
  if(from EQUAL -1)
    string(APPEND faults "  ${source}: in no layer\n")
    continue()
  endif()
  file(STRINGS "${SRC}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" target "${header}")
    list(FIND layers "${target}" to)
    if(to EQUAL -1 OR to LESS_EQUAL from)
      continue()
    endif()
    list(FIND allowed "${header}" exception)
    if(exception EQUAL -1 OR folder STREQUAL "nmea" OR target STREQUAL "qt")
      string(APPEND faults "  ${source} includes ${header} (${folder} is below ${target})\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that climb the layers (${layers}):\n${faults}")
endif()
