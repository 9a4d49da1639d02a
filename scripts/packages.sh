# Sourced by the scripts that build, test and run Marquill: installs the
# Debian packages a step needs, and only when something is missing.
#
#   need_packages build wine screenshot

# One line per need: a command (or an absolute file path) that must exist,
# then the package that brings it.
package_needs() {
  case "$1" in
    build)
      cat <<'LIST'
cmake cmake
make make
g++ g++
python3 python3
clang-format clang-format
/usr/include/gtest/gtest.h libgtest-dev
/usr/src/googletest/CMakeLists.txt googletest
x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
x86_64-w64-mingw32-windres binutils-mingw-w64-x86-64
LIST
      ;;
    wine)
      cat <<'LIST'
wine wine
/usr/lib/wine/wine64 wine64
Xvfb xvfb
xprop x11-utils
/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf fonts-liberation
/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf fonts-dejavu-core
LIST
      ;;
    screenshot)
      cat <<'LIST'
import imagemagick
xdotool xdotool
LIST
      ;;
  esac
}

need_packages() {
  local missing=() group need package
  for group in "$@"; do
    while read -r need package; do
      if [[ $need == /* ]]; then
        [ -e "$need" ] && continue
      else
        command -v "$need" >/dev/null 2>&1 && continue
      fi
      missing+=("$package")
    done < <(package_needs "$group")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -q &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}
