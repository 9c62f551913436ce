#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Anemora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package from an optimised, stripped build with Debian's
# compiler flags, then checks it: lintian with no error or warning, the
# desktop entry and AppStream metadata, the binary's size, and an install,
# run and removal on this machine. The run is an ordinary user's, under a
# virtual display, on the demo feed: the window must show the feed's first
# weather report as packaging/check/first-report.png does. The service
# anemorad: its unit passes systemd-analyze's verify and is sandboxed to an
# exposure of at most 2.0, and, started by hand as the unit would start it
# (no systemd here), it logs and publishes the demo feed's reports and ends
# cleanly on SIGTERM.
# Build directory: build-pkg/ (or $ANEMORA_PACKAGE_BUILD_DIR); the window
# captures are left in its package-check/ folder.
#
# With --arch arm64 it cross-builds the package for 64-bit Arm instead, in
# build-pkg-arm64/, with the host's Qt tools and the arm64 libraries that
# multiarch installs. The package gets the same checks but for the
# install and the window, which need an arm64 machine. In their place
# user-mode emulation runs the guiless tests, the arm64 anemorad under the
# service's test and, from the package, on the demo feed, and the decode
# benchmark's file, whose decoded output must be the same bytes as this
# machine's build makes; the benchmark's ns/line is printed as a ratio to
# the native figure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native_build=${ANEMORA_PACKAGE_BUILD_DIR:-$root/build-pkg}
build=$native_build
arch=$(dpkg --print-architecture)
native_arch=$arch
reference=$root/packaging/check/first-report.png
call=Q1ABC-13
max_binary_bytes=$((1024 * 1024))
max_exposure=2.0
unit=usr/lib/systemd/system/anemorad.service
examples=usr/share/doc/anemora/examples/etc-anemora

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
# The installed program keeps its settings beside itself when it may write
# there, so it must run as someone who may not.
# It starts in / since the checkout may sit in a folder only root can enter.
as_user() { if [ "$(id -u)" -eq 0 ]; then (cd / && runuser -u nobody -- "$@"); else "$@"; fi; }
fail() {
  echo "package: $*" >&2
  exit 1
}

case "$*" in
  "" | "--arch $native_arch") ;;
  "--arch arm64")
    arch=arm64
    build=$native_build-arm64
    ;;
  *) fail "usage: package.sh [--arch arm64]" ;;
esac
cross() { [ "$arch" != "$native_arch" ]; }

if cross; then
  "$root/scripts/install-deps.sh" --arch "$arch"
else
  "$root/scripts/install-deps.sh"
fi

# Configures an optimised build with Debian's flags for the host
# architecture that dpkg-architecture gives. Arguments: build folder, more
# cmake arguments.
configure() {
  local folder=$1
  shift
  cmake -S "$root" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@"
}

