# The Windows program folder (`cmake --install`): both programs with the Qt libraries, the plugins
# they load (the Windows platform, the Windows styles), the posix-model
# runtime of mingw-w64, Qt's Japanese texts, the help, the example house and README. scripts/windows.sh
# zips it and builds the installer (installer.nsi) from it.
install(TARGETS velmrqx velmrqx-cli RUNTIME DESTINATION .)
foreach(lib Core Gui Widgets PrintSupport)
  install(FILES $<TARGET_FILE:Qt6::${lib}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION plugins/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION plugins/styles)
# No print-support plugin: Qt 6 prints on Windows from Qt6PrintSupport.dll itself.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}")
    message(FATAL_ERROR "the compiler does not know ${dll}")
  endif()
  install(FILES ${found} DESTINATION .)
endforeach()
# Where Qt looks for its plugins and texts: beside the programs, not in the folder Qt was built for.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/qt.conf DESTINATION .)
set(VELM_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH "Qt's translations (qt6-translations-l10n)")
install(FILES ${VELM_QT_TRANSLATIONS}/qtbase_ja.qm ${VELM_QT_TRANSLATIONS}/qt_ja.qm DESTINATION translations)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION help)
install(FILES ${PROJECT_SOURCE_DIR}/examples/two_storey_house.RQX DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmrqx.ico DESTINATION .)
