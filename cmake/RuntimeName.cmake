# The run-time name (soname, e.g. libpng16.so.16) of a library found at build time, for the
# libraries the program opens when first needed instead of linking them; and the Debian package
# that ships it (libpng16-16), for the package's dependencies.
function(obrazor_runtime_name variable library)
  get_filename_component(file "${library}" REALPATH)
  get_filename_component(file "${file}" NAME)
  string(REGEX MATCH "^lib[^.]+\\.so\\.[0-9]+" soname "${file}")
  if(NOT soname)
    message(FATAL_ERROR "cannot tell the run-time name of ${library}")
  endif()
  set(${variable} ${soname} PARENT_SCOPE)
endfunction()

function(obrazor_runtime_package variable soname)
  string(REGEX REPLACE "^(lib[^.]+)\\.so\\.([0-9]+)$" "\\1" name "${soname}")
  string(REGEX REPLACE "^(lib[^.]+)\\.so\\.([0-9]+)$" "\\2" version "${soname}")
  # A name that ends in a digit takes a hyphen before the version (liblcms2-2).
  if(name MATCHES "[0-9]$")
    set(${variable} "${name}-${version}" PARENT_SCOPE)
  else()
    set(${variable} "${name}${version}" PARENT_SCOPE)
  endif()
endfunction()
