# cmake -DSETUP=calendario-<version>-setup.exe -DPARTS=<folder> -DOUT=<folder> -P WingetManifest.cmake
# Writes each file of PARTS into OUT with the setup's SHA-256 in its place, and nothing else
# into OUT, from which a release takes the manifest whole.
cmake_minimum_required(VERSION 3.25)
file(SHA256 ${SETUP} CALENDARIO_SETUP_SHA256)
string(TOUPPER ${CALENDARIO_SETUP_SHA256} CALENDARIO_SETUP_SHA256)
file(REMOVE_RECURSE ${OUT})
file(GLOB parts ${PARTS}/*.yaml)
foreach(part IN LISTS parts)
  get_filename_component(name ${part} NAME)
  configure_file(${part} ${OUT}/${name} @ONLY)
endforeach()
