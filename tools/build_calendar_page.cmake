# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the calendar page the program ships: calendar.htm with its two scripts inlined (it is installed as one
# file), stored in GB2312. Run as: cmake -DSRC=<resources/calendar> -DOUT=<file> -P build_calendar_page.cmake
file(READ "${SRC}/calendar.htm" page)
file(READ "${SRC}/caldata.js" data)
file(READ "${SRC}/calendar.js" code)
foreach(part IN ITEMS caldata calendar)
  set(tag "<script src=\"${part}.js\"></script>")
  string(FIND "${page}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "calendar.htm does not load ${part}.js")
  endif()
endforeach()
string(REPLACE "<script src=\"caldata.js\"></script>" "<script>\n${data}</script>" page "${page}")
string(REPLACE "<script src=\"calendar.js\"></script>" "<script>\n${code}</script>" page "${page}")
string(REPLACE "<meta charset=\"utf-8\">" "<meta charset=\"gb2312\">" page "${page}")
file(WRITE "${OUT}.utf8" "${page}")
# iconv stops on any character GB2312 cannot hold, so such a character fails the build instead of turning into
# a question mark on the page.
execute_process(COMMAND iconv -f UTF-8 -t GB2312 "${OUT}.utf8" OUTPUT_FILE "${OUT}.tmp" RESULT_VARIABLE rc
                ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}.tmp")
  message(FATAL_ERROR "calendar page: not representable in GB2312: ${err}")
endif()
file(RENAME "${OUT}.tmp" "${OUT}")
file(REMOVE "${OUT}.utf8")
