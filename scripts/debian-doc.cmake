# The documentation files a Debian package carries in /usr/share/doc/tagomat2:
# copyright (machine-readable, from resources/debian/copyright.in) and the
# changelog, compressed as Debian keeps it. Also the package's maintainer:
# TAGOMAT_MAINTAINER when set, else the project's git identity.

set(TAGOMAT_MAINTAINER "" CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")
if(NOT TAGOMAT_MAINTAINER)
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.name WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE _name OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.email WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE _mail OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(_name AND _mail)
    set(TAGOMAT_MAINTAINER "${_name} <${_mail}>")
  else()
    set(TAGOMAT_MAINTAINER "${TAGOMAT_COMPANY_NAME} <tagomat2@users.noreply.github.com>")
  endif()
endif()

string(TIMESTAMP TAGOMAT_COPYRIGHT_YEAR "%Y" UTC)
set(_doc "${CMAKE_BINARY_DIR}/debian-doc")
file(MAKE_DIRECTORY "${_doc}")
configure_file(${CMAKE_SOURCE_DIR}/resources/debian/copyright.in ${_doc}/copyright @ONLY)
# gzip -n: no name or time stamp, so the same changelog gives the same bytes.
execute_process(COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/resources/debian/changelog
                OUTPUT_FILE ${_doc}/changelog.gz RESULT_VARIABLE _gzip)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog
             ${CMAKE_SOURCE_DIR}/resources/debian/copyright.in)
install(FILES ${_doc}/copyright ${_doc}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tagomat2)
