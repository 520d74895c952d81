#!/usr/bin/env bash
# Runs the README's first command, ./quillet, in tmux as a new user would:
# waits (bounded) until the console host shows the demo's status panel
# with its letters, then quits it with F10.  The demo goes to a folder of
# its own that is removed afterwards, and so does the tmux server.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
sock=$work/tmux.sock
cleanup() {
  tmux -S "$sock" kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
screen() { tmux -S "$sock" capture-pane -p; }

tmux -S "$sock" -f /dev/null new-session -d -x 100 -y 30 \
  "env QUILLET_DEMO=$work/demo ./quillet; echo quillet-exit=\$?"
tmux -S "$sock" set-option -g remain-on-exit on

# The first run installs and builds: allow it a long while, then give up.
limit=$((SECONDS + 1800))
until screen | grep -q "CVS:"; do
  if screen | grep -q "quillet-exit="; then
    screen
    echo "./quillet ended before the status panel showed" >&2
    exit 1
  fi
  if [ $SECONDS -ge $limit ]; then
    screen
    echo "the status panel did not show within the time allowed" >&2
    exit 1
  fi
  sleep 1
done
screen
for row in "hello.c *│M│" "added.txt *│A│" "patchme.txt *│U│" "merge.txt *│N│" "scratch.txt *│?│"; do
  screen | grep -q "$row" || {
    echo "the status panel does not show $row" >&2
    exit 1
  }
done
tmux -S "$sock" send-keys F10
# F10 asks before quitting; Enter answers Yes.
limit=$((SECONDS + 30))
until screen | grep -q "Do you want to quit"; do
  [ $SECONDS -lt $limit ] || { screen; echo "F10 asked nothing before quitting" >&2; exit 1; }
  sleep 0.2
done
tmux -S "$sock" send-keys Enter
limit=$((SECONDS + 60))
until screen | grep -q "quillet-exit="; do
  [ $SECONDS -lt $limit ] || {
    screen
    echo "F10 did not end the console host" >&2
    exit 1
  }
  sleep 1
done
screen | grep -q "quillet-exit=0" || {
  screen
  echo "the console host did not end cleanly" >&2
  exit 1
}
echo "./quillet reached the demo's status panel and quit cleanly"
