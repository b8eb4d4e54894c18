# cmake -DSOURCE_DIR=<checkout> -DBASE_VERSION=<major.minor> -DOUT_DIR=<dir> -P write_version.cmake
# The program's version, taken from git on every build:
#   on a version tag (v1.2 or 1.2.3):  "1.2.3", or "1.2.3-4-g1a2b3c4" four commits later; numbers 1.2.3.4
#   without one (no tags in the clone): "<BASE_VERSION>.<commits>-g<hash>", numbers <BASE_VERSION>.<commits>.0
#   either with "-dirty" appended when tracked files differ from HEAD; outside git "<BASE_VERSION>.0-unknown".
# Writes <OUT_DIR>/app/version.h (for the version resource) and <OUT_DIR>/version.txt (the version string
# alone, for the release archive's name), each only when its content changes, so that an unchanged HEAD
# rebuilds nothing.
cmake_minimum_required(VERSION 3.25)
foreach(var SOURCE_DIR BASE_VERSION OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "write_version.cmake: -D${var}=... is missing")
  endif()
endforeach()
if(NOT BASE_VERSION MATCHES "^([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "write_version.cmake: BASE_VERSION '${BASE_VERSION}' is not <major>.<minor>")
endif()
set(base_major ${CMAKE_MATCH_1})
set(base_minor ${CMAKE_MATCH_2})

# git(<var> args...): <var> is git's trimmed output, or empty where git fails. The checkout may belong to
# another user (a container's mounted tree): name it safe for this one call only.
find_program(GIT_EXECUTABLE git)
function(git var)
  set(${var} "" PARENT_SCOPE)
  if(NOT GIT_EXECUTABLE)
    return()
  endif()
  execute_process(COMMAND ${GIT_EXECUTABLE} -c safe.directory=${SOURCE_DIR} --no-optional-locks ${ARGN}
    WORKING_DIRECTORY ${SOURCE_DIR} OUTPUT_VARIABLE out RESULT_VARIABLE failed ERROR_QUIET
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT failed)
    set(${var} "${out}" PARENT_SCOPE)
  endif()
endfunction()

# Only tags that look like versions count; `--dirty` is not used, since describe takes the index lock to
# refresh it, and this runs on every build while others may be committing. status refreshes without it.
git(described describe --tags --always --abbrev=7 --match "v[0-9]*" --match "[0-9]*")
git(count rev-list --count HEAD)
git(hash rev-parse --short=7 HEAD)
git(changes status --porcelain --untracked-files=no)
set(dirty "")
if(changes)
  set(dirty "-dirty")
endif()

set(version "")
if(described MATCHES "^v?([0-9]+)\\.([0-9]+)(\\.([0-9]+))?(-([0-9]+)-g[0-9a-f]+)?$")
  set(numbers "")
  set(fits ON)
  foreach(n "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" "${CMAKE_MATCH_4}" "${CMAKE_MATCH_6}")
    if(n STREQUAL "")  # 1.2 is 1.2.0, and a tagged commit is 0 commits after its tag
      set(n 0)
    elseif(n GREATER 65535)  # each of the four numbers is a 16-bit word
      set(fits OFF)
    endif()
    list(APPEND numbers ${n})
  endforeach()
  if(fits)
    string(REGEX REPLACE "^v" "" version "${described}${dirty}")
  endif()
endif()
if(NOT version)
  if(hash MATCHES "^[0-9a-f]+$" AND count MATCHES "^[0-9]+$")
    set(version "${BASE_VERSION}.${count}-g${hash}${dirty}")
    if(count GREATER 65535)
      set(count 65535)
    endif()
    set(numbers ${base_major} ${base_minor} ${count} 0)
  else()
    # Not a git checkout (or git is missing): a release archive refuses this version.
    set(version "${BASE_VERSION}.0-unknown")
    set(numbers ${base_major} ${base_minor} 0 0)
  endif()
endif()
list(JOIN numbers "," numbers)

set(header "// Written by cmake/write_version.cmake from git; not edited by hand.
#pragma once
#define SW_VERSION_STRING \"${version}\"
#define SW_VERSION_NUMBERS ${numbers}
")
file(MAKE_DIRECTORY ${OUT_DIR}/app)
file(WRITE ${OUT_DIR}/version.h.new "${header}")
file(WRITE ${OUT_DIR}/version.txt.new "${version}\n")
file(COPY_FILE ${OUT_DIR}/version.h.new ${OUT_DIR}/app/version.h ONLY_IF_DIFFERENT)
file(COPY_FILE ${OUT_DIR}/version.txt.new ${OUT_DIR}/version.txt ONLY_IF_DIFFERENT)
file(REMOVE ${OUT_DIR}/version.h.new ${OUT_DIR}/version.txt.new)
