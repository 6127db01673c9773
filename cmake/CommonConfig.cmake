# Build settings every target of the project shares.
add_library(qm_common_settings INTERFACE)
target_compile_features(qm_common_settings INTERFACE cxx_std_20)
target_compile_options(qm_common_settings INTERFACE
    -Wall -Wextra -Werror -Wold-style-cast -Wnon-virtual-dtor -Wshadow=local -Woverloaded-virtual)
target_compile_definitions(qm_common_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS
    QT_DISABLE_DEPRECATED_BEFORE=0x060000)
if(QM_SANITIZE)
    target_compile_options(qm_common_settings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
    target_link_options(qm_common_settings INTERFACE -fsanitize=address,undefined)
endif()
