# Installs the build into STAGE_DIR (DESTDIR, prefix /usr, as a package lays it out) and checks
# that every file is where the freedesktop standards look for it, that the menu entry
# validates and that the MIME type builds into a database matching .KYV in any case.
# Run by CTest: cmake -DBUILD_DIR=... -DSTAGE_DIR=... -DICON_SIZES=... -P CheckInstalledTree.cmake
file(REMOVE_RECURSE ${STAGE_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE_DIR}
          ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

set(root ${STAGE_DIR}/usr)
set(expected
  bin/kyv
  bin/kyv-cli
  share/applications/kyv.desktop
  share/mime/packages/kyv.xml
  share/icons/hicolor/scalable/apps/kyv.svg
  share/kyv/examples/Robot/Robot.KYV
  share/kyv/examples/Robot/README.md)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kyv.png)
endforeach()
set(missing)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${root}/${file})
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "Not installed under ${root}: ${missing}")
endif()

foreach(program bin/kyv bin/kyv-cli)
  execute_process(COMMAND test -x ${root}/${program} RESULT_VARIABLE not_executable)
  if(not_executable)
    message(FATAL_ERROR "${program} is installed without execute permission")
  endif()
endforeach()

# The programs are installed stripped: their section names hold no debug section.
foreach(program bin/kyv bin/kyv-cli)
  file(STRINGS ${root}/${program} debug_sections REGEX "^\\.debug_(info|line)$" LIMIT_COUNT 1)
  if(debug_sections)
    message(FATAL_ERROR "${program} is installed with debug information (${debug_sections})")
  endif()
endforeach()

# Each PNG is drawn at the size of the folder it lies in (width and height from the IHDR chunk).
foreach(size IN LISTS ICON_SIZES)
  set(png ${root}/share/icons/hicolor/${size}x${size}/apps/kyv.png)
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${png} is not a ${size}x${size} PNG (${width}x${height})")
  endif()
endforeach()

# The entry opens projects: it takes a file and names the type the MIME package defines.
file(READ ${root}/share/applications/kyv.desktop entry)
foreach(line "Exec=kyv %f" "Icon=kyv" "MimeType=application/x-kyv-project;")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "kyv.desktop lacks the line ${line}")
  endif()
endforeach()

if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${root}/share/applications/kyv.desktop
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate rejects kyv.desktop:\n${output}")
  endif()
else()
  message(STATUS "desktop-file-validate not found: the entry's syntax is not checked")
endif()

if(UPDATE_MIME_DATABASE)
  # Told where the tree is, so it does not warn that the folder is off the data path.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${root}/share XDG_DATA_HOME=${root}/share
            ${UPDATE_MIME_DATABASE} ${root}/share/mime
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR output MATCHES "[A-Za-z]")
    message(FATAL_ERROR "update-mime-database rejects kyv.xml:\n${output}")
  endif()
  # globs2 lines read weight:type:pattern; without a case-sensitive flag the match ignores case.
  file(STRINGS ${root}/share/mime/globs2 globs REGEX "application/x-kyv-project")
  if(NOT globs MATCHES "^[0-9]+:application/x-kyv-project:\\*\\.kyv$")
    message(FATAL_ERROR "The MIME database has no case-insensitive *.kyv glob: '${globs}'")
  endif()
else()
  message(STATUS "update-mime-database not found: the MIME package is not compiled")
endif()
message(STATUS "Installed tree in ${root} is complete")
