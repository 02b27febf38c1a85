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

# The thread lane. JUCE stays uninstrumented: the engine shares no JUCE object between threads.
add_library(morvantis_thread_sanitizer INTERFACE)
target_compile_options(morvantis_thread_sanitizer INTERFACE -fsanitize=thread -fno-omit-frame-pointer -O1 -g)
target_link_options(morvantis_thread_sanitizer INTERFACE -fsanitize=thread)

# Our libraries and tests come in variants: "plain", with MORVANTIS_SANITIZERS also "asan", and with
# MORVANTIS_THREAD_SANITIZER also "tsan". The target name of a variant is the base name plus
# morvantis_suffix_<variant>; its libraries link morvantis_instrument_<variant> when that is set.
set(MORVANTIS_VARIANTS plain)
set(morvantis_suffix_plain "")
set(morvantis_suffix_asan "_asan")
set(morvantis_suffix_tsan "_tsan")
set(morvantis_instrument_asan morvantis_sanitizers)
set(morvantis_instrument_tsan morvantis_thread_sanitizer)
if(MORVANTIS_SANITIZERS)
  list(APPEND MORVANTIS_VARIANTS asan)
endif()
if(MORVANTIS_THREAD_SANITIZER)
  list(APPEND MORVANTIS_VARIANTS tsan)
endif()