echo "== build"
cd "$root" # the prefix map in Debian's flags is taken from here
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# No debug information: it would only be stripped again.
export DEB_CXXFLAGS_MAINT_STRIP=-g
configure "$native_build" -DANEMORA_BUILD_TESTS=OFF
if cross; then
  # The replay server and the benchmark this machine runs beside the
  # emulated programs.
  cmake --build "$native_build" -j2 --target aprs_replay_server anemora_bench
  eval "$(CC=aarch64-linux-gnu-gcc dpkg-architecture -a "$arch" -s)"
  # Installing builds only what the package holds, not every test.
  configure "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DCPACK_DEBIAN_PACKAGE_ARCHITECTURE="$arch"
  mapfile -t emulated_tests < <(ctest --test-dir "$build" -N -L guiless -LE 'bench|processes' |
    sed -n 's/^ *Test *#[0-9]*: //p')
  cmake --build "$build" -j2 --target anemora anemorad anemora_packaging_docs anemora_bench \
    "${emulated_tests[@]}"

  echo "== guiless tests under emulation"
  ctest --test-dir "$build" --output-on-failure -L guiless -LE 'bench|processes'

  echo "== the service's test, run here, on the emulated anemorad"
  # The emulator cannot start a program from an emulated test, so the test
  # is this machine's own (build/ of scripts/test.sh, or built now).
  ANEMORA_BUILD_DIR="$root/build" ANEMORA_TARGETS=tst_anemorad "$root/scripts/build.sh" >/dev/null
  emulated=$(mktemp -d)
  printf '#!/bin/sh\nexec qemu-aarch64-static "%s" "$@"\n' "$build/src/anemorad" >"$emulated/anemorad"
  chmod 755 "$emulated" "$emulated/anemorad"
  ANEMORAD_PROGRAM=$emulated/anemorad QT_QPA_PLATFORM=offscreen "$root/build/tests/tst_anemorad"
  rm -rf "$emulated"

  echo "== the decode benchmark's file, decoded here and under emulation"
  lines=$(mktemp -d)
  "$root/scripts/bench-lines.sh" "$lines/weather.txt"
  # Numbers in the program's home locale, whose grouping and decimal comma
  # take the longest path.
  LC_ALL=it_IT.UTF-8 "$native_build/tools/anemora_bench" show "$lines/weather.txt" \
    >"$lines/$native_arch.out"
  LC_ALL=it_IT.UTF-8 qemu-aarch64-static "$build/tools/anemora_bench" show "$lines/weather.txt" \
    >"$lines/$arch.out"
  cmp "$lines/$native_arch.out" "$lines/$arch.out" ||
    fail "the $arch build decodes the benchmark's file otherwise: $lines/$arch.out"
  echo "$(wc -l <"$lines/$arch.out") lines of decoded output, the same bytes on $native_arch and $arch"
  ns_per_line() {
    LC_ALL=it_IT.UTF-8 "$@" decode "$lines/weather.txt" | sed -n 's/.*, \([0-9]*\) ns\/line$/\1/p'
  }
  native_ns=$(ns_per_line "$native_build/tools/anemora_bench")
  emulated_ns=$(ns_per_line qemu-aarch64-static "$build/tools/anemora_bench")
  # Emulation is no Raspberry Pi: only the ratio is worth printing.
  awk -v n="$native_ns" -v e="$emulated_ns" \
    'BEGIN { printf "decode: %d ns/line on '"$native_arch"', %d under emulation: %.1f times\n", n, e, e / n }'
  rm -rf "$lines"
else
  cmake --build "$build" -j2
fi
rm -f "$build"/anemora_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/anemora_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "cpack made no package"
echo "package: $deb"

work=$(mktemp -d)
chmod 755 "$work"
server_pid=
broker_pid=
service_pid=
installed=
cleanup() {
  for pid in "$service_pid" "$server_pid" "$broker_pid"; do
    if [ -n "$pid" ]; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  if [ -n "$installed" ]; then
    as_root dpkg -r anemora >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

start_server() {
  # The monitor holds ports in 16 signed bits: draw one below 32768.
  for attempt in $(seq 1 20); do
    port=$((20000 + RANDOM % 12000))
    # A new file each time: an earlier server's "listening" must not count.
    log=$work/server-$2-$attempt.out
    "$native_build/tools/aprs_replay_server" --port "$port" "$1" >"$log" 2>&1 &
    server_pid=$!
    while ! grep -q '^listening' "$log" 2>/dev/null && kill -0 "$server_pid" 2>/dev/null; do
      sleep 0.1
    done
    grep -q '^listening' "$log" && return 0
    wait "$server_pid" || true
    server_pid=
  done
  cat "$log" >&2
  fail "the replay server could not start"
}

stop_server() {
  kill "$server_pid" && wait "$server_pid" || true
  server_pid=
}

echo "== contents"
dpkg-deb -x "$deb" "$work/tree"
version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Version)
[ "$version" = "$changelog_version" ] ||
  fail "package version $version, but packaging/changelog's latest entry is $changelog_version"
binary=$work/tree/usr/lib/anemora/anemora
binary_bytes=$(stat -c %s "$binary")
echo "installed binary: $binary_bytes bytes; Installed-Size: $(dpkg-deb -f "$deb" Installed-Size) KiB"
[ "$binary_bytes" -lt "$max_binary_bytes" ] || fail "the binary is $binary_bytes bytes"
file "$binary" | grep -q ', stripped' || fail "the binary is not stripped"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland ||
  fail "the package does not recommend qt6-wayland: no native window on a Wayland desktop"
