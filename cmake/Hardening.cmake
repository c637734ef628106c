# The optimised programs are built as Debian builds its own: stack protector, checked string
# and memory functions, and a read-only relocation table bound at start.
if(NOT VORNELLE_SANITIZE AND NOT VORNELLE_FUZZ)
  add_compile_options(-fstack-protector-strong
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
