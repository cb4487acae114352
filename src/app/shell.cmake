# The shell pieces of the main window: preferences, help, the transfer reminder.
# Included from src/app/CMakeLists.txt.
target_sources(quorix_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/PlacementText.h ${CMAKE_CURRENT_LIST_DIR}/PlacementText.cpp
)
target_sources(quorix_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Preferences.h ${CMAKE_CURRENT_LIST_DIR}/Preferences.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RaiseWindow.h ${CMAKE_CURRENT_LIST_DIR}/RaiseWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.h ${CMAKE_CURRENT_LIST_DIR}/HelpWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReminderDialog.h ${CMAKE_CURRENT_LIST_DIR}/ReminderDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/quorix_help.qrc
)
