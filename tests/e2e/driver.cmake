# The Win32 test driver (driver.h), shared by the e2e tests and the benchmarks.
include_guard(GLOBAL)

set(MARQUILL_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

# Win32 test programs: wide-character APIs, no MinGW DLLs needed at run time.
function(marquill_win32_test_target target)
  target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX
    _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  if(MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    get_target_property(gui ${target} WIN32_EXECUTABLE)
    if(gui)
      target_link_options(${target} PRIVATE -municode)
    endif()
  endif()
endfunction()

add_library(marquill_e2e_text STATIC
  ${MARQUILL_E2E_DIR}/wide_text.cpp
  ${MARQUILL_E2E_DIR}/invocation_record.cpp
  ${MARQUILL_E2E_DIR}/../support/json_reader.cpp)
target_include_directories(marquill_e2e_text PUBLIC ${MARQUILL_E2E_DIR} ${MARQUILL_E2E_DIR}/..)
# The test data reader encodes UTF-8 as the program does (model/utf8.h).
target_include_directories(marquill_e2e_text PRIVATE ${MARQUILL_E2E_DIR}/../../src)
marquill_win32_test_target(marquill_e2e_text)

add_library(marquill_e2e_driver STATIC ${MARQUILL_E2E_DIR}/driver.cpp)
target_link_libraries(marquill_e2e_driver PUBLIC marquill_e2e_text user32 ntdll)
marquill_win32_test_target(marquill_e2e_driver)
