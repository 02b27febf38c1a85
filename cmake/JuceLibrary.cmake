# JUCE from Debian's juce-modules-source, compiled once per build tree into one static library. The
# engine needs the headless modules; the DLL adds the GUI ones for its About box.
set(MORVANTIS_JUCE_MODULES_DIR "/usr/share/juce/modules" CACHE PATH "JUCE module sources")

set(juce_modules juce_core juce_events juce_cryptography juce_graphics)
if(WIN32)
  list(APPEND juce_modules juce_data_structures juce_gui_basics)
endif()

set(juce_sources "")
foreach(module IN LISTS juce_modules)
  set(src "${MORVANTIS_JUCE_MODULES_DIR}/${module}/${module}.cpp")
  if(NOT EXISTS "${src}")
    message(FATAL_ERROR "JUCE module ${module} not found at ${src}; run scripts/setup.sh")
  endif()
  list(APPEND juce_sources "${src}")
endforeach()

add_library(morvantis_juce STATIC ${juce_sources})
target_include_directories(morvantis_juce SYSTEM PUBLIC "${MORVANTIS_JUCE_MODULES_DIR}")
target_compile_definitions(morvantis_juce PUBLIC
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_STANDALONE_APPLICATION=0
  JUCE_WEB_BROWSER=0
  JUCE_DISPLAY_SPLASH_SCREEN=0
  JUCE_USE_DARK_SPLASH_SCREEN=0
  JUCE_REPORT_APP_USAGE=0
  JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
  $<$<CONFIG:Debug>:DEBUG=1 _DEBUG=1>
  $<$<NOT:$<CONFIG:Debug>>:NDEBUG=1>)
foreach(module IN LISTS juce_modules)
  target_compile_definitions(morvantis_juce PUBLIC JUCE_MODULE_AVAILABLE_${module}=1)
endforeach()
target_compile_options(morvantis_juce PRIVATE -w)

if(WIN32)
  # Set by cmake/WindowsPlatform.cmake: cross-built png/jpeg, mingw zlib, system libraries.
  target_include_directories(morvantis_juce SYSTEM PRIVATE ${MORVANTIS_JUCE_WINDOWS_INCLUDES})
  target_compile_definitions(morvantis_juce PUBLIC JUCE_USE_CURL=0 JUCE_MODAL_LOOPS_PERMITTED=1)
  target_compile_options(morvantis_juce PRIVATE $<$<CONFIG:Debug>:-Wa,-mbig-obj>)
  target_link_libraries(morvantis_juce PUBLIC ${MORVANTIS_JUCE_WINDOWS_LIBS})
else()
  find_package(PkgConfig REQUIRED)
  find_package(Threads REQUIRED)
  pkg_check_modules(MORVANTIS_JUCE_DEPS REQUIRED IMPORTED_TARGET libcurl freetype2 libpng)
  find_package(JPEG REQUIRED)
  target_compile_definitions(morvantis_juce PUBLIC JUCE_USE_CURL=1 JUCE_LOAD_CURL_SYMBOLS_LAZILY=0)
  target_link_libraries(morvantis_juce PUBLIC PkgConfig::MORVANTIS_JUCE_DEPS JPEG::JPEG ZLIB::ZLIB Threads::Threads
    ${CMAKE_DL_LIBS} rt)
endif()
