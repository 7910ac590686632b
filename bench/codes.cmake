# The result code and the time code; the submission code when the manager is built.
if(TARGET tro_submission_code)
    tro_add_bench(submission SOURCES submission_bench.cpp LIBS tro_submission_code)
endif()
