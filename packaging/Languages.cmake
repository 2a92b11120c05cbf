# Per language: the manual's file name (the one the preparation page opens) and the font family
# the manual is set in (Japanese, Chinese and Korean share code points but not glyph shapes).

function(qx4t_language_manual code var)
    set(table
        en=Qx4t_Manual_en.pdf ja=Qx4t_Manual_ja.pdf zh_CN=Qx4t_Vup_ManChs.pdf
        zh_TW=Qx4t_Vup_ManCht.pdf ko=Qx4t_Vup_ManKor.pdf es=Qx4t_Vup_ManEsp.pdf
        it=Qx4t_Vup_ManIta.pdf de=Qx4t_Vup_ManDeu.pdf fr=Qx4t_Vup_ManFra.pdf
        th=Qx4t_Vup_ManThi.pdf)
    foreach(row ${table})
        if(row MATCHES "^${code}=(.*)$")
            set(${var} ${CMAKE_MATCH_1} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "No manual file name for the language ${code}")
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