hints=$(desktop-file-validate "$work/tree/usr/share/applications/anemora.desktop" 2>&1) ||
  fail "desktop-file-validate: $hints"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"
appstreamcli validate-tree --no-net "$work/tree"

echo "== service"
for path in usr/bin/anemorad "$unit" usr/share/man/man8/anemorad.8.gz \
  "$examples"/{Params.ini,WxAlarms.ini,Aprserve.txt,Anemora.ini}; do
  [ -f "$work/tree/$path" ] || fail "the package has no /$path"
done
file "$work/tree/usr/bin/anemorad" | grep -q ', stripped' || fail "anemorad is not stripped"
# A service for a machine with no screen must not pull in the desktop's Qt.
gui_libraries=$(readelf -d "$work/tree/usr/bin/anemorad" |
  grep -Eo 'libQt6(Gui|Widgets|Multimedia|Charts|OpenGL)[^]]*' || true)
[ -z "$gui_libraries" ] || fail "anemorad links $gui_libraries"
# Installed, not enabled: no maintainer script may start or enable the unit.
dpkg-deb -e "$deb" "$work/control"
for script in postinst preinst prerm postrm; do
  [ ! -e "$work/control/$script" ] || fail "the package has a $script script"
done
grep -qx 'Documentation=man:anemorad(8)' "$work/tree/$unit" ||
  fail "the unit does not point at its manual page"
security=$(systemd-analyze security --offline=yes --no-pager "$work/tree/$unit" 2>&1) ||
  fail "systemd-analyze security: $security"
exposure=$(sed -n 's/.*Overall exposure level for anemorad.service: \([0-9.]*\).*/\1/p' <<<"$security")
[ -n "$exposure" ] || fail "systemd-analyze security printed no exposure: $security"
echo "anemorad.service: exposure $exposure (at most $max_exposure)"
awk -v e="$exposure" -v max="$max_exposure" 'BEGIN { exit !(e <= max) }' ||
  fail "anemorad.service's exposure is $exposure, above $max_exposure: $security"

echo "== lintian"
# Lintian warns when run as root; the user may not read the build folder.
install -m 644 "$deb" "$work/"
as_user lintian --fail-on error,warning --display-info "$work/$(basename "$deb")"

