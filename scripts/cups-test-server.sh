#!/usr/bin/env bash
# A private CUPS scheduler for the printing tests, so that a test prints for
# real without touching the machine's own printers or queues.
#
#   cups-test-server.sh start DIR [--no-printer] [--owner PID]
#   cups-test-server.sh stop DIR
#
# Everything lives in DIR: configuration, spool, cache, state, logs and the
# Unix socket DIR/cups.sock, the only place it listens (no TCP port). Clients
# reach it with CUPS_SERVER=DIR/cups.sock. Unless --no-printer, it has one
# queue, PDF, the default destination: a raw queue whose backend keeps each
# job's file, as the client sent it, as DIR/out/job-ID.pdf. With --owner, the
# scheduler is also stopped within a second of process PID ending, so a test
# that crashes or is killed leaves no daemon behind. A start that fails says
# why (the scheduler's exit status, output and error_log) and leaves nothing
# running.
set -euo pipefail
# The backend runs as the scheduler's unprivileged user, which must reach its
# program and folders whatever the caller's umask.
umask 022

usage() {
  echo "usage: $0 start DIR [--no-printer] [--owner PID] | stop DIR" >&2
  exit 2
}
fail() {
  echo "cups-test-server: $*" >&2
  exit 1
}

[ $# -ge 2 ] || usage
command=$1
dir=$(cd "$2" && pwd) || fail "no folder $2"
shift 2

pid_file=$dir/cupsd.pid
# Written by the watcher once the scheduler has ended: its wait status.
exit_file=$dir/log/cupsd.exit

# Field N (as proc(5) counts them) of /proc/PID/stat, for a process that
# is running: fails once it has ended, a zombie included. The fields are
# counted after the command name's closing bracket, since the name may hold
# spaces.
stat_field() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  local -a field
  read -r -a field <<<"${stat##*) }"
  case ${field[0]:-X} in Z | X | x) return 1 ;; esac
  echo "${field[$2 - 3]}"
}

# The start time of a running process, in clock ticks since boot, which
# tells it from a later process given the same pid.
process_start() {
  stat_field "$1" 22
}

# Whether PID is still the process whose start time was START.
same_process() {
  [ "$(process_start "$1")" = "$2" ]
}

# The pid in DIR/cupsd.pid when that process is still our scheduler: a pid
# can be reused once the daemon has gone.
running_pid() {
  [ -f "$pid_file" ] || return 1
  local pid
  pid=$(cat "$pid_file")
  [ -n "$pid" ] && [ -r "/proc/$pid/cmdline" ] || return 1
  grep -qF -- "-c $dir/cupsd.conf" <<<"$(tr '\0' ' ' <"/proc/$pid/cmdline")" || return 1
  echo "$pid"
}

# Asks the scheduler to end and waits; an idle one may take a few seconds
# to notice, and one that has not gone after 10 s is killed. Only the
# process asked is waited for and killed, never a later one given its pid.
terminate() {
  local start
  start=$(process_start "$1") || return 0
  kill "$1" 2>/dev/null || true
  for _ in $(seq 100); do
    same_process "$1" "$start" || return 0
    sleep 0.1
  done
  ! same_process "$1" "$start" || kill -KILL "$1" 2>/dev/null || true
  sleep 0.1
}

stop() {
  local pid
  pid=$(running_pid) || return 0
  # Its watcher, its parent, writes in DIR once it has ended: it is waited
  # for too, so that DIR may be removed once stop has returned.
  local watcher watcher_start=""
  watcher=$(stat_field "$pid" 4) || watcher=""
  [[ -n $watcher && $(tr '\0' ' ' 2>/dev/null <"/proc/$watcher/cmdline") == *cups-test-server* ]] &&
    watcher_start=$(process_start "$watcher") || watcher_start=""
  terminate "$pid"
  rm -f "$pid_file"
  if [ -n "$watcher_start" ]; then
    for _ in $(seq 50); do
      same_process "$watcher" "$watcher_start" || break
      sleep 0.1
    done
  fi
}

# What the scheduler said: its own output and its error_log.
cupsd_words() {
  local said
  said=$(cat "$dir/log/cupsd.out" 2>/dev/null) || true
  echo -n "its output: ${said:-(none)}"
  said=$(cat "$dir/log/error_log" 2>/dev/null) || true
  echo -n "; its error_log: ${said:-(none)}"
}

