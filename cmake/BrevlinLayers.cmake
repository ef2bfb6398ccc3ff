# Each library publishes only its own folder of src/, in a root of its own in the build tree
# that holds a link to the folder. Includes name the folder from src/ ("engine/Language.h"); a
# file sees the headers of its own library and of those it links, so an include that runs the
# wrong way does not compile.
function(brevlin_layer target folder)
  brevlin_include_root(${target} PUBLIC ${target} src/${folder} ${folder})
endfunction()

# Makes `source` (a folder of the project) includable as "<as>/..." through a root named `root`.
function(brevlin_include_root target scope root source as)
  set(dir ${PROJECT_BINARY_DIR}/include/${root})
  get_filename_component(parent ${dir}/${as} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  # Made again when the checkout has moved.
  set(target_path)
  if(IS_SYMLINK ${dir}/${as})
    file(READ_SYMLINK ${dir}/${as} target_path)
  endif()
  if(NOT target_path STREQUAL "${PROJECT_SOURCE_DIR}/${source}")
    file(REMOVE ${dir}/${as})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${source} ${dir}/${as} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${dir})
endfunction()
