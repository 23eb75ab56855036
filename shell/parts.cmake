# Find and replace, the tray icon, the about box, help and the explorer
# command: widgets and their logic, apart from the main window.
add_library(tallyrix_shell_parts STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FindReplace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextEditFindTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaskBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtTrayBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReplaceDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExplorerUrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icons/tallyrix.qrc
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.h
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/SearchDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/FindDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/ReplaceDialog.h
)
set_target_properties(tallyrix_shell_parts PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(tallyrix_shell_parts PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tallyrix_shell_parts PUBLIC Qt6::Widgets tallyrix_files)

# The help page goes beside the program, where the help command looks for it.
configure_file(${CMAKE_SOURCE_DIR}/help/Tallyrix.html ${CMAKE_BINARY_DIR}/app/Tallyrix.html COPYONLY)
