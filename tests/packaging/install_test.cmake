# Installs the build into a temporary root (DESTDIR) and checks the installed programs and desktop
# files: velmrqx-cli reads the example house as the built one does, velmrqx starts, the desktop entry,
# the MIME type and the icons name one another.
#   cmake -DBUILD_DIR=… -DSOURCE_DIR=… -DWORK=… -DBUILT_CLI=… -P install_test.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK} ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
set(root "${WORK}/usr")

function(expect_file path)
  if(NOT EXISTS "${root}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endfunction()

# The installed companion reads the example house exactly as the built one does.
set(example "${SOURCE_DIR}/examples/two_storey_house.RQX")
execute_process(COMMAND "${root}/bin/velmrqx-cli" info "${example}" RESULT_VARIABLE rc OUTPUT_VARIABLE installed)
execute_process(COMMAND "${BUILT_CLI}" info "${example}" OUTPUT_VARIABLE built)
if(NOT rc EQUAL 0 OR NOT installed STREQUAL built OR NOT installed MATCHES "^building: ")
  message(FATAL_ERROR "installed velmrqx-cli info gave (${rc}):\n${installed}\nthe built one:\n${built}")
endif()

# The installed desktop program starts (and ends at once with its version).
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${root}/bin/velmrqx" --version
                RESULT_VARIABLE rc OUTPUT_VARIABLE version TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT version MATCHES "^VELM-RQX [0-9]+\\.[0-9]+\\.[0-9]+")
  message(FATAL_ERROR "installed velmrqx --version gave (${rc}): ${version}")
endif()

# Desktop entry → MIME type → globs and icons.
expect_file(share/applications/velmrqx.desktop)
file(READ "${root}/share/applications/velmrqx.desktop" desktop)
string(REGEX MATCH "\nMimeType=([^;\n]+);" _ "${desktop}")
set(mime "${CMAKE_MATCH_1}")
string(REGEX MATCH "\nIcon=([^\n]+)" _ "${desktop}")
set(app_icon "${CMAKE_MATCH_1}")
if(NOT desktop MATCHES "\nExec=velmrqx %f\n" OR mime STREQUAL "" OR app_icon STREQUAL "")
  message(FATAL_ERROR "desktop entry without Exec with a file, MimeType or Icon:\n${desktop}")
endif()
expect_file(share/icons/hicolor/256x256/apps/${app_icon}.png)
file(GLOB mime_files "${root}/share/mime/packages/*.xml")
file(READ "${mime_files}" xml)
string(REPLACE "/" "-" mime_icon "${mime}")
foreach(needle "type=\"${mime}\"" "pattern=\"*.RQX\"" "pattern=\"*.rqx\"" "icon name=\"${mime_icon}\"")
  string(FIND "${xml}" "${needle}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "MIME package without ${needle}:\n${xml}")
  endif()
endforeach()
expect_file(share/icons/hicolor/256x256/mimetypes/${mime_icon}.png)
if(EXISTS "${SOURCE_DIR}/resources/help")
  expect_file(share/velmrqx/help)
endif()
file(REMOVE_RECURSE "${WORK}")
