# SPDX-License-Identifier: MIT
# gzip -9 of IN into OUT, without the file's name and time: the same content gives the same bytes.
execute_process(COMMAND ${GZIP} -9 -n -c ${IN} OUTPUT_FILE ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${IN}")
endif()
