# Run by cpack once it has packed: the members of the package's ar archive
# (debian-binary, control.tar, data.tar) carry the modes of the files cpack
# packed them from, which follow the umask of whoever built it. Each gets
# the mode dpkg-deb gives them, in place, so that the bytes do not depend
# on the umask.
find_program(DD dd REQUIRED)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" size)
    # After the archive's 8-byte signature, each member has a 60-byte header
    # (its mode at byte 40, its size in decimal at byte 48), then its data,
    # padded to an even length.
    set(offset 8)
    while(offset LESS size)
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 48 10 length)
        string(STRIP "${length}" length)
        if(NOT length MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: not an ar member at byte ${offset}")
        endif()
        math(EXPR mode_at "${offset} + 40")
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E echo_append "100644  "
            COMMAND ${DD} "of=${package}" bs=1 seek=${mode_at} conv=notrunc status=none
            COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR offset "${offset} + 60 + ${length} + ${length} % 2")
    endwhile()
endforeach()
