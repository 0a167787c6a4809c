#!/usr/bin/env bash
# The program's main window beside a widely used graphical FTP client (figures it needed for the
# same on this kind of machine): the time from start to the window mapped (goal 0.25 s), the
# resident memory after start while idle (goal 60 MiB), and a listing of 100,000 files on
# pyftpdlib, connected at start, listed and shown (peak resident memory and CPU time of the
# process: the peer needed 149 MiB and 1.17 s; goal at most half of each).
# Runs on a virtual X server with openbox, on the plain (not sanitized) build. Each figure is
# taken Runs times (default 3) and printed with the load average, as the machine may be shared;
# with SHOT set to a file name, a screenshot of the last listing shown is kept there.
# Usage: bench/main_window.sh <plain build folder> [runs]
set -euo pipefail
build=$(realpath "$1")
runs=${2:-3}
shot=${SHOT:+$(realpath "$SHOT")}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/ftp/big" "$work/local"
/usr/bin/python3 - "$work/ftp/big" <<'PY'
import os, sys
for i in range(100000):
    open(os.path.join(sys.argv[1], "file%06d.txt" % i), "w").close()
PY
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# With --debug the server logs its replies, the 226 after each listing among them.
/usr/bin/python3 -m pyftpdlib --debug -i 127.0.0.1 -p "$port" -u anna -P secret -d "$work/ftp/big" >"$work/ftp.log" 2>&1 &

export XDG_DATA_HOME="$work/data" HOME="$work/local" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"
# Two registries: one idle (no connection at start), one that connects at start.
for kind in idle connect; do
    XDG_CONFIG_HOME="$work/$kind" "$build/main_window_seed" 127.0.0.1 "$port" anna secret
done
sed -i 's/"ConnectAtStart"="1"/"ConnectAtStart"="0"/' "$work/idle/tarnwick-halyard/registry.reg"

# Waits until the process Pid has spent no CPU time for half a second, then prints its CPU
# seconds, its resident memory and its peak resident memory (MiB).
cat > "$work/idle.py" <<'PY'
import os, sys, time
pid = int(sys.argv[1])
tick = os.sysconf("SC_CLK_TCK")
def cpu():
    fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / tick
last = cpu()
while True:
    time.sleep(0.5)
    now = cpu()
    if now == last:
        break
    last = now
status = {l.split(":")[0]: l.split()[1] for l in open("/proc/%d/status" % pid) if l.startswith("Vm")}
print(now, int(status["VmRSS"]) / 1024, int(status["VmHWM"]) / 1024)
PY

cat > "$work/run.sh" <<INNER
#!/usr/bin/env bash
set -u
openbox >/dev/null 2>&1 &
sleep 0.5
cd "$work/local"
for run in \$(seq $runs); do
    load=\$(cut -d' ' -f1-3 /proc/loadavg)
    # (1) and (2): start to the first window mapped (the frame the window manager maps for the
    # main window, as the X server reports it), then the resident memory once the program is idle.
    /usr/bin/python3 - "$build/halyard-ftp" "$work/idle" "$work/idle.py" "\$load" <<'PY'
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
cpu, rss, peak = map(float, subprocess.run([sys.executable, sys.argv[3], str(app.pid)], capture_output=True,
                                           text=True).stdout.split())
print("load %s: start to window mapped %.3f s (goal 0.25 s, ratio %.2f); resident memory idle %.1f MiB "
      "(goal 60 MiB, ratio %.2f)" % (sys.argv[4], mapped, mapped / 0.25, rss, rss / 60))
app.kill()
app.wait()
PY
    # (3): the listing of 100,000 files, connected at start; measured once the server has sent it
    # and the process has gone idle.
    listed=\$(grep -c -- "-> 226" "$work/ftp.log" || true)
    XDG_CONFIG_HOME="$work/connect" "$build/halyard-ftp" &
    app=\$!
    # The site manager comes up at start: Return connects.
    xdotool search --sync --name "^Connect to Server\$" >/dev/null && sleep 0.5 && xdotool key Return
    until [ "\$(grep -c -- "-> 226" "$work/ftp.log")" -gt "\$listed" ]; do sleep 0.1; done
    read -r cpu rss peak < <(/usr/bin/python3 "$work/idle.py" \$app)
    /usr/bin/python3 -c "import sys; peak, cpu = float(sys.argv[1]), float(sys.argv[2]); print('load %s: 100,000 files listed and shown: peak %.1f MiB (goal 74.5 MiB, ratio %.2f), CPU %.2f s (goal 0.585 s, ratio %.2f)' % (sys.argv[3], peak, peak / 74.5, cpu, cpu / 0.585))" \$peak \$cpu "\$(cut -d' ' -f1-3 /proc/loadavg)"
    if [ -n "$shot" ] && [ "\$run" = "$runs" ]; then import -window root "$shot"; fi
    kill \$app
    wait \$app 2>/dev/null
done
INNER
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh"
