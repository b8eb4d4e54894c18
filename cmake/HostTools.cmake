# Build-time generators in tools/ run on the build machine. Natively they are ordinary targets;
# when cross-compiling, tools/ is built once more as its own project with the host compiler.
# sw_host_tool(<var> <name>) sets <var> to something add_custom_command can run and depend on.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(SW_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools
    BINARY_DIR ${SW_HOST_TOOLS_DIR}
    # Optimised only lightly: the tools read a few small files, and every Windows target waits for them.
    CMAKE_ARGS -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG"
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${SW_HOST_TOOLS_DIR}/embed
      ${SW_HOST_TOOLS_DIR}/make_shadow_templates
      ${SW_HOST_TOOLS_DIR}/describe)
  function(sw_host_tool var name)
    set(${var} ${SW_HOST_TOOLS_DIR}/${name} PARENT_SCOPE)
    set(${var}_DEPENDS host_tools PARENT_SCOPE)
  endfunction()
else()
  add_subdirectory(tools)
  function(sw_host_tool var name)
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${var}_DEPENDS ${name} PARENT_SCOPE)
  endfunction()
endif()

# sw_embed(<target> <symbol> <file>): compiles <file> into <target> as
# `extern const std::span<const unsigned char> <symbol>` (namespace sw::resources).
function(sw_embed target symbol file)
  sw_host_tool(embed_tool embed)
  get_filename_component(abs ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${embed_tool} ${symbol} ${abs} ${out}
    DEPENDS ${abs} ${embed_tool_DEPENDS}
    COMMENT "Embedding ${file} as ${symbol}" VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
