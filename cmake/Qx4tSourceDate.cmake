# The build's one date: the release's, from the top entry of packaging/debian/changelog, as
# SOURCE_DATE_EPOCH (seconds since 1970, UTC), unless the environment already sets it. Every
# build step that would write the time it runs at takes this date instead: rcc for the
# resources' file times, the manual tool for the PDFs' creation date, CPack for the packages'
# file times. Two builds of one commit then give the same files.
#   QX4T_SOURCE_DATE_EPOCH  the date; QX4T_RELEASE_DATE  the same as YYYY-MM-DD
set(changelog ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} date_line REGEX "^ -- " LIMIT_COUNT 1)
if(NOT date_line MATCHES
        ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([+-])([0-9][0-9])([0-9][0-9])$")
    message(FATAL_ERROR "${changelog}: the top entry has no date: ${date_line}")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
# Days since 1970-01-01 of a proleptic Gregorian date (years from 1970 on).
if(month GREATER 2)
    set(y ${year})
    math(EXPR mp "${month} - 3")
else()
    math(EXPR y "${year} - 1")
    math(EXPR mp "${month} + 9")
endif()
math(EXPR era "${y} / 400")
math(EXPR yoe "${y} - ${era} * 400")
math(EXPR doy "(153 * ${mp} + 2) / 5 + ${day} - 1")
math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
math(EXPR days "${era} * 146097 + ${doe} - 719468")
math(EXPR offset "${CMAKE_MATCH_7}(${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")
math(EXPR epoch
    "${days} * 86400 + ${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6} - ${offset}")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
endif()
set(QX4T_SOURCE_DATE_EPOCH ${epoch})
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
string(TIMESTAMP QX4T_RELEASE_DATE "%Y-%m-%d" UTC)
# Every custom command (rcc, lrelease, the manual and picture tools) runs with the date set.
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}")
