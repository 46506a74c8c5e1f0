# The program's catalogues: translations/vexaconv_<lang>.ts, one per language, and
# translations/vexaconv.ts, the template a new language starts from (copy it to
# vexaconv_<lang>.ts and rebuild: the language is picked up from the file name).
#   cmake --build <dir> --target vexa_lupdate   refreshes every catalogue from the sources
# The normal build turns each catalogue into bin/translations/vexaconv_<lang>.qm, where a
# build tree or portable copy finds it beside the executable; installing puts it under
# share/vexaconv/translations.
include(GNUInstallDirs)
find_program(VEXA_LUPDATE lupdate HINTS /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(VEXA_LUPDATE lupdate)
find_program(VEXA_LRELEASE lrelease HINTS /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(VEXA_LRELEASE lrelease REQUIRED)

set(VEXA_TS_DIR ${PROJECT_SOURCE_DIR}/translations)
file(GLOB VEXA_TS_FILES CONFIGURE_DEPENDS ${VEXA_TS_DIR}/vexaconv_*.ts)
set(VEXA_TRANSLATIONS)
set(_qm_files)
foreach(_ts IN LISTS VEXA_TS_FILES)
  get_filename_component(_name ${_ts} NAME_WE)
  string(REPLACE "vexaconv_" "" _lang ${_name})
  list(APPEND VEXA_TRANSLATIONS ${_lang})
  set(_qm ${PROJECT_BINARY_DIR}/bin/translations/${_name}.qm)
  add_custom_command(OUTPUT ${_qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bin/translations
    COMMAND ${VEXA_LRELEASE} -silent ${_ts} -qm ${_qm}
    DEPENDS ${_ts}
    COMMENT "Compiling the ${_lang} catalogue" VERBATIM)
  list(APPEND _qm_files ${_qm})
endforeach()
add_custom_target(vexa_translations ALL DEPENDS ${_qm_files})
install(FILES ${_qm_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/vexaconv/translations)

# Sources only, never the tests: their texts are not the program's. No line numbers in the
# catalogues, so that editing a source does not touch them.
if(VEXA_LUPDATE)
  add_custom_target(vexa_lupdate
    COMMAND ${VEXA_LUPDATE} -silent -locations none -no-obsolete -I ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src
            -ts ${VEXA_TS_FILES} ${VEXA_TS_DIR}/vexaconv.ts
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Refreshing the catalogues from the sources" VERBATIM)
endif()
