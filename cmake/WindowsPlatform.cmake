# Windows (mingw-w64 cross build): third-party libraries for JUCE, static runtime, the full JUCE module set.
set(MORVANTIS_WINDOWS_DEPS_DIR "${PROJECT_SOURCE_DIR}/build/windows-deps" CACHE PATH
  "Cache of the cross-built libpng, libjpeg and Scintilla")
execute_process(
  COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/windows-deps.sh" "${MORVANTIS_WINDOWS_DEPS_DIR}"
  RESULT_VARIABLE deps_result)
if(NOT deps_result EQUAL 0)
  message(FATAL_ERROR "scripts/windows-deps.sh failed (${deps_result})")
endif()
set(deps_prefix "${MORVANTIS_WINDOWS_DEPS_DIR}/install")
# cpp-httplib's single header, alone in its folder, for the Wine host's test server.
set(MORVANTIS_HTTPLIB_INCLUDE_DIR "${deps_prefix}/httplib")
# The editor's views in the Wine host.
set(MORVANTIS_SCINTILLA_DLL "${deps_prefix}/bin/Scintilla.dll")

set(MORVANTIS_JUCE_WINDOWS_INCLUDES "${deps_prefix}/include")
# Order matters for static archives: png needs zlib. gdi32 is missing from JUCE's own mingw list.
set(MORVANTIS_JUCE_WINDOWS_LIBS
  "${deps_prefix}/lib/libpng.a" "${deps_prefix}/lib/libjpeg.a" ZLIB::ZLIB
  uuid wsock32 wininet version ole32 ws2_32 oleaut32 imm32 comdlg32 shlwapi rpcrt4 winmm dxgi gdi32)

# Everything links the runtime statically, so the DLL imports Windows system DLLs only.
add_link_options(-static -static-libgcc -static-libstdc++)

# mingw has no sanitizer runtime: the cross build has the plain variant only.
set(MORVANTIS_VARIANTS plain)
