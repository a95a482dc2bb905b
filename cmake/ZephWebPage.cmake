# _zeph_web_page(NAME FOLDER HAS_DATA), for zeph_add_production in the web
# preset: links the executable NAME as a web page's program, NAME.js and
# NAME.wasm in FOLDER, with FOLDER/data packed into NAME.data (opened by the
# same names, "data/..."), and writes the page, FOLDER/NAME.html, from
# app/page.html.in. The page takes its title and size from the production's
# record and calls main after its "click to start".
#
# The run loop's swap awaits the next animation frame through Asyncify, so
# DemoApp::run stays one piece. Only the functions on the way down to that
# wait are instrumented (the callbacks never wait; run reaches the window's
# swap through FrameWindow's virtual call, which an instrumented caller
# treats as one that may wait): the rest, the decoders above all, run at full
# speed, and the .wasm is a quarter smaller. (The linker warns when the
# optimiser has inlined productionMain into main.)
function(_zeph_web_page name folder has_data)
  target_link_options(${name} PRIVATE
    -fexceptions
    -sASYNCIFY=1
    "-sASYNCIFY_ONLY=['main','productionMain()','DemoApp::run()','WebWindow::swap(DemoApp&)']"
    -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web
    -sINVOKE_RUN=0
    "-sEXPORTED_RUNTIME_METHODS=['callMain','ENV','FS']")
  set(ZEPH_PAGE_NAME ${name})
  configure_file(${PROJECT_SOURCE_DIR}/app/page.html.in ${folder}/${name}.html @ONLY)
  if(NOT has_data)
    return()
  endif()
  # The native NAMEtool makes the data set (scripts/package-web.sh does for zeph).
  if(IS_DIRECTORY ${folder}/data)
    file(GLOB data_files ${folder}/data/*)
    target_link_options(${name} PRIVATE --preload-file ${folder}/data@data)
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${data_files})
  else()
    message(STATUS "${folder}/data does not exist: ${name}'s page has no data "
                    "(`${name}tool make-data ${folder}` of a native build makes it)")
  endif()
endfunction()
