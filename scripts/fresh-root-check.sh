#!/usr/bin/env bash
# The README's commands on a fresh machine: a minimal Debian 12 root made by
# debootstrap (minbase, with only make, git and ca-certificates added), the
# repository cloned into it, and `make test`, `make run` (offscreen, for 20 s)
# and with --ci `.ci/run` run there as root, under the POSIX locale (LANG
# unset, as in containers), with an empty environment and no standard input.
# Reports each step's result and time; exits 0 when every command passed.
#
#   fresh-root-check.sh [--root DIR] [--ref REV] [--ci] [--reuse] [--keep]
#
#   --root DIR  where the root is built (default /var/tmp/orvanta-fresh-root);
#               the logs go to DIR.logs
#   --ref REV   the commit to check (default HEAD of this repository); only
#               committed work is cloned
#   --ci        run .ci/run after make test, in the same clone
#   --reuse     keep a root that an earlier run built, with whatever it has
#               installed since, to save time; only the clone is made anew
#   --keep      leave the root in place afterwards (it is removed otherwise)
#
# Needs root and debootstrap (Debian: debootstrap). The Debian archive is the
# one this machine's own apt sources name.
set -euo pipefail

suite=bookworm
root=/var/tmp/orvanta-fresh-root
ref=HEAD
ci=0
reuse=0
keep=0
usage() {
  sed -n '/^#   fresh-root-check.sh/,/^#   --keep/p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}
while [ $# -gt 0 ]; do
  case "$1" in
    --root) [ $# -ge 2 ] || usage; root=$2; shift ;;
    --ref) [ $# -ge 2 ] || usage; ref=$2; shift ;;
    --ci) ci=1 ;;
    --reuse) reuse=1 ;;
    --keep) keep=1 ;;
    *) usage ;;
  esac
  shift
done

say() { echo "fresh-root: $*"; }
die() {
  echo "fresh-root: $*" >&2
  exit 1
}
[ "$(id -u)" -eq 0 ] || die "run it as root: it runs debootstrap, mount and chroot"
command -v debootstrap >/dev/null || die "debootstrap is missing (apt-get install debootstrap)"

repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse --verify "$ref^{commit}") || die "no commit $ref in $repo"
mkdir -p "$(dirname "$root")"
root=$(realpath -m "$root")
[ "$root" != / ] || die "the root cannot be /"
logs=$root.logs
mkdir -p "$logs"

# --- The archive ------------------------------------------------------------
# Every "deb" entry of this machine's apt sources for the suite and its
# updates and security suites, as "URI SUITE COMPONENT...": one-line entries
# in sources.list and *.list, deb822 stanzas in *.sources.
archive_entries() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    # Options in brackets are dropped: the root trusts Debian's own keyring.
    sed -e 's/#.*//' -e 's/\[[^]]*\]//' "$file" |
      awk -v s="$suite" '$1 == "deb" && ($3 == s || index($3, s "-") == 1) { $1 = ""; sub(/^ /, ""); print }'
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # Stanzas are separated by blank lines, and a comment line does not end
    # one; a field's value may go on over indented lines.
    sed -e '/^[ \t]*#/d' "$file" | awk -v s="$suite" '
      function flush(   n, u, t, i, j, k, uris, suites) {
        if (types ~ /(^| )deb( |$)/ && tolower(enabled) != "no") {
          n = split(uri, uris, " "); t = split(suit, suites, " ")
          for (i = 1; i <= n; i++)
            for (j = 1; j <= t; j++)
              if (suites[j] == s || index(suites[j], s "-") == 1)
                print uris[i], suites[j], comps
        }
        types = uri = suit = comps = enabled = ""; last = ""
      }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ { v = $0; sub(/^[ \t]+/, "", v); value[last] = value[last] " " v; assign(); next }
      {
        last = tolower($0); sub(/:.*/, "", last)
        v = $0; sub(/^[^:]*:[ \t]*/, "", v); value[last] = v; assign()
      }
      function assign() {
        if (last == "types") types = value[last]
        else if (last == "uris") uri = value[last]
        else if (last == "suites") suit = value[last]
        else if (last == "components") comps = value[last]
        else if (last == "enabled") enabled = value[last]
      }
      END { flush() }'
  done
}
entries=$(archive_entries | awk '{ $1 = $1; print }' | sort -u)
mirror=$(awk -v s="$suite" '$2 == s { print $1; exit }' <<<"$entries")
[ -n "$mirror" ] || die "this machine's apt sources name no archive for $suite"

