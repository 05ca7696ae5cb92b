# The hardening flags Debian builds its own packages with (dpkg-buildflags,
# hardening=+all): buffer functions checked where their sizes are known, a
# protected stack, format strings that cannot come from data, and relocations
# resolved at start and then made read-only. Checked buffer functions need
# optimisation, so Debug builds (the sanitizer build among them) go without.
if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$")
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
                      -fstack-protector-strong -Wformat -Werror=format-security)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
