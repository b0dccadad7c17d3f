# Release builds get Debian's hardening flags (dpkg-buildflags' "hardening=+all" set for C++):
# fortified libc calls, a strong stack protector, stack clash protection, and a read-only GOT
# bound at start (relro, bindnow). Debug, sanitizer and fuzz builds keep their own flags.
option(P330_HARDENING "Build release builds with Debian's hardening flags" ON)

set(P330_RELEASE_TYPES Release RelWithDebInfo MinSizeRel)
if(P330_HARDENING AND NOT P330_SANITIZE AND NOT P330_FUZZERS
   AND CMAKE_BUILD_TYPE IN_LIST P330_RELEASE_TYPES)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong
                      -fstack-clash-protection -Wformat -Werror=format-security)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
  set(P330_FORTIFIED ON)
  message(STATUS "p330: hardened release build")
endif()
