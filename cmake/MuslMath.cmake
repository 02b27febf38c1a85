# The C math functions the engine calls, compiled from musl's libm for every toolchain under private
# names. The Windows runtime's own differ from glibc's (argument reduction, pow, rounding near halves),
# so with one library the DLL computes exactly what the native engine computes.
set(MORVANTIS_SOURCES_DIR "${PROJECT_SOURCE_DIR}/build/sources" CACHE PATH
  "Debian source packages fetched for the build (shared between build trees)")
set(musl_dir "${MORVANTIS_SOURCES_DIR}/musl")
file(MAKE_DIRECTORY "${MORVANTIS_SOURCES_DIR}")
execute_process(
  COMMAND flock "${MORVANTIS_SOURCES_DIR}/.lock" bash -c
    "[ -f '${musl_dir}/src/math/sin.c' ] || bash '${PROJECT_SOURCE_DIR}/scripts/debian-source.sh' '${MORVANTIS_SOURCES_DIR}' musl"
  RESULT_VARIABLE musl_result)
if(NOT musl_result EQUAL 0)
  message(FATAL_ERROR "fetching Debian's musl source package failed (${musl_result})")
endif()

# The engine's functions and, after them, the helpers they need. Every symbol they define is renamed.
set(musl_functions sin cos tan asin acos atan atan2 exp exp2 log log2 log10 pow fmod round trunc floor ceil sqrt)
set(musl_helpers fabs scalbn __sin __cos __tan __rem_pio2 __rem_pio2_large
  __math_oflow __math_uflow __math_xflow __math_invalid __math_divzero)
set(musl_tables exp_data log_data log2_data pow_data) # define __exp_data, __log_data, __log2_data, __pow_log_data

set(musl_sources "")
foreach(name IN LISTS musl_functions musl_helpers musl_tables)
  # x86_64 has its own fabs and sqrt (one instruction each).
  if(EXISTS "${musl_dir}/src/math/x86_64/${name}.c")
    list(APPEND musl_sources "${musl_dir}/src/math/x86_64/${name}.c")
  else()
    list(APPEND musl_sources "${musl_dir}/src/math/${name}.c")
  endif()
endforeach()
set(musl_renames "")
foreach(name IN LISTS musl_functions musl_helpers ITEMS __exp_data __log_data __log2_data __pow_log_data)
  list(APPEND musl_renames "${name}=morvantis_${name}")
endforeach()

# musl's x86_64 types assume LP64; Windows is LLP64, where long has 32 bits and uint64_t would shrink.
set(musl_generated "${CMAKE_BINARY_DIR}/musl-include")
set(musl_llp64 "")
if(WIN32)
  set(musl_llp64 -e "s/^#define _Addr long$/#define _Addr long long/" -e "s/^#define _Int64 long$/#define _Int64 long long/"
    -e "s/^#define _Reg long$/#define _Reg long long/" -e "s/^#define __LONG_MAX .*/#define __LONG_MAX 0x7fffffffL/")
endif()
file(MAKE_DIRECTORY "${musl_generated}/bits")
# Generated beside its place and copied only when it differs: a header rewritten by every configure
# would make every musl object, and everything linking them, out of date.
execute_process(
  COMMAND sed ${musl_llp64} -f "${musl_dir}/tools/mkalltypes.sed"
    "${musl_dir}/arch/x86_64/bits/alltypes.h.in" "${musl_dir}/include/alltypes.h.in"
  OUTPUT_FILE "${musl_generated}/alltypes.h.new"
  RESULT_VARIABLE alltypes_result)
if(NOT alltypes_result EQUAL 0)
  message(FATAL_ERROR "generating musl's alltypes.h failed")
endif()
file(COPY_FILE "${musl_generated}/alltypes.h.new" "${musl_generated}/bits/alltypes.h" ONLY_IF_DIFFERENT)

add_library(morvantis_libm STATIC ${musl_sources})
set_target_properties(morvantis_libm PROPERTIES C_STANDARD 99 C_EXTENSIONS OFF)
target_include_directories(morvantis_libm PRIVATE
  "${musl_dir}/arch/x86_64" "${musl_dir}/arch/generic" "${musl_generated}"
  "${musl_dir}/src/include" "${musl_dir}/src/internal" "${musl_dir}/include")
target_compile_definitions(morvantis_libm PRIVATE ${musl_renames})
# musl's own flags for its math: no host headers, no builtins, IEEE semantics kept.
target_compile_options(morvantis_libm PRIVATE -nostdinc -ffreestanding -fno-builtin -frounding-math
  $<$<C_COMPILER_ID:GNU>:-fexcess-precision=standard> -O2 -w)
