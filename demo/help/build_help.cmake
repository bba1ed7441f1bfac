# Compiles the help file: run as a script at build time (cmake -P) with
#   SOURCE_DIR  the help sources          ICON_DIR   the program's icons
#   ICONS       icon names to copy, separated by commas
#   STAGE_DIR   scratch folder for chmcmd
#   CHMCMD      the CHM compiler          ICONV      the character set converter
#   STAMP_TOOL  clears compile times      OUTPUT     the .chm to make
# The pages are UTF-8 and say so; the project, contents and index files are read by HTML Help
# in the code page of the help file's language (Russian: windows-1251), so they are converted.
# chmcmd's chatter is kept back; any warning (a link to a missing file, say) fails the build.

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}/icons")
file(GLOB pages "${SOURCE_DIR}/*.htm")
file(COPY ${pages} "${SOURCE_DIR}/style.css" "${SOURCE_DIR}/images" DESTINATION "${STAGE_DIR}")
string(REPLACE "," ";" icons "${ICONS}")
foreach(icon IN LISTS icons)
  file(COPY "${ICON_DIR}/${icon}.svg" DESTINATION "${STAGE_DIR}/icons")
endforeach()
foreach(project_file Catalog.hhp Catalog.hhc Catalog.hhk)
  execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t CP1251 "${SOURCE_DIR}/${project_file}"
    OUTPUT_FILE "${STAGE_DIR}/${project_file}"
    ERROR_VARIABLE iconv_error
    RESULT_VARIABLE iconv_result)
  if(NOT iconv_result EQUAL 0)
    message(FATAL_ERROR "${project_file} cannot be converted to windows-1251: ${iconv_error}")
  endif()
endforeach()

execute_process(
  COMMAND "${CHMCMD}" Catalog.hhp
  WORKING_DIRECTORY "${STAGE_DIR}"
  OUTPUT_VARIABLE chmcmd_output
  ERROR_VARIABLE chmcmd_output
  RESULT_VARIABLE chmcmd_result)
if(NOT chmcmd_result EQUAL 0 OR chmcmd_output MATCHES "(Warning|Error|rror:)" OR NOT EXISTS "${STAGE_DIR}/Catalog.chm")
  message(FATAL_ERROR "chmcmd failed (${chmcmd_result}):\n${chmcmd_output}")
endif()

execute_process(
  COMMAND "${STAMP_TOOL}" "${STAGE_DIR}/Catalog.chm"
  ERROR_VARIABLE stamp_error
  RESULT_VARIABLE stamp_result)
if(NOT stamp_result EQUAL 0)
  message(FATAL_ERROR "Catalog.chm: compile times not cleared: ${stamp_error}")
endif()

file(COPY_FILE "${STAGE_DIR}/Catalog.chm" "${OUTPUT}")
