# Warnings are errors everywhere; the sanitizers are for the native build.
add_compile_options(-Wall -Wextra -Werror)
# The test builds keep line tables only (what a backtrace or a sanitizer report needs), and the sanitized
# ones optimise at -O1, as the sanitizers advise: a cold build takes about half the compiler time.
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 -g1 -DNDEBUG")
if(WIN32)
  # Texts in the sources are GBK bytes; keep them as written.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
if(SW_SANITIZE)
  set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
  set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1 -DNDEBUG")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