# The install and the window need a machine of the package's architecture.
if ! cross; then
  echo "== install"
  as_root dpkg -i "$deb"
  installed=yes
  files=$(dpkg -L anemora)
  # The manual page is checked above; a container may leave /usr/share/man out.
  verified=$(systemd-analyze verify --man=no "/$unit" 2>&1) ||
    fail "systemd-analyze verify /$unit: $verified"
  [ -z "$verified" ] || fail "systemd-analyze verify /$unit: $verified"

  echo "== run on the demo feed, as an ordinary user under a virtual display"
  # Two runs: the demo feed, whose first report must reach the window, and the
  # same feed without the station, whose window must not pass for it.
  mkdir "$work/out"
  grep -v "^[0-9.]* $call>" "$root/resources/demo/feed.txt" >"$work/no-station.txt"
  cp "$root/resources/demo/feed.txt" "$work/feed.txt"
  cp "$reference" "$work/reference.png"
  chmod 644 "$work"/*.txt "$work/reference.png"
  if [ "$(id -u)" -eq 0 ]; then chown nobody "$work/out"; fi

  # Runs inside the display as the user: starts the program, captures its
  # window until it matches the reference (or for the wait given), ends it
  # with SIGTERM and requires a clean exit.
  # Arguments: port, output name, "match" or "differ".
  run_in_display='
set -u
port=$1 name=$2 want=$3 out=$OUT
export HOME=$out/home-$name XDG_RUNTIME_DIR=$out/home-$name/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
/usr/bin/anemora "$CALL" "S:127.0.0.1:$port" >"$out/$name.log" 2>&1 &
pid=$!
result=timeout
for step in $(seq 1 60); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || { result=died; break; }
  import -window "$CALL Wx Station" "$out/$name.png" 2>/dev/null || continue
  # Pixels off by more than 10%; another size counts as all of them.
  differing=$(compare -metric AE -fuzz 10% "$out/reference.png" "$out/$name.png" null: 2>&1) || true
  case $differing in
    "" | *[!0-9]*) differing=999999 ;;
  esac
  echo "$differing" >"$out/$name.diff"
  if [ "$want" = match ] && [ "$differing" -le 20 ]; then result=ok; break; fi
  if [ "$want" = differ ] && [ "$step" -ge 12 ]; then
    if [ "$differing" -gt 1000 ]; then result=ok; else result=matched; fi
    break
  fi
done
if kill -0 "$pid" 2>/dev/null; then
  kill -TERM "$pid"
  wait "$pid"
  status=$?
else
  wait "$pid"
  status=$?
fi
echo "$result $status" >"$out/$name.result"
'
  run_check() { # feed, name, match|differ
    start_server "$1" "$2"
    cp "$work/reference.png" "$work/out/reference.png"
    as_user env OUT="$work/out" CALL="$call" \
      xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$run_in_display" _ "$port" "$2" "$3"
    stop_server
    read -r result status <"$work/out/$2.result"
    echo "$2: $result, exit status $status, $(cat "$work/out/$2.diff" 2>/dev/null) pixels differ"
    mkdir -p "$build/package-check"
    cp "$work/out/$2".* "$build/package-check/" 2>/dev/null || true
    if [ "$result" != ok ] || [ "$status" -ne 0 ]; then
      cat "$work/out/$2.log" >&2
      fail "$2: the window is in $build/package-check/$2.png, to compare with $reference"
    fi
  }
  run_check "$work/feed.txt" demo match
  [ -f "$work/out/home-demo/.config/Anemora/WxAlarms.ini" ] ||
    fail "the program kept no settings in the user's folder"
  # The station's log must hold the first report as decoded: 212 degrees,
  # 76 % humidity, 1013.2 mb.
  cat "$work/out/home-demo/.local/share/Anemora/$call"_*.csv 2>/dev/null |
    awk -F, -v call="$call" '{ gsub(/"/, "", $2) }
      $2 == call && $3 == "212" && $8 == "76" && $9 > 1013.15 && $9 < 1013.25 { found = 1 }
      END { exit !found }' || fail "the station's log has no row for the first report"
  run_check "$work/no-station.txt" no-station differ
fi

echo "== anemorad on the demo feed, as the unit would start it"
# Another architecture's anemorad runs from the package's files, emulated.
if cross; then
  installed_root=$work/tree
  service_launcher=(qemu-aarch64-static)
else
  installed_root=
  service_launcher=()
fi
# No systemd runs here, so the check gives anemorad what the unit gives it:
# another user, the settings and state folders in its environment, a umask
# of 0077, no home. The settings are the packaged examples, pointed at the
# replay server and at a broker on this machine.
# Run in a subshell, which becomes the program itself (setpriv execs too),
# so a signal sent to the subshell's pid reaches the program.
as_service_user() {
  if [ "$(id -u)" -eq 0 ]; then
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all -- "$@"
  else
    exec "$@"
  fi
}
service=$work/service
mkdir -p "$service/config" "$service/state"
cp "$installed_root/$examples"/* "$service/config/"
chmod -R go-w,a+rX "$service/config"
if [ "$(id -u)" -eq 0 ]; then chown nobody "$service/state"; fi
chmod 700 "$service/state"

for _ in $(seq 1 20); do
  broker_port=$((20000 + RANDOM % 12000))
  printf 'listener %s 127.0.0.1\nallow_anonymous true\n' "$broker_port" >"$service/mosquitto.conf"
  chmod 644 "$service/mosquitto.conf"
  (cd / && as_service_user mosquitto -c "$service/mosquitto.conf") >"$service/broker.log" 2>&1 &
  broker_pid=$!
  while kill -0 "$broker_pid" 2>/dev/null &&
    ! mosquitto_pub -h 127.0.0.1 -p "$broker_port" -t probe -n 2>/dev/null; do
    sleep 0.1
  done
  kill -0 "$broker_pid" 2>/dev/null && break
  wait "$broker_pid" || true
  broker_pid=
done
[ -n "$broker_pid" ] || fail "mosquitto could not start: $(cat "$service/broker.log")"

cp "$root/resources/demo/feed.txt" "$work/service-feed.txt"
chmod 644 "$work/service-feed.txt"
start_server "$work/service-feed.txt" service
sed -i "3s/.*/\"127.0.0.1\",$port,0,#TRUE#\r/" "$service/config/Params.ini"
sed -i -e 's/^Enabled=false/Enabled=true/' -e "s/^Port=1883/Port=$broker_port/" \
  "$service/config/Anemora.ini"
