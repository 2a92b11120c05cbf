# Per language: the manual's file name (the one the preparation page opens), the font family
# the manual is set in (Japanese, Chinese and Korean share code points but not glyph shapes),
# and the language's name in the package descriptions.

# The manual's file name comes from the one language table, the row whose folder is `code`.
function(qx4t_language_manual code var)
    set(table ${PROJECT_SOURCE_DIR}/common/Languages.def)
    file(STRINGS ${table} rows REGEX "^QX4T_LANGUAGE\\(\"${code}\",")
    if(NOT rows MATCHES "^QX4T_LANGUAGE\\(\"[A-Za-z_]+\", *\"[^\"]+\", *\"(\\./)?([^\"/]+)\"")
        message(FATAL_ERROR "common/Languages.def names no manual for the language ${code}")
    endif()
    set(${var} ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()

function(qx4t_language_font code var)
    set(fonts ja "Noto Sans CJK JP" zh_CN "Noto Sans CJK SC" zh_TW "Noto Sans CJK TC"
        ko "Noto Sans CJK KR" th "Loma")
    list(FIND fonts ${code} at)
    if(at GREATER_EQUAL 0)
        math(EXPR at "${at} + 1")
        list(GET fonts ${at} font)
    else()
        set(font "DejaVu Sans")
    endif()
    set(${var} ${font} PARENT_SCOPE)
endfunction()

function(qx4t_language_name code var)
    set(names en English ja Japanese zh_CN "Simplified Chinese" zh_TW "Traditional Chinese"
        ko Korean es Spanish it Italian de German fr French th Thai)
    list(FIND names ${code} at)
    math(EXPR at "${at} + 1")
    list(GET names ${at} name)
    set(${var} ${name} PARENT_SCOPE)
endfunction()
