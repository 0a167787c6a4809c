#!/usr/bin/env bash
# The program's main window beside a widely used graphical FTP client (figures it needed for the
# same on this kind of machine): the time from start to the window mapped, the resident memory
# after start while idle, and a listing of 100,000 files on pyftpdlib, connected at start, listed
# and shown (peak resident memory and CPU time of the process: the peer needed 149 MiB, 1.17 s).
# Runs on a virtual X server with openbox.
# Usage: bench/main_window.sh <plain build folder>
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/ftp/big" "$work/local"
/usr/bin/python3 - "$work/ftp/big" <<'PY'
import os, sys
for i in range(100000):
    open(os.path.join(sys.argv[1], "file%06d.txt" % i), "w").close()
PY
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# With --debug the server logs its replies, the 226 after the listing among them.
/usr/bin/python3 -m pyftpdlib --debug -i 127.0.0.1 -p "$port" -u anna -P secret -d "$work/ftp/big" >"$work/ftp.log" 2>&1 &

export XDG_DATA_HOME="$work/data" HOME="$work/local"
# Two registries: one idle (no connection at start), one that connects at start.
for kind in idle connect; do
    XDG_CONFIG_HOME="$work/$kind" "$build/main_window_seed" 127.0.0.1 "$port" anna secret
done
sed -i 's/"ConnectAtStart"="1"/"ConnectAtStart"="0"/' "$work/idle/tarnwick-halyard/registry.reg"

cat > "$work/run.sh" <<INNER
#!/usr/bin/env bash
set -u
openbox >/dev/null 2>&1 &
sleep 0.5
cd "$work/local"
# (1) and (2): start to the first window mapped (as the X server reports the map), then the
# resident memory once the program is idle.
/usr/bin/python3 - "$build/halyard-ftp" "$work/idle" <<'PY'
import os, subprocess, sys, time
xev = subprocess.Popen(["xev", "-root", "-event", "substructure"], stdout=subprocess.PIPE, text=True)
time.sleep(0.5)
env = dict(os.environ, XDG_CONFIG_HOME=sys.argv[2])
start = time.monotonic()
app = subprocess.Popen([sys.argv[1]], env=env)
for line in xev.stdout:
    if line.startswith("MapNotify"):
        mapped = time.monotonic() - start
        break
xev.kill()
time.sleep(3)
rss = int([l for l in open("/proc/%d/status" % app.pid) if l.startswith("VmRSS")][0].split()[1]) / 1024
print("start to window mapped: %.3f s (goal 0.25 s, ratio %.2f)" % (mapped, mapped / 0.25))
print("resident memory idle: %.1f MiB (goal 60 MiB, ratio %.2f)" % (rss, rss / 60))
app.kill()
app.wait()
PY
# (3): the listing of 100,000 files, connected at start; measured once the server has sent it
# and the process has gone idle.
XDG_CONFIG_HOME="$work/connect" "$build/halyard-ftp" &
app=\$!
# The site manager comes up at start: Return connects.
xdotool search --sync --name "^Connect to Server\$" >/dev/null && sleep 0.5 && xdotool key Return
until grep -q -- "-> 226" "$work/ftp.log" 2>/dev/null; do sleep 0.1; done
/usr/bin/python3 - \$app <<'PY'
import os, sys, time
pid = int(sys.argv[1])
tick = os.sysconf("SC_CLK_TCK")
def cpu():
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / tick
# Idle: no CPU time spent for half a second.
last = cpu()
while True:
    time.sleep(0.5)
    now = cpu()
    if now == last:
        break
    last = now
peak = int([l for l in open("/proc/%d/status" % pid) if l.startswith("VmHWM")][0].split()[1]) / 1024
print("100,000 files listed and shown: peak %.1f MiB (peer 149 MiB, ratio %.2f), CPU %.2f s (peer 1.17 s, ratio %.2f)"
      % (peak, peak / 149, now, now / 1.17))
PY
kill \$app
wait \$app 2>/dev/null
INNER
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh"
