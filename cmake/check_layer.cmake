# SPDX-License-Identifier: MIT
# Fails when a file of DIR includes a header matching FORBIDDEN (a regular expression of the
# include paths of the layers above it), else touches STAMP. The tree has one include path, so
# without this an upward include that uses no symbol of the layer above would still build.
file(GLOB files "${DIR}/*.h" "${DIR}/*.cpp")
set(upward "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${FORBIDDEN})")
  foreach(line IN LISTS includes)
    string(APPEND upward "\n  ${file}: ${line}")
  endforeach()
endforeach()
if(upward)
  message(FATAL_ERROR "Includes that point up out of their layer:${upward}")
endif()
file(TOUCH "${STAMP}")
