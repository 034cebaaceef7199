# Compile settings every target of the project shares.
function(tavimo_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  endif()
endfunction()

# A portable core library: builds natively and with MinGW.
function(tavimo_core_library name)
  add_library(${name} STATIC ${ARGN})
  tavimo_defaults(${name})
endfunction()

# A Win32 shell library: only in the Windows build.
function(tavimo_win32_library name)
  if(WIN32)
    add_library(${name} STATIC ${ARGN})
    tavimo_defaults(${name})
  endif()
endfunction()

if(WIN32)
  # One self-contained .exe: no MinGW runtime DLL beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
