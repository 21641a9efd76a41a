# skedwise_place_beside_program(TARGET_NAME SOURCE NAME): a target, built by default, that puts
# SOURCE beside the program as NAME without ever replacing a copy the user changed.
function(skedwise_place_beside_program target_name source name)
  set(placed ${CMAKE_CURRENT_BINARY_DIR}/placed/${name})
  add_custom_target(${target_name} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/placed
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DPLACED=${placed}
            -DTARGET=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}
            -P ${PROJECT_SOURCE_DIR}/cmake/place-file.cmake
    DEPENDS ${source}
    VERBATIM)
endfunction()
