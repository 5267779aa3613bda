# One place for the language level, warnings and Qt strictness of every target.
add_library(station_options INTERFACE)
target_compile_features(station_options INTERFACE cxx_std_20)
target_compile_options(station_options INTERFACE -Wall -Wextra)
target_compile_definitions(station_options INTERFACE
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH)
if(STATION_WERROR)
  target_compile_options(station_options INTERFACE -Werror)
endif()
if(STATION_SANITIZE)
  target_compile_options(station_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(station_options INTERFACE -fsanitize=address,undefined)
endif()

# Sources of a library are the files of its subsystem folders; a new file needs no list edit.
function(station_glob_sources out_var base_dir)
  file(GLOB_RECURSE _files CONFIGURE_DEPENDS
    ${base_dir}/*.cpp ${base_dir}/*.h)
  set(${out_var} ${_files} PARENT_SCOPE)
endfunction()
