# The headless libraries (usable by velmrqx-cli and the tests without a display) must not reach Qt
# Widgets, PrintSupport or any window library through their links: checked at configure time.
function(velm_links_of target out)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue t)
    if(NOT TARGET ${t} OR t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${t})
    get_target_property(aliased ${t} ALIASED_TARGET)
    if(aliased)
      list(APPEND queue ${aliased})
    endif()
    get_target_property(type ${t} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${t} LINK_LIBRARIES)
      if(links)
        list(APPEND queue ${links})
      endif()
    endif()
    get_target_property(ilinks ${t} INTERFACE_LINK_LIBRARIES)
    if(ilinks)
      list(APPEND queue ${ilinks})
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

foreach(lib velm_common velm_model velm_calc velm_document velm_print velm_dxf velm_editor
            velm_report)
  if(NOT TARGET ${lib})
    continue()
  endif()
  velm_links_of(${lib} reached)
  foreach(t ${reached})
    if(t MATCHES "^Qt6::(Widgets|PrintSupport)$" OR t MATCHES "^Qt::(Widgets|PrintSupport)$" OR
       t MATCHES "_ui$" OR t STREQUAL "velm_widgets")
      message(FATAL_ERROR "${lib} is a headless library but links ${t}")
    endif()
  endforeach()
endforeach()

# The house reads bottom to top: the feature windows (calculation, editor, report) sit below the main
# window and reach it only through MainWindowHost, so neither their links nor their includes reach
# shell/ui.
foreach(lib velm_calc_ui velm_editor_ui velm_report_ui velm_widgets)
  if(NOT TARGET ${lib})
    continue()
  endif()
  velm_links_of(${lib} reached)
  if("velm_shell_ui" IN_LIST reached)
    message(FATAL_ERROR "${lib} is a feature window library but links velm_shell_ui")
  endif()
endforeach()
file(GLOB_RECURSE velm_feature_sources
  ${PROJECT_SOURCE_DIR}/src/calc/ui/*.h ${PROJECT_SOURCE_DIR}/src/calc/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/src/editor/ui/*.h ${PROJECT_SOURCE_DIR}/src/editor/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/src/report/ui/*.h ${PROJECT_SOURCE_DIR}/src/report/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/src/widgets/*.h ${PROJECT_SOURCE_DIR}/src/widgets/*.cpp)
foreach(source ${velm_feature_sources})
  file(STRINGS ${source} shell_includes REGEX "^#include \"shell/")
  if(shell_includes)
    message(FATAL_ERROR "${source} includes the main window's folder: ${shell_includes}")
  endif()
endforeach()
