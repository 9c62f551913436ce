# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs lupdate over the sources into a copy of the English catalog and fails
# when a text has no translation: one new in the sources, one left unfinished,
# or one no longer in the sources (obsolete or vanished).
# cmake -DLUPDATE=... -DSOURCES=<src folder> -DCATALOG=<.ts> -DWORK=<folder> -P
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/anemora_en.ts)
file(COPY_FILE ${CATALOG} ${copy})
execute_process(COMMAND ${LUPDATE} -locations none ${SOURCES} -ts ${copy}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()
file(READ ${copy} catalog)
string(REGEX MATCHALL "<message>[^<]*<source>[^<]*</source>[^<]*<translation type=\"(unfinished|obsolete|vanished)\""
       untranslated "${catalog}")
if(untranslated)
  string(REPLACE ";" "\n" untranslated "${untranslated}")
  message(FATAL_ERROR "Texts without an English translation:\n${untranslated}")
endif()
message(STATUS "Every text has its translation")
