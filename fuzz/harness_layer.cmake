# The library a fuzz harness links: zelph::<layer> when its name starts with "<layer>_", else zelph::app.
function(zelph_fuzz_harness_layer name out)
  string(REGEX MATCH "^[a-z]+" prefix "${name}")
  if(TARGET zelph::${prefix} AND NOT prefix STREQUAL "app")
    set(${out} zelph::${prefix} PARENT_SCOPE)
  else()
    set(${out} zelph::app PARENT_SCOPE)
  endif()
endfunction()
