# The watermark preview: its page against kx48t7-render's job, and its pictures read back
# with zlib.
kx_add_test(preview_tests preview_page_test.cpp preview_render_test.cpp preview_png.cpp)
target_link_libraries(preview_tests PRIVATE kx_watermark_preview z)
add_dependencies(preview_tests kx48t7-render KX48T7PS)
