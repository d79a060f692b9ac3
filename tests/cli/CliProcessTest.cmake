# Runs the brivanto-cli program itself as scripts would: exit statuses, standard streams in
# binary mode, and the sample folder through check, convert, go, check and restore.
#   cmake -DCLI=program [-DEMULATOR=wine] -DSAMPLES=examples/terrain -DWORK=scratch-folder
#         [-DNATIVE=ON] -P CliProcessTest.cmake
# Every run of the program is one process start; under Wine each costs seconds, so the
# checks that do not depend on the platform run natively only.
cmake_minimum_required(VERSION 3.25)

set(failures 0)
macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR failures "${failures} + 1")
endmacro()

# cli(RESULT out err args... [INPUT file] [OUTPUT file])
function(cli prefix)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "INPUT;OUTPUT" "")
  set(io)
  if(arg_INPUT)
    list(APPEND io INPUT_FILE "${arg_INPUT}")
  endif()
  if(arg_OUTPUT)
    list(APPEND io OUTPUT_FILE "${arg_OUTPUT}")
  else()
    list(APPEND io OUTPUT_VARIABLE out)
  endif()
  execute_process(COMMAND ${EMULATOR} "${CLI}" ${arg_UNPARSED_ARGUMENTS}
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status ERROR_VARIABLE err ${io})
  set(${prefix}_status "${status}" PARENT_SCOPE)
  set(${prefix}_out "${out}" PARENT_SCOPE)
  set(${prefix}_err "${err}" PARENT_SCOPE)
endfunction()

function(expect_status prefix expected what)
  if(NOT "${${prefix}_status}" STREQUAL "${expected}")
    fail("${what}: exit status ${${prefix}_status}, expected ${expected}\n${${prefix}_err}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${SAMPLES}/" DESTINATION "${WORK}/scenery")

# A file the samples do not have: Ctrl-Z, which a text-mode standard input takes for the end,
# and mixed line ends, which a text-mode standard output would turn into CR CR LF.
string(ASCII 13 CR)
string(ASCII 26 SUB)
file(WRITE "${WORK}/scenery/edge.ter"
  "; edge${CR}\nlod 0\ntexture img/v5kra_4_15_17280_21320.dds${SUB} trailing${CR}\n${SUB}\n")
file(COPY "${WORK}/scenery/edge.ter" DESTINATION "${WORK}/input")
file(GLOB samples RELATIVE "${WORK}/scenery" "${WORK}/scenery/*.ter")
list(LENGTH samples count)

cli(before check scenery)
expect_status(before 1 "check before go")
if(NOT before_out MATCHES "edge\\.ter\n" OR NOT before_out MATCHES "oberstdorf\\.ter\n")
  fail("check before go does not list edge.ter and oberstdorf.ter:\n${before_out}")
endif()

cli(convert convert INPUT "${WORK}/input/edge.ter" OUTPUT "${WORK}/input/edge.converted")
expect_status(convert 0 "convert")

cli(go go scenery)
expect_status(go 0 "go")
if(NOT go_err MATCHES "Finished: ${count} converted, ${count} backed up, 0 skipped, 0 unchanged\n$")
  fail("go does not end with its summary:\n${go_err}")
endif()

file(READ "${WORK}/input/edge.converted" converted HEX)
file(READ "${WORK}/scenery/edge.ter" written HEX)
if(NOT converted STREQUAL written)
  fail("convert and go disagree on edge.ter:\nconvert ${converted}\ngo      ${written}")
endif()

cli(after check --quiet scenery)
expect_status(after 0 "check after go")
if(NOT after_out STREQUAL "" OR NOT after_err STREQUAL "")
  fail("check after go printed something:\n${after_out}${after_err}")
endif()

if(NATIVE)
  cli(version --version)
  expect_status(version 0 "--version")
  if(NOT version_out STREQUAL "1.0.0.1\n")
    fail("--version printed '${version_out}'")
  endif()

  cli(usage go scenery extra)
  expect_status(usage 2 "a usage error")
  if(NOT usage_err MATCHES "^brivanto-cli: [^\n]*extra[^\n]*\n$")
    fail("a usage error does not say what was wrong on one line:\n${usage_err}")
  endif()

  cli(restore restore scenery)
  expect_status(restore 0 "restore")
  foreach(name IN LISTS samples)
    if(name STREQUAL "edge.ter")
      continue()
    endif()
    file(READ "${SAMPLES}/${name}" original HEX)
    file(READ "${WORK}/scenery/${name}" restored HEX)
    if(NOT original STREQUAL restored)
      fail("restore did not bring back ${name}")
    endif()
  endforeach()

  # On a terminal the progress is one line, redrawn: every count after the first starts
  # with a bare CR. A pseudo-terminal from script(1) stands in for the user's.
  find_program(SCRIPT script)
  if(SCRIPT)
    file(COPY "${SAMPLES}/" DESTINATION "${WORK}/tty")
    execute_process(COMMAND "${SCRIPT}" -q -e -c "'${CLI}' go tty" /dev/null
      WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE tty_status OUTPUT_VARIABLE tty_out
      ERROR_VARIABLE tty_out)
    if(NOT tty_status STREQUAL "0" OR NOT tty_out MATCHES "${CR}\\[2/[0-9]+\\] [a-z]+\\.ter")
      fail("go on a terminal does not redraw its progress line (${tty_status}):\n${tty_out}")
    endif()
  endif()

  if(EXISTS /dev/full)
    cli(full convert INPUT "${WORK}/input/edge.ter" OUTPUT /dev/full)
    expect_status(full 1 "convert onto a full disk")
    if(NOT full_err STREQUAL "brivanto-cli: standard output: write error\n")
      fail("convert onto a full disk said: ${full_err}")
    endif()
  endif()
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} checks failed; the folder is kept in ${WORK}")
endif()
file(REMOVE_RECURSE "${WORK}")
