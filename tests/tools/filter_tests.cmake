# The print filter: its option reading, the filter run as CUPS runs filters against the
# render tool, and a real cupsd printing through it.
add_library(kx_filter_test_support STATIC filter_fixture.cpp filter_process.cpp)
target_link_libraries(kx_filter_test_support PUBLIC kx_test_support kx_joboption_pages
                      kx_watermark_pages GTest::gtest)
target_compile_definitions(kx_filter_test_support PUBLIC
  KX48T7_FILTER_PATH="$<TARGET_FILE:kx48t7-filter>")

kx_add_test(filter_options_tests filter_options_test.cpp)
target_link_libraries(filter_options_tests PRIVATE kx_filter_job)

kx_add_test(filter_tool_tests filter_tool_test.cpp)
target_link_libraries(filter_tool_tests PRIVATE kx_filter_test_support)
add_dependencies(filter_tool_tests kx48t7-filter kx48t7-render KX48T7PS)

# The render tool's store options use the same printer.
target_link_libraries(render_tool_tests PRIVATE kx_filter_test_support)

kx_add_test(filter_cupsd_tests filter_cupsd_test.cpp)
target_link_libraries(filter_cupsd_tests PRIVATE kx_filter_test_support kx_filter_job)
add_dependencies(filter_cupsd_tests kx48t7-filter kx48t7-render KX48T7PS)
