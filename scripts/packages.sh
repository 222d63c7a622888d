# The Debian packages each command needs; sourced by run.sh and test.sh.
BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins libgl-dev
                libcli11-dev nlohmann-json3-dev fonts-dejavu-core)
TEST_PACKAGES=("${BUILD_PACKAGES[@]}" clang-format clang-tidy googletest libgtest-dev libgmock-dev
               libbenchmark-dev clang libclang-rt-14-dev xvfb xdotool x11-utils x11-apps
               help2man dpkg-dev fakeroot lintian desktop-file-utils appstream
               g++-mingw-w64-x86-64-posix wine wine64 unzip)
# Only for the screenshots in docs/.
SCREENSHOT_PACKAGES=("${TEST_PACKAGES[@]}" imagemagick openbox)
# Only for renewing the icon's PNGs in res/icons/.
ICON_PACKAGES=(librsvg2-bin)
