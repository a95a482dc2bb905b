# zeph_add_production(NAME
#   SOURCES file...         the production: its callbacks and productionInfo()
#   [ENTRY file]            its own productionMain(), built once full screen
#                           and once windowed (NAME_windowed, for tests);
#                           without it, the frame's app/ProductionEntry.cpp,
#                           which runs what productionInfo() describes
#   [DATA_MAKER library]    defines writeProductionData(folder): `NAMEtool make-data`
#   [DATA name...]          the files the maker writes into data/
#   [FOLDER dir]            where NAME and its data/ go (default: here in the build)
#   [TOOL_FOLDER dir]       where NAMEtool goes (default: FOLDER)
#   [DESCRIPTION text]      the Windows version information's description
#   [README file]           the release zip's README.txt)
#
# Gives, in every preset: NAME_production (a library of SOURCES), the
# executable NAME (on Windows with its manifest and version information),
# NAME_windowed, and NAMEtool, the production's own zephtool: play, capture
# (native builds), check, make-data and the file commands. Native builds make
# the data set into FOLDER/data and check it (NAME_data); 32-bit Windows
# builds add NAME_zip, which writes dist/NAME-win32.zip with the data made by
# the native build's NAMEtool. In the web preset NAME is the page's program:
# NAME.js, NAME.wasm, NAME.data (FOLDER/data packed) and the page NAME.html
# in FOLDER (ZephWebPage.cmake).
include(ZephWebPage)

# The native build whose zephtools make the data of cross builds (their
# release zips and end-to-end tests).
set(ZEPH_NATIVE_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/native CACHE PATH
    "Native build whose data/, tools and off-screen helpers the cross builds use")

function(zeph_add_production name)
  cmake_parse_arguments(ARG "" "ENTRY;DATA_MAKER;FOLDER;TOOL_FOLDER;DESCRIPTION;README" "SOURCES;DATA" ${ARGN})
  if(NOT ARG_FOLDER)
    set(ARG_FOLDER ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(NOT ARG_TOOL_FOLDER)
    set(ARG_TOOL_FOLDER ${ARG_FOLDER})
  endif()
  if(NOT ARG_DESCRIPTION)
    set(ARG_DESCRIPTION ${name})
  endif()
  if(NOT ARG_ENTRY)
    set(ARG_ENTRY ${PROJECT_SOURCE_DIR}/app/ProductionEntry.cpp)
  endif()

  add_library(${name}_production STATIC ${ARG_SOURCES})
  target_include_directories(${name}_production PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name}_production PUBLIC zeph_app zeph_audio zeph_image zeph_object OpenGL::GL
                        PRIVATE zeph_warnings)

  _zeph_production_resources(${name} "${ARG_DESCRIPTION}")
  _zeph_production_executable(${name} ${name} $<BOOL:${ZEPH_FULLSCREEN}> ${ARG_ENTRY})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ARG_FOLDER})
  _zeph_production_executable(${name}_windowed ${name} 0 ${ARG_ENTRY})
  if(ZEPH_PLATFORM STREQUAL "web")
    set(has_data OFF)
    if(ARG_DATA)
      set(has_data ON)
    endif()
    _zeph_web_page(${name} ${ARG_FOLDER} ${has_data})
  endif()

  add_executable(${name}tool)
  target_link_libraries(${name}tool PRIVATE zeph_tool_main zeph_tool_libs zeph_player ${name}_production
                                            zeph_warnings)
  if(ARG_DATA_MAKER)
    target_link_libraries(${name}tool PRIVATE ${ARG_DATA_MAKER})
  else()
    target_sources(${name}tool PRIVATE ${PROJECT_SOURCE_DIR}/tools/zephtool/NoDataMaker.cpp)
  endif()
  set_target_properties(${name}tool PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ARG_TOOL_FOLDER})

  if(NOT CMAKE_CROSSCOMPILING AND ARG_DATA)
    set(files ${ARG_DATA})
    list(TRANSFORM files PREPEND ${ARG_FOLDER}/data/)
    add_custom_command(OUTPUT ${files}
                       COMMAND ${name}tool make-data ${ARG_FOLDER}
                       COMMAND ${name}tool check ${ARG_FOLDER}
                       DEPENDS ${name}tool
                       COMMENT "Making and checking ${name}'s data set")
    add_custom_target(${name}_data ALL DEPENDS ${files})
  endif()

  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    file(RELATIVE_PATH tool_in_build ${CMAKE_BINARY_DIR} ${ARG_TOOL_FOLDER}/${name}tool)
    if(NOT ARG_README)
      set(ARG_README ${PROJECT_SOURCE_DIR}/cmake/production-readme.txt)
    endif()
    add_custom_target(${name}_zip
      COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/zip-production.sh $<TARGET_FILE:${name}>
              ${ZEPH_NATIVE_BUILD_DIR}/${tool_in_build} ${ARG_README} ${PROJECT_SOURCE_DIR}/dist/${name}-win32.zip
      DEPENDS ${name}
      COMMENT "Writing dist/${name}-win32.zip")
  endif()
endfunction()

# The manifest and version information of NAME's executables (Windows).
function(_zeph_production_resources name description)
  if(NOT WIN32)
    return()
  endif()
  set(ZEPH_PRODUCTION_NAME ${name})
  set(ZEPH_PRODUCTION_DESCRIPTION ${description})
  set(ZEPH_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  string(REPLACE "." "," ZEPH_VERSION_COMMAS ${ZEPH_VERSION_QUAD})
  set(ZEPH_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/production.manifest ${ZEPH_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/production.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc @ONLY)
  add_library(${name}_resources OBJECT ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}.rc PROPERTIES OBJECT_DEPENDS ${ZEPH_MANIFEST})
endfunction()

# One executable of the production `name`: its entry over the platform's.
function(_zeph_production_executable target name fullscreen entry)
  add_executable(${target} WIN32 ${entry})
  target_link_libraries(${target} PRIVATE ${name}_production zeph_entry zeph_warnings)
  target_compile_definitions(${target} PRIVATE ZEPH_FULLSCREEN=${fullscreen})
  if(TARGET ${name}_resources)
    target_link_libraries(${target} PRIVATE ${name}_resources)
  endif()
endfunction()
