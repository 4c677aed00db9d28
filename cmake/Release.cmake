# The release of the Windows product: `cmake --build --preset windows
# --target package` makes TessalyKorvane-<version>-win32.zip, holding the
# executable and a SHA256SUMS file for it, and beside it the zip's own
# checksum, TessalyKorvane-<version>-win32.zip.sha256.
#
# Two builds of one commit give the same bytes, whatever folder and day they
# are made in: the executable carries no link time and no build path (the
# toolchain files map them away), and the zip's entries are stored sorted,
# with the time of the commit (SOURCE_DATE_EPOCH, when set, wins).

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(release_platform win64)
else()
  set(release_platform win32)
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(release_epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE git_failed ERROR_QUIET)
  if(git_failed OR NOT release_epoch)
    set(release_epoch 315532800)  # 1980-01-01, the earliest time a zip can hold
  endif()
endif()

# SHA256SUMS lies beside the executable in the build tree and in the zip.
set(release_sums ${CMAKE_BINARY_DIR}/SHA256SUMS)
add_custom_command(
  OUTPUT ${release_sums}
  COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:TessalyKorvane> -DOUTPUT=${release_sums}
          -P ${CMAKE_CURRENT_LIST_DIR}/WriteSha256Sums.cmake
  DEPENDS TessalyKorvane ${CMAKE_CURRENT_LIST_DIR}/WriteSha256Sums.cmake
  VERBATIM)
add_custom_target(release_sums ALL DEPENDS ${release_sums})

install(TARGETS TessalyKorvane RUNTIME DESTINATION .)
install(FILES ${release_sums} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TessalyKorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${release_platform})
set(CPACK_PACKAGE_FILE_NAME TessalyKorvane-${PROJECT_VERSION}-${release_platform})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# CPack's zip carries the staged files' times; it is written anew, sorted and
# with the commit's time, before its checksum is taken.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/ReproducibleZip.cmake)
set(CPACK_KORVANE_RELEASE_EPOCH ${release_epoch})
include(CPack)
