# The program's pictures are drawn from their SVGs at build time, by one tool: the installed icon as
# PNG files, the menus' pictures and the window icon as bare pixels for the program itself.
add_executable(edoklad_render_icon ${PROJECT_SOURCE_DIR}/dist/linux/render_icon.cpp)
target_link_libraries(edoklad_render_icon PRIVATE Qt6::Gui Qt6::Svg)

# edoklad_draw_picture(OUTPUTS SVG DIR NAME FORMAT SIZE...): a rule that draws SVG at each size into
# DIR/<size>x<size>/apps/NAME.FORMAT, FORMAT png or argb (bare pixels); the files go into OUTPUTS.
function(edoklad_draw_picture outputs svg dir name format)
  set(files)
  foreach(size ${ARGN})
    list(APPEND files ${dir}/${size}x${size}/apps/${name}.${format})
  endforeach()
  set(raw)
  if(format STREQUAL "argb")
    set(raw --raw)
  endif()
  add_custom_command(
    OUTPUT ${files}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:edoklad_render_icon> ${raw} ${svg} ${dir} ${name} ${ARGN}
    DEPENDS edoklad_render_icon ${svg}
    COMMENT "Drawing the picture ${name} (${format})")
  set(${outputs} ${files} PARENT_SCOPE)
endfunction()
