# Fails unless the library's dynamic symbol table defines exactly the 18
# exported functions.
set(expected
  KOVA_Cancel KOVA_GetNbOfLines KOVA_GetNumberOfCommandsInQueue KOVA_GetState KOVA_Receive
  KOVA_SetDelimiter KOVA_SetKey KOVA_SetKeyReceive KOVA_SetKeySend KOVA_SetServer KOVA_Update
  KOVA__GetResult KOVA__Send KOVA__SetDelimiter KOVA__SetKey KOVA__SetKeyReceive KOVA__SetKeySend
  KOVA__SetServer)
execute_process(COMMAND nm -D --defined-only --format=posix ${LIBRARY}
  OUTPUT_VARIABLE table RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" rows "${table}")
set(found "")
foreach(row ${rows})
  string(REGEX REPLACE " .*" "" name "${row}")
  list(APPEND found ${name})
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exported: ${found}\nexpected: ${expected}")
endif()
