# Each language set's picture folder made from the one picture store: assets/pictures/<theme>/<id>.png
# once, and assets/idiomas/<set>/nombres.tsv naming each picture in that set's words.
#
# tolvano_set_pictures(ASSETS SETS MODE) makes SETS/<set>/imagenes/<theme>/<word>.png for every row
# (id<TAB>word<TAB>theme; '#' starts a comment) of every set's table. MODE COPY copies a picture
# where it differs (the program's own folder, where a teacher may edit a picture in place: a link
# would edit the store); MODE LINK makes hard links to the first set's copy, so that an installed
# package holds each picture's bytes once, and copies where the file system cannot link; MODE FLAT
# copies every picture into imagenes/ itself, without its theme (the tests' sample folders). Each
# theme gets its tema.png from assets/pictures/themes.tsv (store theme<TAB>id). A row
# naming a picture the store lacks, or a word or theme that could leave its folder, stops the build.
function(tolvano_set_pictures assets sets mode)
    file(GLOB store "${assets}/pictures/*/*.png")
    foreach(file IN LISTS store)
        get_filename_component(id "${file}" NAME_WE)
        set("store_${id}" "${file}")
    endforeach()
    file(GLOB tables "${assets}/idiomas/*/nombres.tsv")
    foreach(table IN LISTS tables)
        get_filename_component(set_folder "${table}" DIRECTORY)
        get_filename_component(set "${set_folder}" NAME)
        file(STRINGS "${table}" rows ENCODING UTF-8)
        foreach(row IN LISTS rows)
            if(row MATCHES "^#" OR row STREQUAL "")
                continue()
            endif()
            string(REPLACE "\t" ";" columns "${row}")
            list(LENGTH columns count)
            if(NOT count EQUAL 3)
                message(FATAL_ERROR "${table}: not id, word and theme: ${row}")
            endif()
            list(GET columns 0 id)
            list(GET columns 1 word)
            list(GET columns 2 theme)
            if(NOT DEFINED "store_${id}")
                message(FATAL_ERROR "${table}: no picture ${id} in ${assets}/pictures")
            endif()
            if(word MATCHES "[/\\\\]|^\\." OR theme MATCHES "[/\\\\]|^\\.")
                message(FATAL_ERROR "${table}: ${word} or ${theme} is no file name")
            endif()
            set(folder "${sets}/${set}/imagenes/${theme}")
            if(mode STREQUAL "FLAT")
                set(folder "${sets}/${set}/imagenes")
            endif()
            file(MAKE_DIRECTORY "${folder}")
            tolvano_place_picture("${id}" "${folder}/${word}.png")
            set("theme_of_${set}_${id}" "${theme}")
        endforeach()
        # Each theme's picture in the menu: tema.png, a copy of the picture themes.tsv names for
        # it, in the set's folder of that picture's theme.
        if(NOT mode STREQUAL "FLAT" AND EXISTS "${assets}/pictures/themes.tsv")
            file(STRINGS "${assets}/pictures/themes.tsv" themes REGEX "^[^#]")
            foreach(row IN LISTS themes)
                string(REGEX REPLACE "^[^\t]*\t" "" id "${row}")
                if(DEFINED "theme_of_${set}_${id}")
                    tolvano_place_picture("${id}"
                        "${sets}/${set}/imagenes/${theme_of_${set}_${id}}/tema.png")
                endif()
            endforeach()
        endif()
    endforeach()
endfunction()

# One picture of the store at target: a copy, or with MODE LINK a hard link to its first copy.
macro(tolvano_place_picture id target)
    if(mode STREQUAL "LINK" AND DEFINED "linked_${id}")
        file(REMOVE "${target}")
        file(CREATE_LINK "${linked_${id}}" "${target}" COPY_ON_ERROR)
    else()
        file(COPY_FILE "${store_${id}}" "${target}" ONLY_IF_DIFFERENT)
        set("linked_${id}" "${target}")
    endif()
endmacro()

# Before the store, every set's pictures lay flat in imagenes/; a play folder or an installed copy
# made then still holds them beside the themed copies, each word twice. tolvano_drop_flat_pictures
# (SETS LIST) removes a flat picture only where its name and its bytes are those of a picture we
# bundled then (LIST: md5, two blanks, set/name), so a teacher's own picture, or one a teacher
# edited, stays. Only the sets that have a names table are touched.
function(tolvano_drop_flat_pictures assets sets list)
    file(STRINGS "${list}" rows ENCODING UTF-8 REGEX "^[0-9a-f]+  ")
    foreach(row IN LISTS rows)
        string(REGEX REPLACE "^([0-9a-f]+)  ([^/]+)/(.+)$" "\\1;\\2;\\3" columns "${row}")
        list(GET columns 0 md5)
        list(GET columns 1 set)
        list(GET columns 2 name)
        set(flat "${sets}/${set}/imagenes/${name}")
        if(EXISTS "${assets}/idiomas/${set}/nombres.tsv" AND EXISTS "${flat}"
           AND NOT IS_DIRECTORY "${flat}" AND NOT IS_SYMLINK "${flat}")
            file(MD5 "${flat}" found)
            if(found STREQUAL md5)
                file(REMOVE "${flat}")
            endif()
        endif()
    endforeach()
endfunction()
