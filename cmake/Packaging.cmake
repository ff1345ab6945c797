# A Debian package of the installed files: `cpack -G DEB` in a build of the
# release preset, which compiles and links with Debian's hardening flags.
# dpkg-shlibdeps works out the libraries' packages; the charts' font is named
# here, as nothing links to it. Without the Wayland platform plugin Vornel
# cannot start on a Wayland-only desktop, but X11 and XWayland need none.
#
# `lintian -I` on the package prints nothing; tests/install/debian_package.sh
# checks that, and that hardening-check passes on the packaged program, less
# two checks it explains: fortified calls, as the program makes none whose
# destination size the compiler knows, and control-flow protection, which
# Debian 12's dpkg-buildflags does not give.
set(CPACK_PACKAGE_NAME vornel)
set(CPACK_PACKAGE_VENDOR "The Vornel developers")
set(CPACK_PACKAGE_CONTACT "The Vornel developers <vornel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tap-drill reference in Japanese")
set(CPACK_PACKAGE_DESCRIPTION
  "Vornel shows, for ten thread families, the drill for each tapped hole and\n\
the limits of the internal thread's minor diameter, in a Japanese interface.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/vornel/vornel")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)

# The flags come from dpkg-buildflags (dpkg-dev), as in any Debian package
# build, with every hardening feature on (bind now too) unless the caller set
# DEB_BUILD_MAINT_OPTIONS: _FORTIFY_SOURCE, the stack protector, a read-only
# relocation table resolved at start. The compiler makes position-independent
# executables by default.
option(VORNEL_DEB_HARDENING "Compile and link with the flags of dpkg-buildflags" OFF)
if(VORNEL_DEB_HARDENING)
  find_program(VORNEL_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  set(maint_options hardening=+all)
  if(DEFINED ENV{DEB_BUILD_MAINT_OPTIONS})
    set(maint_options "$ENV{DEB_BUILD_MAINT_OPTIONS}")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # From the source folder, so that -ffile-prefix-map maps it.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=${maint_options}
              ${VORNEL_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
      COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL LDFLAGS)
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
    message(STATUS "dpkg-buildflags ${kind}: ${flags}")
  endforeach()
endif()

# Stripping at install (`cmake --install --strip`, and CPack) leaves the
# compilers' version notes in .comment; Debian's packages drop them, as
# dh_strip does.
# The program is in the install's bin folder unless a folder is given.
function(vornel_strip_comment_sections target)
  set(dir ${CMAKE_INSTALL_BINDIR})
  if(ARGC GREATER 1)
    set(dir ${ARGV1})
  endif()
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dir}/$<TARGET_FILE_NAME:${target}>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endfunction()
