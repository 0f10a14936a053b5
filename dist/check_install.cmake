# Installs the build tree the way a package would (DESTDIR, prefix /usr) and
# checks that everything lands where the desktop will look for it, and that
# the launcher starts the program from its picture folder.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DAPP_ID=... -DPICTURES=... -DENGLISH_PICTURES=... -DICON_SIZES=...
#         -DLAUNCHER_DIR=... -DDATADIR=... -DMANDIR=... -DPROGRAM_DIR=... -DPICTURE_DIR=...
#         -DGZIP=... -P check_install.cmake

function(fail message)
    message(SEND_ERROR "${message}")
endfunction()
function(expect_file path)
    if(NOT EXISTS "${path}" OR IS_DIRECTORY "${path}")
        fail("not installed: ${path}")
    endif()
endfunction()

set(root ${WORK_DIR}/root)
set(prefix /usr)
set(top ${root}${prefix})
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
            ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

# The program itself, a real executable.
set(program ${top}/${PROGRAM_DIR}/purumoke)
expect_file(${program})
if(EXISTS ${program})
    file(READ ${program} magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
        fail("${program} is not an executable")
    endif()
endif()

# Every picture the game reads, and every other one the build draws (such
# as variants for high-density screens).
set(names title1.BMP Title2.BMP)
foreach(n RANGE 0 15)
    string(LENGTH "${n}" len)
    if(len EQUAL 1)
        set(n "0${n}")
    endif()
    list(APPEND names EVE${n}.BMP)
endforeach()
foreach(picture IN LISTS PICTURES)
    get_filename_component(name ${picture} NAME)
    expect_file(${top}/${PICTURE_DIR}/${name})
    list(REMOVE_ITEM names ${name})
endforeach()
if(names)
    fail("the build does not draw these pictures of the game: ${names}")
endif()
# The English game's pictures in en/, one for each of the Japanese ones.
set(english_names "")
foreach(picture IN LISTS ENGLISH_PICTURES)
    get_filename_component(name ${picture} NAME)
    expect_file(${top}/${PICTURE_DIR}/en/${name})
    list(APPEND english_names ${name})
endforeach()
foreach(picture IN LISTS PICTURES)
    get_filename_component(name ${picture} NAME)
    list(FIND english_names ${name} found)
    if(found EQUAL -1)
        fail("no English picture en/${name}")
    endif()
endforeach()

# The menu entry and each of its actions must start the launcher that is
# installed, and the entry name the icon that is.
set(desktop ${top}/${DATADIR}/applications/${APP_ID}.desktop)
expect_file(${desktop})
file(STRINGS ${desktop} execs REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
set(launcher "")
foreach(exec IN LISTS execs)
    string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" command "${exec}")
    expect_file(${top}/${LAUNCHER_DIR}/${command})
    # The entry's own group comes first in the file.
    if(NOT launcher)
        set(launcher ${top}/${LAUNCHER_DIR}/${command})
    endif()
endforeach()
if(NOT icon STREQUAL APP_ID)
    fail("the menu entry's icon '${icon}' is not named after the application '${APP_ID}'")
endif()

set(metainfo ${top}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
expect_file(${metainfo})
if(EXISTS ${metainfo})
    file(READ ${metainfo} xml)
    string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)</launchable>" _ "${xml}")
    if(NOT EXISTS ${top}/${DATADIR}/applications/${CMAKE_MATCH_1})
        fail("the software-centre entry launches '${CMAKE_MATCH_1}', which is not installed")
    endif()
endif()

# Icons of the sizes their folders promise.
foreach(size IN LISTS ICON_SIZES)
    set(png ${top}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${icon}.png)
    expect_file(${png})
    if(EXISTS ${png})
        # width and height are the big-endian words at bytes 16 and 20 of a PNG
        file(READ ${png} header OFFSET 16 LIMIT 8 HEX)
        string(SUBSTRING "${header}" 0 8 width)
        string(SUBSTRING "${header}" 8 8 height)
        math(EXPR width "0x${width}")
        math(EXPR height "0x${height}")
        if(NOT width EQUAL size OR NOT height EQUAL size)
            fail("${png} is ${width}x${height}")
        endif()
    endif()
endforeach()
expect_file(${top}/${DATADIR}/icons/hicolor/scalable/apps/${icon}.svg)

# The manual pages, English and Japanese, compressed as Debian wants them:
# a gzip header without a file name or time, packed at the highest level.
# Each tells of every option the program offers in its help.
if(EXISTS ${program})
    execute_process(COMMAND ${program} --help RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE help)
    string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
    list(REMOVE_DUPLICATES options)
    if(NOT result EQUAL 0 OR NOT options)
        fail("purumoke --help ended with '${result}' and named no option:\n${help}")
    endif()
endif()
foreach(page man6/purumoke.6.gz ja/man6/purumoke.6.gz)
    set(page ${top}/${MANDIR}/${page})
    expect_file(${page})
    if(NOT EXISTS ${page})
        continue()
    endif()
    file(READ ${page} header LIMIT 10 HEX)
    if(NOT header STREQUAL "1f8b0800000000000203")
        fail("${page} is not packed by gzip -9n: its header is ${header}")
    endif()
    execute_process(COMMAND ${GZIP} -dc ${page} OUTPUT_VARIABLE text)
    string(REPLACE "\\-" "-" text "${text}")
    foreach(option IN LISTS options)
        string(FIND "${text}" "${option}" at)
        if(at EQUAL -1)
            fail("${page} does not tell of ${option}")
        endif()
    endforeach()
endforeach()

# The launcher starts the program in the picture folder and hands back its
# exit status. A stand-in program reports where it was started.
if(EXISTS ${launcher} AND EXISTS ${program})
    file(WRITE ${program} "#!/bin/sh\npwd -P\necho \"$*\"\nexit 3\n")
    execute_process(
        COMMAND ${launcher} one "two words"
        RESULT_VARIABLE result
        OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    file(REAL_PATH ${top}/${PICTURE_DIR} pictures)
    if(NOT result EQUAL 3)
        fail("the launcher exited with '${result}' instead of the program's 3: ${errors}")
    endif()
    if(NOT output STREQUAL "${pictures}\none two words\n")
        fail("the launcher did not start the program in ${pictures} with its arguments:\n${output}${errors}")
    endif()
endif()
