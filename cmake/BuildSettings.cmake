# Shared compile settings for every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

option(VORN_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(VORN_ASAN "Build with the address and undefined-behaviour sanitizers" OFF)

add_library(vorn_build_settings INTERFACE)
target_compile_options(vorn_build_settings INTERFACE -Wall -Wextra)
target_compile_definitions(vorn_build_settings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER)
if(VORN_WARNINGS_AS_ERRORS)
  target_compile_options(vorn_build_settings INTERFACE -Werror)
endif()
if(VORN_ASAN)
  target_compile_options(vorn_build_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(vorn_build_settings INTERFACE -fsanitize=address,undefined)
endif()
