# Warnings are errors in the project's own code.
function(hikewise_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wformat=2 -Werror)
endfunction()

# Applies AddressSanitizer and UndefinedBehaviorSanitizer to a target, with
# the check of float-to-integer conversions that overflow, which GCC leaves
# out of "undefined".
function(hikewise_sanitize target)
  target_compile_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
endfunction()

# Applies ThreadSanitizer to a target.
function(hikewise_sanitize_threads target)
  target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(${target} PRIVATE -fsanitize=thread)
endfunction()
