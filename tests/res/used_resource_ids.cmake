# Writes OUT: one row per resource id that the window layers' code names (strings, dialogs,
# pictures, menus: IDS_, AFX_IDS_, IDD_, IDB_, IDI_, IDR_), for a test that checks each one is in
# the compiled resources. A name missing from the resource header gets the id -1.
#   cmake -DSOURCE_DIR=<the project> -DOUT=<file> -P used_resource_ids.cmake
set(names "")
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/framework/*.cpp ${SOURCE_DIR}/framework/*.h
  ${SOURCE_DIR}/widgets/*.cpp ${SOURCE_DIR}/widgets/*.h
  ${SOURCE_DIR}/icons/*.cpp ${SOURCE_DIR}/icons/*.h
  ${SOURCE_DIR}/browse/*.cpp ${SOURCE_DIR}/browse/*.h
  ${SOURCE_DIR}/search/*.cpp ${SOURCE_DIR}/search/*.h
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h)
foreach(file IN LISTS sources)
  file(STRINGS ${file} lines REGEX "ID[SDBIR]_[A-Z0-9_]+")
  foreach(line IN LISTS lines)
    string(REGEX MATCHALL "[A-Za-z0-9_]*ID[SDBIR]_[A-Z0-9_]+" tokens "${line}")
    foreach(token IN LISTS tokens)
      if(token MATCHES "^(AFX_)?ID[SDBIR]_[A-Z0-9_]+$" AND NOT token MATCHES "^AFX_ID[DBIR]_")
        list(APPEND names ${token})
      endif()
    endforeach()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
set(rows "// Generated from the sources by tests/res/used_resource_ids.cmake.\n")
foreach(name IN LISTS names)
  string(APPEND rows "#ifdef ${name}\n{\"${name}\", ${name}},\n#else\n{\"${name}\", -1},\n#endif\n")
endforeach()
# Rewritten only when the ids change, so that the test is compiled again only then.
file(CONFIGURE OUTPUT ${OUT} CONTENT "${rows}")
