# Read by cpack as it makes each package: every time inside the package is the source's, so
# that one commit gives one package, wherever and whenever it is made, from a checkout or
# from its source tarball. The time is the first of: SOURCE_DATE_EPOCH from the environment;
# the last commit's, from git in a checkout, or as `git archive` wrote it into
# cmake/commit-time; the newest entry of data/changelog's, as dpkg-parsechangelog reads it.
# Script mode says which: cmake -DCPACK_CALENDARIO_SOURCE_DIR=<source> -P SourceDate.cmake
set(source "${CPACK_CALENDARIO_SOURCE_DIR}")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(from "the environment")
else()
  set(epoch "")
  # Only a checkout's own git: a tarball unpacked inside another repository is not that
  # repository's last commit.
  if(EXISTS "${source}/.git")
    execute_process(COMMAND git -C "${source}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    set(from "git")
  endif()
  if(NOT epoch MATCHES "^[0-9]+$" AND EXISTS "${source}/cmake/commit-time")
    file(STRINGS "${source}/cmake/commit-time" epoch LIMIT_COUNT 1)
    set(from "cmake/commit-time")
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    execute_process(COMMAND dpkg-parsechangelog -l "${source}/data/changelog" -STimestamp
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    set(from "data/changelog")
  endif()
  if(epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
  else()
    message(WARNING "No time for the package's files from git, cmake/commit-time or "
                    "data/changelog (dpkg-parsechangelog is in dpkg-dev): they take the time "
                    "of this build, and two builds differ")
    return()
  endif()
endif()
message(STATUS "SOURCE_DATE_EPOCH=$ENV{SOURCE_DATE_EPOCH}, from ${from}")
