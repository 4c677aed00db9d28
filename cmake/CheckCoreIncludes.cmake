# Fails when a file in the core's folders includes anything but the standard
# library and the core's own headers, or when a folder includes, or names by
# a forward declaration, a folder of its own layer or of a layer above it:
# the core reads top to bottom.
#   cmake -DSOURCE_DIR=src -DLAYERS="platform|common|database|launch,maintenance,help|shell"
#         -P CheckCoreIncludes.cmake
# LAYERS lists the layers from the bottom up, separated by "|"; the folders of
# one layer, separated by ",", may not include each other.
set(allowed_standard
  algorithm array cstddef cstdint exception functional memory optional string string_view
  type_traits utility vector)
string(REPLACE "|" ";" layers "${LAYERS}")
set(folders "")
set(level 0)
foreach(layer IN LISTS layers)
  string(REPLACE "," ";" layer_folders "${layer}")
  foreach(folder IN LISTS layer_folders)
    list(APPEND folders ${folder})
    set(level_of_${folder} ${level})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

# Where each of the core's classes and structs is defined, so that a
# forward declaration ("class X;") counts as a use of X's folder: naming a
# type of a higher folder that way would hide an upward dependency.
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE headers "${SOURCE_DIR}/${folder}/*.h")
  foreach(header IN LISTS headers)
    file(STRINGS "${header}" definitions REGEX "^(class|struct) [A-Za-z_0-9]+( final)?( :[^;]*)? {")
    foreach(line IN LISTS definitions)
      string(REGEX REPLACE "^(class|struct) ([A-Za-z_0-9]+).*" "\\2" type "${line}")
      set(folder_of_type_${type} ${folder})
    endforeach()
  endforeach()
endforeach()

set(bad "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
    file(STRINGS "${file}" declarations REGEX "^(class|struct) [A-Za-z_0-9]+;")
    foreach(line IN LISTS declarations)
      string(REGEX REPLACE "^(class|struct) ([A-Za-z_0-9]+).*" "\\2" type "${line}")
      set(declared_in ${folder_of_type_${type}})
      if(declared_in AND NOT declared_in STREQUAL folder AND
         NOT level_of_${declared_in} LESS level_of_${folder})
        list(APPEND bad "${file}: ${line} (${type} is defined in ${declared_in}/, not below ${folder}/)")
      endif()
    endforeach()
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z_]+)/[a-z_0-9]+\\.h\"")
        set(included ${CMAKE_MATCH_1})
        if(NOT DEFINED level_of_${included})
          list(APPEND bad "${file}: ${line} (not a core folder)")
        elseif(NOT included STREQUAL folder AND
               NOT level_of_${included} LESS level_of_${folder})
          list(APPEND bad "${file}: ${line} (${included}/ is not below ${folder}/)")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<([a-z_]+)>")
        list(FIND allowed_standard "${CMAKE_MATCH_1}" index)
        if(index EQUAL -1)
          list(APPEND bad "${file}: ${line} (not the standard library)")
        endif()
      else()
        list(APPEND bad "${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " message)
  message(FATAL_ERROR "The core's includes break its rules:\n  ${message}")
endif()