# Why the scheduler ended: its wait status as its watcher recorded it, and
# its words.
exit_reason() {
  local status
  status=$(cat "$exit_file" 2>/dev/null) || true
  if [ -z "$status" ]; then
    echo -n "its watcher ended without it"
  elif [ "$status" -gt 128 ]; then
    echo -n "killed by signal $(kill -l "$((status - 128))" 2>/dev/null || echo "$((status - 128))")"
  else
    echo -n "status $status"
  fi
  echo -n "; $(cupsd_words)"
}
start() {
  local printer=1 owner=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --no-printer) printer=0 ;;
      --owner) [ $# -ge 2 ] || usage; owner=$2; shift ;;
      *) usage ;;
    esac
    shift
  done
  command -v cupsd >/dev/null || [ -x /usr/sbin/cupsd ] || fail "cupsd is not installed (Debian: cups-daemon)"
  command -v lpadmin >/dev/null || fail "lpadmin is not installed (Debian: cups-client)"
  [ -d /usr/lib/cups/daemon ] || fail "/usr/lib/cups/daemon is missing (Debian: cups-daemon)"
  command -v setpriv >/dev/null || fail "setpriv is not installed (Debian: util-linux)"
  # A Unix socket's path has room for 107 bytes; cupsd would not say why.
  [ ${#dir} -le 98 ] || fail "the folder's path is too long for the scheduler's socket: $dir"
  running_pid >/dev/null && fail "a scheduler is already running in $dir"
  # libcups looks up this machine's own name whenever a client opens a
  # printer (cupsGetPPD). An installed system answers from /etc/hosts; where
  # that has no entry the lookup goes to DNS, and each print waits on it.
  getent -s files hosts "$(uname -n)" >/dev/null ||
    echo "cups-test-server: warning: /etc/hosts does not name this machine ($(uname -n)):" \
      "every print waits for DNS to look it up" >&2

  mkdir -p "$dir"/{spool,cache,state,tmp,log,bin/backend,out}
  # The backend runs as the scheduler's unprivileged user (lp under root):
  # it must reach DIR and write DIR/out.
  chmod 0755 "$dir"
  chmod 0777 "$dir/out"
  ln -sfn /usr/lib/cups/daemon "$dir/bin/daemon"

  cat >"$dir/bin/backend/capture" <<'EOF'
#!/bin/sh
# capture:/FOLDER keeps each job's file as FOLDER/job-ID.pdf, written aside
# and then renamed, so that a reader never sees half a file.
# Without arguments the scheduler asks for the devices it can find: none.
[ $# -eq 0 ] && exit 0
if [ $# -lt 5 ]; then
  echo "ERROR: usage: capture job user title copies options [file]" >&2
  exit 1
fi
out=${DEVICE_URI#capture:}
part="$out/.job-$1.part"
if [ $# -ge 6 ]; then cat -- "$6" >"$part"; else cat >"$part"; fi || exit 1
chmod 0644 "$part"
mv -f -- "$part" "$out/job-$1.pdf"
EOF
  chmod 0755 "$dir/bin/backend/capture"

  cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF

  cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
ServerBin $dir/bin
Sandboxing Relaxed
EOF

  local cupsd owner_start=""
  cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
  if [ -n "$owner" ]; then
    owner_start=$(process_start "$owner") || fail "no process $owner to own the scheduler"
  fi
  rm -f "$pid_file" "$exit_file" "$dir/log/cupsd.out" "$dir/log/error_log"

  # The scheduler runs in the foreground as the child of a watcher, and the
  # kernel kills it as soon as that watcher ends, however it ends (setpriv's
  # parent-death signal): a SIGKILL of the watcher or of its process group
  # leaves no scheduler behind. The watcher stays while the owner does (the
  # same process, not a later one given its pid) and records how the
  # scheduler ended. All of them are detached from the caller's output,
  # which a test runner may be reading until every holder has closed it.
  (
    setpriv --pdeathsig KILL -- "$cupsd" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
      >"$dir/log/cupsd.out" 2>&1 &
    pid=$!
    echo "$pid" >"$pid_file.part" && mv -f "$pid_file.part" "$pid_file"
    if [ -n "$owner" ]; then
      (while same_process "$owner" "$owner_start"; do sleep 1; done) &
      poller=$!
      # Whichever ends first: the scheduler, or the poll once the owner has.
      wait -n || true
      kill -0 "$pid" 2>/dev/null && exit 0
      kill "$poller" 2>/dev/null || true
    fi
    status=0
    wait "$pid" || status=$?
    echo "$status" >"$exit_file.part" && mv -f "$exit_file.part" "$exit_file"
  ) </dev/null >/dev/null 2>&1 &
  local watcher=$!
  # Stops what was started, also before the pid file is there: the
  # scheduler goes with its watcher.
  abandon() {
    stop
    kill "$watcher" 2>/dev/null || true
  }

  # Not whether the scheduler's process is there: while it is being started
  # its command line reads empty for a moment (during exec), as an ended
  # one's does; that once failed a start that was going well and left the
  # scheduler running. Only its watcher's word that it ended counts.
  export CUPS_SERVER=$dir/cups.sock
  local ready=0
  for _ in $(seq 300); do
    if [ -e "$exit_file" ] || ! kill -0 "$watcher" 2>/dev/null; then
      [ -z "$owner" ] || same_process "$owner" "$owner_start" || fail "process $owner, the owner, ended during the start"
      fail "cupsd exited at start: $(exit_reason)"
    fi
    # lpstat's words are translated: read them in English.
    if grep -q "scheduler is running" <<<"$(LC_ALL=C lpstat -r 2>/dev/null)" && [ -s "$pid_file" ]; then
      ready=1
      break
    fi
    sleep 0.1
  done
  if [ $ready -eq 0 ]; then
    abandon
    fail "cupsd did not answer on $dir/cups.sock within 30 s; $(cupsd_words)"
  fi

  if [ $printer -eq 1 ]; then
    # lpadmin warns that raw queues are deprecated; a raw queue is the point,
    # so its words are shown only when it fails.
    local said
    said=$(lpadmin -p PDF -v "capture:$dir/out" -E 2>&1) || { abandon; fail "lpadmin could not add the queue PDF: $said"; }
    said=$(lpadmin -d PDF 2>&1) || { abandon; fail "lpadmin could not make PDF the default: $said"; }
  fi
}

case "$command" in
  start) start "$@" ;;
  stop) [ $# -eq 0 ] || usage; stop ;;
  *) usage ;;
esac
