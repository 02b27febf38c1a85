# Strict warnings for our own targets only; JUCE keeps its own.
add_library(morvantis_warnings INTERFACE)
target_compile_options(morvantis_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wnon-virtual-dtor
  -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2)
if(MORVANTIS_WERROR)
  target_compile_options(morvantis_warnings INTERFACE -Werror)
endif()

# The sanitizer lane: every library and test that links this is instrumented.
add_library(morvantis_sanitizers INTERFACE)
target_compile_options(morvantis_sanitizers INTERFACE
  -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g)
target_link_options(morvantis_sanitizers INTERFACE -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all)
if(MORVANTIS_FUZZ)
  target_compile_options(morvantis_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Our libraries and tests come in variants: "plain", and with MORVANTIS_SANITIZERS also "asan".
# The target name of a variant is the base name plus morvantis_suffix_<variant>.
set(MORVANTIS_VARIANTS plain)
set(morvantis_suffix_plain "")
set(morvantis_suffix_asan "_asan")
if(MORVANTIS_SANITIZERS)
  list(APPEND MORVANTIS_VARIANTS asan)
endif()
