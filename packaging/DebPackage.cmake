# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged tree, before the .deb is made.
# What a Debian package needs beyond what `cmake --install` puts under a prefix: the man
# page gzipped, and the machine-readable copyright file and the Debian changelog in
# share/doc/vexaconv. A plain install keeps its man page as it is.
set(_stage "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE _pages "${_stage}/*/share/man/man1/*.1")
if(NOT _pages)
  message(FATAL_ERROR "no man page under ${_stage}")
endif()

# gzip -n: no name or time stamp in the header, so the package's bytes do not depend on the build.
function(_vexa_gzip input output)
  execute_process(COMMAND gzip -n -9 -c "${input}" OUTPUT_FILE "${output}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${input} failed (${status})")
  endif()
  file(CHMOD "${output}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

file(GLOB_RECURSE _translated_pages "${_stage}/*/share/man/*/man1/*.1")
foreach(_page IN LISTS _pages _translated_pages)
  _vexa_gzip("${_page}" "${_page}.gz")
  file(REMOVE "${_page}")
endforeach()

# share/man/man1/x.1 -> the prefix; the doc folder sits beside man.
list(GET _pages 0 _page)
get_filename_component(_share "${_page}" DIRECTORY)
get_filename_component(_share "${_share}/../.." ABSOLUTE)
set(_doc "${_share}/doc/${CPACK_PACKAGE_NAME}")
file(MAKE_DIRECTORY "${_doc}")

# The changelog's newest entry names the package's own version.
set(_version "${CPACK_PACKAGE_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
file(STRINGS "${CPACK_VEXA_PACKAGING_DIR}/changelog.Debian" _first LIMIT_COUNT 1)
if(NOT _first MATCHES "^${CPACK_PACKAGE_NAME} \\(${_version}\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian: the newest entry must be ${CPACK_PACKAGE_NAME} (${_version}), not: ${_first}")
endif()
_vexa_gzip("${CPACK_VEXA_PACKAGING_DIR}/changelog.Debian" "${_doc}/changelog.Debian.gz")
file(COPY_FILE "${CPACK_VEXA_PACKAGING_DIR}/copyright" "${_doc}/copyright")
file(CHMOD "${_doc}/copyright" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
