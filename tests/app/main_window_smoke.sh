#!/usr/bin/env bash
# The main window's smoke run, checked by eye (not a test): seeds a registry with a profile for a
# local pyftpdlib server, starts the program on a virtual X server with openbox, answers "Connect
# to Server" with Return, saves a screenshot once the listing shows, opens the server's index.html
# in the editor (clicked in the list, then the tool bar's Edit button), types into it and saves a
# second screenshot (<picture>-editor.png), then ends the program with Alt+F4, No to saving the
# page and Return, and prints the registry file it left.
# Usage: tests/app/main_window_smoke.sh <build folder> <picture.png>
set -euo pipefail
build=$(realpath "$1")
picture=$(realpath -m "$2")
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# The server's tree: folders and files mixed, as a listing interleaves them.
mkdir -p "$work/ftp/docs" "$work/ftp/images" "$work/local"
echo "hello" > "$work/ftp/readme.txt"
head -c 3000 /dev/zero > "$work/ftp/data.bin"
echo "<html></html>" > "$work/ftp/index.html"
echo "x" > "$work/ftp/docs/a.txt"
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -u anna -P secret -d "$work/ftp" -w >"$work/ftp.log" 2>&1 &

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" HOME="$work/local"
# A sanitizer build reports the desktop libraries' own leaks at exit: they are not the program's.
export LSAN_OPTIONS="suppressions=$(realpath "$(dirname "$0")/../support/lsan.supp"):print_suppressions=0"
"$build/main_window_seed" 127.0.0.1 "$port" anna secret

cat > "$work/run.sh" <<INNER
#!/usr/bin/env bash
set -u
openbox >/dev/null 2>&1 &
sleep 0.5
cd "$work/local"
"$build/halyard-ftp" &
app=\$!
# The site manager comes up at start: Return connects.
for i in \$(seq 100); do
    xdotool search --name "^Connect to Server\$" >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 0.5
xdotool key Return
# The listing: wait for the server's transfer of it.
for i in \$(seq 100); do
    grep -q "LIST" "$work/ftp.log" && break
    sleep 0.1
done
sleep 1.5
import -window root "$picture"
win=\$(xdotool search --name "Tarnwick Halyard" | head -1)
# The page in the editor: its row in the remote list, then the main tool bar's Edit button (the
# places are those of the window's first-run size, centred on the screen).
xdotool mousemove --window "\$win" 445 344 click 1
sleep 0.5
xdotool mousemove --window "\$win" 257 43 click 1
for i in \$(seq 100); do
    grep -q "RETR" "$work/ftp.log" && break
    sleep 0.1
done
sleep 1.5
xdotool mousemove --window "\$win" 450 520 click 1
xdotool key ctrl+Home type "<h1>Hello</h1>"
xdotool key Return
sleep 0.5
import -window root "${picture%.png}-editor.png"
xdotool windowactivate --sync "\$win" key alt+F4
sleep 1
xdotool key alt+n
sleep 1
xdotool key Return
wait \$app
echo "exit code: \$?"
INNER
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh"
echo "--- registry"
cat "$work/config/tarnwick-halyard/registry.reg"
