# An optional part whose tool or library is missing stops the configuration with a message that
# says what is missing, which Debian package provides it, and how to build without that part.
function(qmv718_missing_for option what package)
  message(FATAL_ERROR
    "${option} is ON, but ${what} was not found (Debian package: ${package}).\n"
    "Install it, or configure with -D${option}=OFF to build without it.")
endfunction()
