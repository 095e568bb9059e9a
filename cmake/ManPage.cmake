# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the gzipped manual page of PROGRAM from its --help text in LANGUAGE_CODE (en or zh_CN); run by the build:
#   cmake -DHELP2MAN=… -DPROGRAM=… -DLANGUAGE_CODE=… -DWHATIS=… -DVERSION=… -DOUTPUT=….1.gz -P ManPage.cmake
# The programs answer --help without a display. The environment is the reader's, not the builder's: the help names
# the user data folder, so it reads "~/.local/share/Tickwell" rather than the builder's home.
# help2man runs the program in the locale it is given (C.UTF-8 here, for the encoding) and drops LANGUAGE, which
# chooses the program's language; a wrapper of the program's name puts it back.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{HOME} "~")
unset(ENV{XDG_DATA_HOME})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
get_filename_component(_page ${OUTPUT} NAME_WLE)
get_filename_component(_dir ${OUTPUT} DIRECTORY)
get_filename_component(_name ${PROGRAM} NAME)
# Pages of one folder are made side by side: each has its own scratch folder.
set(_scratch ${_dir}/${_page}.tmp)
set(_wrapper ${_scratch}/${_name})
file(WRITE ${_wrapper} "#!/bin/sh\nLANGUAGE=${LANGUAGE_CODE} exec \"${PROGRAM}\" \"$@\"\n")
file(CHMOD ${_wrapper} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
# The NAME line comes from a file: help2man decodes files in the locale's encoding, not its --name argument.
file(WRITE ${_scratch}/name.h2m "[NAME]\n${_name} \\- ${WHATIS}\n")
execute_process(COMMAND ${HELP2MAN} --no-info --locale=C.UTF-8 --section=1 --include=${_scratch}/name.h2m
  --version-string=${VERSION} --output=${_dir}/${_page} ${_wrapper} RESULT_VARIABLE _rc)
file(REMOVE_RECURSE ${_scratch})
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}: ${_rc}")
endif()
execute_process(COMMAND gzip -9nf ${_dir}/${_page} RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${_dir}/${_page}")
endif()
