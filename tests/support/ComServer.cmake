# Two tiny shared libraries for the tests of RegComServer: one exports the
# registration entries, the other does not.
add_library(test_comserver MODULE ${CMAKE_CURRENT_LIST_DIR}/comserver/ComServer.cpp)
target_compile_definitions(test_comserver PRIVATE RALVINOR_WITH_ENTRIES)
add_library(test_comserver_noentry MODULE ${CMAKE_CURRENT_LIST_DIR}/comserver/ComServer.cpp)

if(TARGET support_tests)
  add_dependencies(support_tests test_comserver test_comserver_noentry)
  target_compile_definitions(support_tests PRIVATE
    RALVINOR_COMSERVER="$<TARGET_FILE:test_comserver>"
    RALVINOR_COMSERVER_NOENTRY="$<TARGET_FILE:test_comserver_noentry>")
endif()
