# The weather report parser is compared with its frozen former self, kept
# under fuzz/reference/, on every packet the project holds.
target_sources(tst_parser_equivalence PRIVATE
  ${PROJECT_SOURCE_DIR}/fuzz/reference/wx_report.h
  ${PROJECT_SOURCE_DIR}/fuzz/reference/wx_report.cpp
  ${PROJECT_SOURCE_DIR}/fuzz/reference/text_primitives.h
  ${PROJECT_SOURCE_DIR}/fuzz/reference/text_primitives.cpp
  ${PROJECT_SOURCE_DIR}/fuzz/reference/report_difference.h)
target_include_directories(tst_parser_equivalence PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
target_compile_definitions(tst_parser_equivalence PRIVATE
  ANEMORA_DEMO_FEED="${PROJECT_SOURCE_DIR}/resources/demo/feed.txt")
# The engineers' shared fixtures, where this machine has them.
set(ANEMORA_SHARED_FIXTURES_DIR /work/shared/fixtures CACHE PATH
  "Folder of shared packet fixtures the parser equivalence test also reads")
if(IS_DIRECTORY ${ANEMORA_SHARED_FIXTURES_DIR})
  target_compile_definitions(tst_parser_equivalence PRIVATE
    ANEMORA_SHARED_FIXTURES_DIR="${ANEMORA_SHARED_FIXTURES_DIR}")
endif()
