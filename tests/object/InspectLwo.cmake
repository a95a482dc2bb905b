# zephtool inspect on real objects: run with -DZEPHTOOL=... -DDATA=... -P.
function(inspect file expected_status output_pattern error_pattern)
  execute_process(COMMAND ${ZEPHTOOL} inspect ${ARGN} ${DATA}/${file}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "${file}: exit status ${status}, not ${expected_status}\n${error}")
  endif()
  if(NOT output MATCHES "${output_pattern}")
    message(FATAL_ERROR "${file}: output does not match ${output_pattern}:\n${output}")
  endif()
  if(NOT error MATCHES "${error_pattern}")
    message(FATAL_ERROR "${file}: errors do not match ${error_pattern}:\n${error}")
  endif()
endfunction()

# The reader's own lines first, the report last.
inspect(triangulated/box_2uv_1unused_tri.lwo 0
  "SURF:UNKNOWN: NODS size: 154\n{\"format\":\"LWO2\",\"pointCount\":8,\"triangleCount\":12,\"normalCount\":8,\"bounds\":\\[1,-1,1,0,1,-1\\].*\"surfaceGroups\":\\[{\"surfaceIndex\":0,\"triangleCount\":0},{\"surfaceIndex\":1,\"triangleCount\":12}\\],\"clipNames\":\\[\"any_texture\"\\],\"uvMaps\":\\[{\"name\":\"testUV0\",\"entryCount\":8,\"perPolygon\":true}"
  "^$")
inspect(triangulated/simple_cube_tri.lwo 0
  "\"triangles\":\\[\\[0,1,2\\],.*\"points\":\\[\\[.*\"vertexNormals\":\\[\\["
  "^$" --geometry)
inspect(boxuv.lwo 1 "^$" "^Only triangles are supported, convert to triangulated object.\n$")
inspect(no-such-object.lwo 1 "^$" "^Could not open LWO2 file.\n$")
