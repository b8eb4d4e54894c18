# Warnings are errors everywhere; the sanitizers are for the native build.
add_compile_options(-Wall -Wextra -Werror)
if(WIN32)
  # Texts in the sources are GBK bytes; keep them as written.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
if(SW_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