# --- Mounts and what runs in the root ----------------------------------------
mounted=()
mount_in_root() { # target mount-arguments...
  local target=$root/$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mount --make-private "$target"
  mounted+=("$target")
}
# Processes whose root is the new root: whatever a test left running there
# (a scheduler, an X server) would keep its mounts busy.
end_root_processes() {
  local sig p
  for sig in TERM KILL; do
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill "-$sig" "${p#/proc/}" 2>/dev/null
    done
    [ $sig = KILL ] || sleep 2
  done
  return 0
}
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" 2>/dev/null || true
  done
  mounted=()
}
cleanup() {
  local status=$?
  end_root_processes
  unmount_all
  if [ $keep -eq 0 ] && [ -d "$root" ] && ! grep -qF " $root/" /proc/mounts; then
    rm -rf --one-file-system "$root"
  fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

seconds() { echo $((${2:-$(date +%s)} - $1)); }
report=()
# Runs one step, its output to its own log; records its result and time.
step() { # name log command...
  local name=$1 log=$logs/$2 started status=0
  shift 2
  say "$name (log: $log)"
  started=$(date +%s)
  "$@" >"$log" 2>&1 </dev/null || status=$?
  local line
  line=$(printf '%-22s %s in %d s' "$name" "$([ $status -eq 0 ] && echo passed || echo "FAILED (status $status)")" \
    "$(seconds "$started")")
  report+=("$line")
  say "$line"
  if [ $status -ne 0 ]; then
    echo "--- the end of $log:" >&2
    tail -n 60 "$log" >&2
  fi
  return $status
}

# --- The root -----------------------------------------------------------------
# (A step's commands run where errexit does not hold: each failure returns.)
make_root() {
  rm -rf --one-file-system "$root" || return
  debootstrap --variant=minbase --include=make,git,ca-certificates "$suite" "$root" "$mirror" || return
  # apt in the root uses the same archive as this machine, with the same
  # settings for reaching it.
  {
    echo "# This machine's Debian sources, as fresh-root-check.sh found them."
    awk '{ printf "deb %s", $1; for (i = 2; i <= NF; i++) printf " %s", $i; print "" }' <<<"$entries"
  } >"$root/etc/apt/sources.list" || return
  # debootstrap leaves no /etc/hosts, which the installer or the container
  # runtime writes on a real machine: without it "localhost" and the
  # machine's own name, which libcups looks up for every printer a program
  # opens, go to DNS, and printing waits on the network. The installer's
  # entries, with the name this root shares with the machine.
  printf '127.0.0.1\tlocalhost\n127.0.1.1\t%s\n\n::1\tlocalhost ip6-localhost ip6-loopback\n' "$(uname -n)" \
    >"$root/etc/hosts" || return
  local setting value
  for setting in Acquire::Check-Valid-Until Acquire::http::Proxy Acquire::https::Proxy; do
    value=$(apt-config dump "$setting" | awk -v k="$setting" '$1 == k { print $2 }' | tr -d '";')
    [ -z "$value" ] || echo "$setting \"$value\";" >>"$root/etc/apt/apt.conf.d/90fresh-root-check"
  done
  touch "$root/.fresh-root-base"
}

if [ $reuse -eq 1 ] && [ -f "$root/.fresh-root-base" ]; then
  say "reusing the root in $root"
  report+=("$(printf '%-22s reused' root)")
else
  say "building a $suite root in $root from $mirror"
  step root debootstrap.log make_root
fi

mount_in_root proc -t proc proc
mount_in_root sys -t sysfs sysfs
mount_in_root dev --bind /dev
mount_in_root dev/pts --bind /dev/pts
# A machine's own /dev/shm, empty.
mount_in_root dev/shm -t tmpfs -o mode=1777,nosuid,nodev tmpfs

# --- The clone -----------------------------------------------------------------
clone=/root/orvanta
clone_repo() {
  rm -rf "${root:?}$clone" || return
  git clone --quiet --no-hardlinks --no-checkout "$repo" "$root$clone" || return
  git -C "$root$clone" checkout --quiet --detach "$commit" || return
  git -C "$root$clone" log -1 --format='%h %s'
}
step clone clone.log clone_repo

# A command in the clone as a new user of the machine would run it: an empty
# environment but for PATH and HOME (LANG unset: the POSIX locale), Debian's
# default umask whatever the caller's, no standard input.
in_root() { # command-line
  chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root ${extra_env:-} /bin/bash -c "umask 022 && cd $clone && $1"
}

status=0
extra_env="" step "make test" make-test.log in_root "make test" || status=1
end_root_processes
# The other README command, once make test has installed and built: the
# program is started (offscreen: the root has no display) and passes when it
# is still running, at its splash, after 20 s.
run_program() {
  in_root "QT_QPA_PLATFORM=offscreen timeout 20 make run"
  local status=$?
  [ $status -eq 124 ] || { echo "make run ended with status $status before the 20 s"; return 1; }
  echo "make run: the program was still running after 20 s"
}
step "make run" make-run.log run_program || status=1
end_root_processes
if [ $ci -eq 1 ]; then
  extra_env="CI=true" step ".ci/run" ci-run.log in_root "bash .ci/run" || status=1
  end_root_processes
fi

echo
say "$(git -C "$repo" log -1 --format='%h %s' "$commit")"
say "root $root ($(
  . "$root/etc/os-release"
  echo "$PRETTY_NAME"
), locale: $(chroot "$root" /usr/bin/env -i /usr/bin/locale 2>/dev/null | awk -F= '$1 == "LC_CTYPE" { print $2 }'))"
for line in "${report[@]}"; do say "  $line"; done
say "$([ $status -eq 0 ] && echo "PASSED" || echo "FAILED"); logs in $logs"
exit $status
