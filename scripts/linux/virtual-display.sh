# Sourced by the scripts that need an X display of their own:
# start_virtual_display starts Xvfb on a free display number (Xvfb picks it
# and reports it once it accepts clients), exports DISPLAY and sets
# VIRTUAL_DISPLAY_PID for the caller to end it.
start_virtual_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$number_file" 2>/dev/null &
  VIRTUAL_DISPLAY_PID=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$number_file" ]; then
    rm -f "$number_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(head -n 1 "$number_file")"
  export DISPLAY
  rm -f "$number_file"
}
