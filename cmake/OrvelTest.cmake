# orvel_add_test(NAME SOURCES a.cpp b.cpp LIBS orvel_x ... [LABELS l])
# Builds one QtTest executable and registers it with CTest. Widget tests run
# on the offscreen platform; database tests read the server from the
# environment printed by scripts/testdb.sh.
function(orvel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  # Outside CI a test whose sources are still being written is skipped with a warning,
  # so one unfinished test does not stop everyone else's build; CI requires them all.
  foreach(src ${T_SOURCES})
    if(NOT IS_ABSOLUTE ${src})
      set(src ${CMAKE_CURRENT_SOURCE_DIR}/${src})
    endif()
    if(NOT EXISTS ${src})
      if(DEFINED ENV{CI})
        message(FATAL_ERROR "${name}: missing source ${src}")
      endif()
      message(WARNING "${name}: skipped, missing source ${src}")
      return()
    endif()
  endforeach()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 600)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
