# Run by CPack after it has made the zip (CPACK_POST_BUILD_SCRIPTS): the zip
# is written anew with its entries sorted, the commit's time on each, and no
# access or change times, which CPack's own writer takes from the staged
# files and which differ from build to build.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(
    COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/reproducible_zip.py ${package}
            ${CPACK_KORVANE_RELEASE_EPOCH}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not rewrite ${package} reproducibly")
  endif()
endforeach()
