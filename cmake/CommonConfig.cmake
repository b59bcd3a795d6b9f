# One interface target carries the language standard, the warnings and the
# Qt defines, so every target of the project is built the same way.
add_library(pelmora_options INTERFACE)
target_compile_features(pelmora_options INTERFACE cxx_std_20)
target_compile_options(pelmora_options INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(pelmora_options INTERFACE
    QT_NO_KEYWORDS
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

option(PELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(PELMORA_SANITIZE)
    target_compile_options(pelmora_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(pelmora_options INTERFACE -fsanitize=address,undefined)
endif()

# The stricter rules: no implicit conversions between QString and 8-bit
# strings (the code page must be chosen on purpose), no C-style casts, and
# the class hierarchy mistakes the compiler can see. Linked privately, so it
# applies to the sources of the target that links it and not to its users.
add_library(pelmora_strict INTERFACE)
target_compile_options(pelmora_strict INTERFACE
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
target_compile_definitions(pelmora_strict INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY)