grep -q "^Port=$broker_port" "$service/config/Anemora.ini" ||
  fail "the example Anemora.ini has no broker port to set"

(
  cd /
  umask 0077
  as_service_user env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME=/ \
    CONFIGURATION_DIRECTORY="$service/config" STATE_DIRECTORY="$service/state" \
    QT_ENABLE_REGEXP_JIT=0 "${service_launcher[@]}" "$installed_root/usr/bin/anemorad"
) 2>"$service/anemorad.err" &
service_pid=$!
logged=
for _ in $(seq 1 120); do
  if cat "$service/state/$call"_*.csv 2>/dev/null |
    awk -F, -v call="$call" '{ gsub(/"/, "", $2) }
      $2 == call && $3 == "212" && $8 == "76" && $9 > 1013.15 && $9 < 1013.25 { found = 1 }
      END { exit !found }'; then
    logged=yes
    break
  fi
  kill -0 "$service_pid" 2>/dev/null || break
  sleep 0.5
done
[ -n "$logged" ] || {
  cat "$service/anemorad.err" >&2
  fail "anemorad logged no row for the first report in $service/state"
}
state_topic="anemora/${call,,}"
published=$(mosquitto_sub -h 127.0.0.1 -p "$broker_port" -t "$state_topic/state" -C 1 -W 30) ||
  fail "anemorad published no report to $state_topic/state"
grep -q "\"station\":\"$call\"" <<<"$published" || fail "anemorad published $published"
for csv in "$service/state/$call"_*.csv; do
  mode=$(stat -c %a "$csv")
  [ "$mode" = 600 ] || fail "the log $csv has mode $mode under a umask of 0077"
done
kill -TERM "$service_pid"
status=0
wait "$service_pid" || status=$?
service_pid=
stop_server
availability=$(mosquitto_sub -h 127.0.0.1 -p "$broker_port" -t "$state_topic/availability" \
  -C 1 -W 10) || fail "nothing retained on $state_topic/availability"
echo "anemorad: logged and published the first report, left $availability, exit status $status"
[ "$status" -eq 0 ] || {
  cat "$service/anemorad.err" >&2
  fail "anemorad ended with status $status on SIGTERM"
}
[ "$availability" = offline ] || fail "anemorad left $availability on the broker"
# journald takes each line's priority from its <N> prefix.
unprefixed=$(grep -v '^<[0-7]>' "$service/anemorad.err" || true)
[ -s "$service/anemorad.err" ] || fail "anemorad said nothing on standard error"
[ -z "$unprefixed" ] || fail "anemorad wrote lines with no priority prefix: $unprefixed"
kill "$broker_pid" && wait "$broker_pid" || true
broker_pid=

if cross; then
  echo "package: $deb passed lintian, and its anemorad decoded the demo feed under emulation"
  exit 0
fi

echo "== remove"
as_root dpkg -r anemora
installed=
left=
while IFS= read -r path; do
  # Folders such as /usr/share are shared with other packages.
  if [ -L "$path" ] || { [ -e "$path" ] && [ ! -d "$path" ]; }; then
    left="$left $path"
  fi
done <<<"$files"
for folder in /usr/lib/anemora /usr/share/doc/anemora; do
  [ ! -e "$folder" ] || left="$left $folder"
done
[ -z "$left" ] || fail "left after removal:$left"
status=$(dpkg-query -W -f '${db:Status-Status}' anemora 2>/dev/null || true)
case $status in
  "" | not-installed) ;;
  *) fail "dpkg still lists anemora as $status" ;;
esac
echo "package: $deb passed lintian, installed, decoded the demo feed, ran the service and was removed"
