# Warnings are errors-in-waiting: the tree keeps them at zero.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor>)
