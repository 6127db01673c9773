# Fails when an engine folder includes a header of a folder at its own level or
# above it, when the engine includes the render or ui layer, or when the render
# layer includes the ui layer. Includes name their layer ("core/db/Records.h").
# Run as: cmake -DCORE_DIR=<path of src/core> -P CheckFolderOrder.cmake
#
# The engine's folders with their levels, lowest first. A folder may include
# the folders of lower levels only, so folders of one level never include one
# another: purchasing, sales and statistics stand side by side.
set(QM_FOLDER_LEVELS
    common=0
    db=1
    project=2
    records=3
    purchasing=4 sales=4 stats=4
    reports=5
    views=6
    session=7 io=7)

foreach(entry IN LISTS QM_FOLDER_LEVELS)
    string(REPLACE "=" ";" pair "${entry}")
    list(GET pair 0 folder)
    list(GET pair 1 level)
    set(level_of_${folder} ${level})
endforeach()

file(GLOB_RECURSE sources RELATIVE "${CORE_DIR}" "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
set(faults "")
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" folder "${source}")
    if(NOT DEFINED level_of_${folder})
        string(APPEND faults "\n  ${source}: the folder ${folder} has no level in ${CMAKE_CURRENT_LIST_FILE}")
        continue()
    endif()
    file(STRINGS "${CORE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
    foreach(line IN LISTS includes)
        string(REGEX MATCH "\"([a-z]+)/(([a-z]+)/)?" _ "${line}")
        if(NOT CMAKE_MATCH_1 STREQUAL "core")
            string(APPEND faults "\n  ${source}: the engine may not include the ${CMAKE_MATCH_1} layer")
            continue()
        endif()
        set(target "${CMAKE_MATCH_3}")
        if(target STREQUAL folder)
            continue()
        endif()
        if(NOT DEFINED level_of_${target})
            string(APPEND faults "\n  ${source}: includes ${target}, which is no engine folder")
        elseif(NOT level_of_${target} LESS level_of_${folder})
            string(APPEND faults "\n  ${source}: ${folder} may not include ${target}")
        endif()
    endforeach()
endforeach()

# The render layer sits below the windows.
get_filename_component(render_dir "${CORE_DIR}/../render" ABSOLUTE)
file(GLOB_RECURSE render_sources RELATIVE "${render_dir}" "${render_dir}/*.h" "${render_dir}/*.cpp")
foreach(source IN LISTS render_sources)
    file(STRINGS "${render_dir}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"ui/")
    if(includes)
        string(APPEND faults "\n  render/${source}: the render layer may not include the ui layer")
    endif()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes against the engine's folder order:${faults}")
endif()
message(STATUS "Every engine include follows the folder order.")
