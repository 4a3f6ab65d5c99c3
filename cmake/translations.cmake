# SPDX-License-Identifier: MIT
include_guard(GLOBAL)

# What lupdate reads for a program's translations, kept for the test translations_complete (see
# tests/CMakeLists.txt), which reads the same sources with the same options: one line a program,
# its name, its options and its source files or folders, each field's items joined by "|".
function(scrawlbox_note_translation_sources program options sources)
  list(JOIN options "|" options)
  list(JOIN sources "|" sources)
  set_property(GLOBAL APPEND_STRING PROPERTY SCRAWLBOX_TRANSLATION_SOURCES
               "${program}\t${options}\t${sources}\n")
endfunction()

# scrawlbox_add_translations(TARGET PROGRAM [SOURCES files...]): the windows' texts in other
# languages, translations/PROGRAM_{de,fr,es}.ts, compiled into TARGET as :/i18n/PROGRAM_*.qm.
# lupdate fills them from the target's sources (or those given):
# `cmake --build build --target update_translations`. English is the sources' own text; its file,
# PROGRAM_en.ts, when the program has one, holds only the forms of counted texts ("1 word",
# "2 words"), which lupdate -pluralonly keeps there.
function(scrawlbox_add_translations target program)
  cmake_parse_arguments(arg "" "" "SOURCES" ${ARGN})
  if(NOT arg_SOURCES)
    get_target_property(arg_SOURCES ${target} SOURCES)
  endif()
  set(ts_files)
  foreach(language de fr es)
    list(APPEND ts_files ${CMAKE_SOURCE_DIR}/translations/${program}_${language}.ts)
  endforeach()
  qt_add_translations(${target} TS_FILES ${ts_files} SOURCES ${arg_SOURCES}
    INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR} RESOURCE_PREFIX /i18n LUPDATE_OPTIONS -locations none)
  set(sources)
  foreach(source ${arg_SOURCES})
    get_filename_component(source ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    if(source MATCHES "\\.(cpp|h)$" AND EXISTS ${source})
      list(APPEND sources ${source})
    endif()
  endforeach()
  scrawlbox_note_translation_sources(${program} "" "${sources}")
  set(plurals ${CMAKE_SOURCE_DIR}/translations/${program}_en.ts)
  if(NOT EXISTS ${plurals})
    return()
  endif()
  # qt_add_translations runs lupdate and lrelease with one set of options for all its files, and
  # makes its targets once per target: the English file has its own.
  qt_add_lupdate(${target}_plurals TS_FILES ${plurals} SOURCES ${arg_SOURCES}
    INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR} OPTIONS -locations none -pluralonly)
  set(plurals_qm ${CMAKE_CURRENT_BINARY_DIR}/${program}_en.qm)
  add_custom_command(OUTPUT ${plurals_qm}
    COMMAND Qt6::lrelease -silent ${plurals} -qm ${plurals_qm}
    DEPENDS ${plurals} Qt6::lrelease VERBATIM)
  qt_add_resources(${target} ${target}_plurals PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${plurals_qm})
endfunction()

# The game's texts (translations/game_*.ts): what the clients' core and the rooms word, written
# through Say, SayCounted, RoomText and SB_TEXT, which lupdate reads as Qt's own. The core cannot
# load .qm files (it runs in the browser too); the top CMakeLists.txt compiles these files into
# it as a table instead. `cmake --build build --target update_game_translations` fills them.
function(scrawlbox_add_game_translations_target)
  set(sources client/room web/core protocol directory server/admin server/game
              server/connections server/host)
  list(TRANSFORM sources PREPEND ${CMAKE_SOURCE_DIR}/)
  set(aliases -tr-function-alias
      QT_TR_NOOP+=Say,QT_TR_NOOP+=RoomText,QT_TR_NOOP+=SB_TEXT,QT_TR_N_NOOP+=SayCounted)
  set(ts_files)
  foreach(language de fr es)
    list(APPEND ts_files ${CMAKE_SOURCE_DIR}/translations/game_${language}.ts)
  endforeach()
  scrawlbox_note_translation_sources(game "${aliases}" "${sources}")
  add_custom_target(update_game_translations
    COMMAND Qt6::lupdate -silent -locations none -no-obsolete -I ${CMAKE_SOURCE_DIR} ${aliases}
            ${sources} -ts ${ts_files}
    COMMAND Qt6::lupdate -silent -locations none -no-obsolete -pluralonly -I ${CMAKE_SOURCE_DIR}
            ${aliases} ${sources}
            -ts ${CMAKE_SOURCE_DIR}/translations/game_en.ts
    VERBATIM)
endfunction()
