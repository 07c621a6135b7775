#!/usr/bin/env bash
# Runs the README's test command (bash tools/test.sh) as root in a fresh
# minimal Debian of release SUITE, on a clean clone of the current commit, and
# prints ctest's summary; exits with ctest's status.
#   Usage (as root): tools/test-in-debian.sh SUITE      e.g. trixie, bookworm
#   RUNS=N  runs ctest N times in a row after the one build (default 1)
#   KEEP=1  keeps the run's folder for a look afterwards
#   CURAVANT_QT=5|6  builds with that Qt instead of the release's own
#   CURAVANT_APT_ALLOW_EXPIRED=1  lets apt inside the throw-away Debian accept
#     a Release file past its validity date (a mirror that serves testing late)
# The minimal system is made once by debootstrap and kept, untouched, in
# $CURAVANT_DEBIAN_CACHE/SUITE-base (default /var/cache/curavant-debian); each
# run works on a copy-on-write layer over it, so every run starts fresh.
# Downloaded packages are kept in SUITE-apt beside it; the whole output of the
# last run goes to SUITE.log there (SUITE-qt5.log with CURAVANT_QT=5).
set -euo pipefail
suite=${1:?usage: tools/test-in-debian.sh SUITE (for example trixie or bookworm)}
runs=${RUNS:-1}
cache=${CURAVANT_DEBIAN_CACHE:-/var/cache/curavant-debian}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "RUNS must be a positive number" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "test-in-debian.sh: needs root (debootstrap, chroot, mounts)" >&2; exit 2; }
allowExpired=${CURAVANT_APT_ALLOW_EXPIRED:-0}
[[ $allowExpired =~ ^[01]$ ]] || { echo "CURAVANT_APT_ALLOW_EXPIRED must be 0 or 1" >&2; exit 2; }

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse HEAD)
[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
  echo "note: uncommitted changes are not tested, only commit ${commit:0:12}"

if ! command -v debootstrap >/dev/null; then
  apt-get update -q && apt-get install -y -q --no-install-recommends debootstrap
fi

# -- the cached base system: made once, used read-only ------------------------
base=$cache/$suite-base
mkdir -p "$cache" "$cache/$suite-apt/partial"
exec 9>"$cache/$suite.lock"
flock 9
# debootstrap removes its own folder inside the target when it has finished.
if [ ! -f "$base/etc/debian_version" ] || [ -d "$base/debootstrap" ]; then
  rm -rf "$base.new"
  debootstrap --variant=minbase "$suite" "$base.new"
  rm -rf "$base"
  mv "$base.new" "$base"
fi
flock -u 9

# -- this run's system ----------------------------------------------------------
run=$(mktemp -d "$cache/$suite-run.XXXXXX")
root=$run/root
log=$cache/$suite${CURAVANT_QT:+-qt$CURAVANT_QT}.log
mounted=()
cleanup() {
  # Processes a test left behind inside the root would keep it busy.
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}"
  done
  if [ "${KEEP:-0}" = 1 ]; then echo "kept $run"; else rm -rf "$run"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mountAt() { # mount ARGS... TARGET
  mount "$@"
  mounted+=("${!#}")
}

mkdir "$run/upper" "$run/work" "$root"
mountAt -t overlay overlay -o "lowerdir=$base,upperdir=$run/upper,workdir=$run/work" "$root"
mountAt -t proc proc "$root/proc"
mountAt -t sysfs sysfs "$root/sys"
mountAt --bind /dev "$root/dev"
mountAt -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mountAt -t tmpfs tmpfs "$root/dev/shm"
mountAt -t tmpfs tmpfs "$root/tmp"
mountAt --bind "$cache/$suite-apt" "$root/var/cache/apt/archives"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# A host behind a TLS-inspecting proxy trusts its certificate through
# NODE_EXTRA_CA_CERTS: npm inside the chroot needs it too to fetch the test LRS.
extraCa=
if [ -n "${NODE_EXTRA_CA_CERTS:-}" ] && [ -r "$NODE_EXTRA_CA_CERTS" ]; then
  extraCa=/etc/curavant-host-extra-ca.crt
  cp -L "$NODE_EXTRA_CA_CERTS" "$root$extraCa"
fi
# Packages must not start services inside the chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
# Only this run's layer gets it: neither the host's apt nor the cached base.
[ "$allowExpired" = 0 ] ||
  echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99curavant-allow-expired"

git clone -q "$repo" "$root/root/curavant"
git -C "$root/root/curavant" checkout -q --detach "$commit"

echo "Debian $suite $(cat "$root/etc/debian_version"), commit ${commit:0:12}, $runs ctest run(s)${CURAVANT_QT:+, Qt $CURAVANT_QT}; output in $log"
set +e
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb RUNS="$runs" CURAVANT_QT="${CURAVANT_QT:-}" \
  ${extraCa:+NODE_EXTRA_CA_CERTS=$extraCa} \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c '
  cd /root/curavant
  # Without its packages nothing after would say what went wrong.
  bash tools/setup.sh || { echo "== set-up failed"; exit 1; }
  bash tools/test.sh
  status=$?
  echo "== the package installed with its recommends, on Wayland"
  bash tools/install-check.sh || status=1
  for ((run = 2; run <= RUNS; run++)); do
    echo "== ctest run $run of $RUNS"
    # The tests of tools/test.sh: sway'"'"'s need a user who can read /root.
    (cd build && ctest --output-on-failure -j"$(nproc)" --timeout 300 -LE sway) || status=1
  done
  exit $status
' >"$log" 2>&1
status=$?
set -e

if grep -qx '== set-up failed' "$log"; then
  reason=$(grep -m1 '^E: ' "$log" || grep -v -x '== set-up failed' "$log" | tail -n 1 || true)
  echo "the set-up inside Debian $suite failed, nothing was built: $reason (all of it in $log)"
  exit $status
fi
echo "== summary"
grep -E '^[0-9]+% tests passed|^Total Test time|installed game|^[[:space:]]+[0-9]+ - .*\(' "$log" ||
  { echo "no ctest summary; the end of $log:"; tail -n 30 "$log"; }
echo "exit status $status"
exit $status
