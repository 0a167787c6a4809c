# The zip writer links Debian's libzip.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
target_link_libraries(${lib} PRIVATE PkgConfig::LIBZIP)
