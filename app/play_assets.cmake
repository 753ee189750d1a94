# Copies the bundled assets beside the built program, keeping what a teacher chose or added there.
# Usage: cmake -DASSETS=<source assets/> -DPLAY=<folder of the built program> [-DFLAT_PICTURES=ON] -P play_assets.cmake
# (FLAT_PICTURES: each set's pictures directly in imagenes/, without their themes, for the tests.)
#
# Run at every build, so that an edit under assets/ shows at the next start. Bundled files are
# overwritten with their source; nothing else in PLAY is ever deleted, and idiomas/activo.txt is
# written only when missing, since switching the language means editing it there.
cmake_minimum_required(VERSION 3.25) # a script's policies as the project's
foreach(variable ASSETS PLAY)
    if(NOT ${variable})
        message(FATAL_ERROR "play_assets.cmake needs -D${variable}=...")
    endif()
endforeach()

# A play folder built before language sets has configuracion/ and imagenes/ directly inside it,
# which would win over idiomas/ and hide every asset edit. They become the Spanish set, as they
# were, with any picture a teacher added; this happens once, while idiomas/ does not exist yet.
if(NOT EXISTS "${PLAY}/idiomas")
    foreach(folder configuracion imagenes)
        if(IS_DIRECTORY "${PLAY}/${folder}")
            file(MAKE_DIRECTORY "${PLAY}/idiomas/es")
            file(RENAME "${PLAY}/${folder}" "${PLAY}/idiomas/es/${folder}")
            message(STATUS "play/${folder} moved to play/idiomas/es/${folder}")
        endif()
    endforeach()
endif()

# file(COPY) skips files whose time stamp matches, so an unchanged build copies nothing.
file(COPY "${ASSETS}/gifs" "${ASSETS}/sonidos" DESTINATION "${PLAY}")
file(COPY "${ASSETS}/idiomas" DESTINATION "${PLAY}" PATTERN activo.txt EXCLUDE
     PATTERN nombres.tsv EXCLUDE)
include("${CMAKE_CURRENT_LIST_DIR}/picture_store.cmake")
if(FLAT_PICTURES)
    tolvano_set_pictures("${ASSETS}" "${PLAY}/idiomas" FLAT)
else()
    tolvano_set_pictures("${ASSETS}" "${PLAY}/idiomas" COPY)
endif()
tolvano_drop_flat_pictures("${ASSETS}" "${PLAY}/idiomas" "${CMAKE_CURRENT_LIST_DIR}/flat_pictures.md5")
if(NOT EXISTS "${PLAY}/idiomas/activo.txt")
    file(COPY "${ASSETS}/idiomas/activo.txt" DESTINATION "${PLAY}/idiomas")
endif()
