# Fails when the system's code raises a message box with only an OK button itself rather than
# through Tell (dialogs/messages.h), so that every such box keeps one title and one way of
# showing. Questions (Yes/No) stay with their callers. The platform layer, the tests, the
# benchmarks and Tell itself are left out; so is every build tree inside the sources.
#   cmake -DSOURCE_DIR=<sources> -P ok_boxes_through_tell.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "SOURCE_DIR must name the source folder")
endif()

set(call "ui::MessageBox(")
string(LENGTH "${call}" call_length)
set(buttons "Buttons::")
string(LENGTH "${buttons}" buttons_length)

file(GLOB folders LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
set(sources)
foreach(folder ${folders})
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${folder}" OR folder MATCHES "^(\\.|platform$|tests$|bench$)"
     OR EXISTS "${SOURCE_DIR}/${folder}/CMakeCache.txt")
    continue()
  endif()
  file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.cpp"
       "${SOURCE_DIR}/${folder}/*.h")
  list(APPEND sources ${found})
endforeach()
list(REMOVE_ITEM sources "dialogs/messages.cpp")

# Where `needle` first stands in `text` at or after `from`, or -1.
function(find_from text from needle result)
  string(SUBSTRING "${text}" ${from} -1 rest)
  string(FIND "${rest}" "${needle}" at)
  if(NOT at EQUAL -1)
    math(EXPR at "${from} + ${at}")
  endif()
  set(${result} ${at} PARENT_SCOPE)
endfunction()

set(offences)
foreach(source ${sources})
  file(READ "${SOURCE_DIR}/${source}" text)
  find_from("${text}" 0 "${call}" start)
  while(NOT start EQUAL -1)
    math(EXPR after "${start} + ${call_length}")
    # The buttons are the call's last argument, however many lines its text takes.
    find_from("${text}" ${after} "${buttons}" at)
    if(at EQUAL -1)
      break()
    endif()
    math(EXPR at "${at} + ${buttons_length}")
    string(SUBSTRING "${text}" ${at} 3 kind)
    if(kind MATCHES "^Ok([^A-Za-z0-9_]|$)")
      string(SUBSTRING "${text}" 0 ${start} before)
      string(REGEX MATCHALL "\n" breaks "${before}")
      list(LENGTH breaks line)
      math(EXPR line "${line} + 1")
      list(APPEND offences "${source}:${line}")
    endif()
    find_from("${text}" ${after} "${call}" start)
  endwhile()
endforeach()

if(offences)
  list(JOIN offences "\n  " listed)
  message(FATAL_ERROR
    "Message boxes with an OK button raised directly; show them with Tell (dialogs/messages.h):\n"
    "  ${listed}")
endif()
