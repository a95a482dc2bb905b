# zeph_web_page(target [DATA folder]): links a production as a web page's
# program: zeph.js and zeph.wasm beside it, with the production's data folder
# packed into zeph.data, opened by the same names ("data/..."). The page
# (index.html) calls main after its "click to start".
#
# The run loop's swap awaits the next animation frame through Asyncify, so
# DemoApp::run stays one piece. Only the functions on the way down to that
# wait are instrumented (the callbacks never wait; run reaches the window's
# swap through FrameWindow's virtual call, which an instrumented caller
# treats as one that may wait): the rest, the decoders above all, run at full
# speed, and the .wasm is a quarter smaller. (The linker warns when the
# optimiser has inlined productionMain into main.)
function(zeph_web_page target)
  cmake_parse_arguments(PAGE "" "DATA" "" ${ARGN})
  target_link_options(${target} PRIVATE
    -fexceptions
    -sASYNCIFY=1
    "-sASYNCIFY_ONLY=['main','productionMain()','DemoApp::run()','WebWindow::swap(DemoApp&)']"
    -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web
    -sINVOKE_RUN=0
    "-sEXPORTED_RUNTIME_METHODS=['callMain','ENV','FS']")
  if(PAGE_DATA AND IS_DIRECTORY ${PAGE_DATA})
    file(GLOB data_files ${PAGE_DATA}/*)
    target_link_options(${target} PRIVATE --preload-file ${PAGE_DATA}@data)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${data_files})
  elseif(PAGE_DATA)
    message(WARNING "${PAGE_DATA} does not exist: ${target}'s page has no data (scripts/package-web.sh makes it)")
  endif()
endfunction()
