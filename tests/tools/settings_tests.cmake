# kx48t7-settings run as a process against a temporary store with an installed printer;
# the tests read back what it wrote with the UI plug-in's own store functions.
kx_add_test(settings_tool_tests
  settings_devopts_test.cpp
  settings_errors_test.cpp
  settings_exchange_test.cpp
  settings_json_test.cpp
  settings_preview_test.cpp
  settings_printer_test.cpp
  settings_store_test.cpp
)
target_link_libraries(settings_tool_tests PRIVATE kx_settings_tool)
target_compile_definitions(settings_tool_tests PRIVATE
  KX48T7_SETTINGS_PATH="$<TARGET_FILE:kx48t7-settings>")
add_dependencies(settings_tool_tests kx48t7-settings)
