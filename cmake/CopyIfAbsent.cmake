# Copies every file of SOURCE_DIR into TARGET_DIR unless a file of that name is already there.
file(GLOB defaults RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(name IN LISTS defaults)
  if(NOT EXISTS ${TARGET_DIR}/${name})
    file(COPY ${SOURCE_DIR}/${name} DESTINATION ${TARGET_DIR})
  endif()
endforeach()
