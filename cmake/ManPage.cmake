# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the gzipped manual page of PROGRAM from its --help text in LANGUAGE_CODE (en or zh_CN); run by the build:
#   cmake -DHELP2MAN=… -DPROGRAM=… -DLANGUAGE_CODE=… -DWHATIS=… -DVERSION=… -DOUTPUT=….1.gz -P ManPage.cmake
# The programs answer --help without a display. The environment is the reader's, not the builder's: the help names
# the user data folder, so it reads "~/.local/share/Tickwell" rather than the builder's home.
set(ENV{LANGUAGE} ${LANGUAGE_CODE})
set(ENV{LC_ALL} C.UTF-8)
set(ENV{HOME} "~")
unset(ENV{XDG_DATA_HOME})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
get_filename_component(_page ${OUTPUT} NAME_WLE)
get_filename_component(_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${_dir})
execute_process(COMMAND ${HELP2MAN} --no-info --section=1 --name=${WHATIS} --version-string=${VERSION}
  --output=${_dir}/${_page} ${PROGRAM} RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}: ${_rc}")
endif()
execute_process(COMMAND gzip -9nf ${_dir}/${_page} RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${_dir}/${_page}")
endif()
