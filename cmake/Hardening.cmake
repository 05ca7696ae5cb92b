# The hardening flags Debian builds its own packages with (dpkg-buildflags,
# hardening=+all): buffer functions checked where their sizes are known, a
# protected stack, format strings that cannot come from data, and relocations
# resolved at start and then made read-only. Checked buffer functions need
# optimisation, and the sanitizer builds check every access themselves, so
# Debug and sanitizer builds go without them.
if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$" AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
                      -fstack-protector-strong -Wformat -Werror=format-security)
endif()
add_link_options(LINKER:-z,relro LINKER:-z,now)
