# The interface's translations: translations/NAME.ts compiled by lrelease
# (Debian qt6-l10n-tools) into NAME.qm at build time and embedded in a
# target's resources under :/translations.
find_program(HIKEWISE_LRELEASE NAMES lrelease lrelease-qt6 HINTS /usr/lib/qt6/bin REQUIRED)

function(hikewise_translations target)
  set(qm_files)
  foreach(name ${ARGN})
    set(ts ${PROJECT_SOURCE_DIR}/translations/${name}.ts)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/translations/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${HIKEWISE_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts}
      COMMENT "Compiling the translation ${name}"
      VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  qt_add_resources(${target} ${target}_translations
    PREFIX /translations
    BASE ${CMAKE_CURRENT_BINARY_DIR}/translations
    FILES ${qm_files})
endfunction()
