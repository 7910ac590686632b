# vertun_frames measures the drawn turns against the clock; it needs a display (run it under
# Xvfb).
if(TARGET vertun_ui AND TARGET tro_frame_testing)
    add_executable(vertun_frames vertun_frames.cpp)
    target_link_libraries(vertun_frames PRIVATE vertun_ui tro_frame_testing)
    tro_warnings(vertun_frames)
endif()
