# Warnings are errors-in-waiting: the tree keeps them at zero.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wno-missing-field-initializers)
