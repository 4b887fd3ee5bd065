# Installs the build into PREFIX and checks what a user of the installed tool set meets:
# the files, the installed programs' command lines, and a whole "&TALVO ..." run of the
# installed example (RUN_TEST, given the prefix). Run by CTest as talvo_install.
foreach(variable BUILD_DIR PREFIX RUN_TEST)
    if(NOT ${variable})
        message(FATAL_ERROR "InstallTest.cmake needs -D${variable}=...")
    endif()
endforeach()

function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
run("cmake --install" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")

set(expected
    bin/TALVO bin/Editor bin/Display
    share/talvo/examples/arterial/arterial.tin share/talvo/examples/arterial/input.fin
    share/talvo/examples/arterial/plan.tpl share/talvo/examples/grid/input.fin
    share/applications/talvo-editor.desktop share/applications/talvo-display.desktop
    share/icons/hicolor/scalable/apps/talvo-editor.svg
    share/icons/hicolor/scalable/apps/talvo-display.svg
    share/mime/packages/talvo.xml)
foreach(file ${expected})
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

file(READ "${PREFIX}/share/applications/talvo-editor.desktop" entry)
foreach(line "Exec=\"${PREFIX}/bin/Editor\" %f" "MimeType=application/x-talvo-project;"
             "Icon=talvo-editor")
    string(FIND "${entry}" "${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "talvo-editor.desktop lacks the line ${line}:\n${entry}")
    endif()
endforeach()
find_program(validate desktop-file-validate)
if(validate)
    run("desktop-file-validate" ${validate} "${PREFIX}/share/applications/talvo-editor.desktop"
        "${PREFIX}/share/applications/talvo-display.desktop")
endif()

foreach(program TALVO Editor Display)
    run("${program} --version" "${PREFIX}/bin/${program}" --version)
    if(NOT output MATCHES "^${program} [0-9]")
        message(FATAL_ERROR "${program} --version printed: ${output}")
    endif()
endforeach()

set(run_dir "${PREFIX}/runs/export")
file(MAKE_DIRECTORY "${run_dir}")
run("Editor --export" "${PREFIX}/bin/Editor" --export
    "${PREFIX}/share/talvo/examples/arterial/arterial.tin" "${run_dir}")
run("TALVO RUN_DIR" "${PREFIX}/bin/TALVO" "${run_dir}")
if(NOT EXISTS "${run_dir}/output_exist.out")
    message(FATAL_ERROR "the installed engine wrote no report into ${run_dir}")
endif()

run("the installed editor's run" "${RUN_TEST}" "${PREFIX}")
message(STATUS "installed into ${PREFIX}: files, command lines and a run checked")
file(REMOVE_RECURSE "${PREFIX}")
