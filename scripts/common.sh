# Shared by the run and test scripts: the source root and a virtual X display when none exists.

# cd prints the folder when it finds it through an exported CDPATH; only pwd's line is the root.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." >/dev/null && pwd)

# Starts Xvfb on a free display number and exports DISPLAY; the server ends with the script.
start_virtual_display() {
  local n=99 attempt
  for attempt in $(seq 1 20); do
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # -noreset: otherwise the server resets when its last client (the readiness probe below) leaves,
    # and a program connecting during the reset is refused ("Couldn't open X11 display").
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
    export DISPLAY=":$n"
    for _ in $(seq 1 100); do
      # Another script may have taken the same number a moment earlier: our server then ends at once,
      # and the one answering on the display is theirs, gone when their script ends. The lock file
      # names the server that owns the display.
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if [ "$({ tr -d ' ' <"/tmp/.X$n-lock"; } 2>/dev/null)" = "$xvfb_pid" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
      fi
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null; then
      break
    fi
    n=$((n + 1))
  done
  kill "$xvfb_pid" 2>/dev/null || true
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}
