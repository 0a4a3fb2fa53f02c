#!/usr/bin/env bash
# Starts the program on the desktop, or says what is missing.
set -u
exe=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Ralvinor needs a graphical desktop: neither DISPLAY nor WAYLAND_DISPLAY is set."
  echo "On a machine without one, try: xvfb-run -a $exe"
  exit 0
fi
exec "$exe"
