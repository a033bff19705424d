#!/usr/bin/env bash
# Renders the real program in a private Xvfb with a few panels in an interesting state (a ticked
# box, a moved slider, the box carried over the drop zone, text in the field) and saves the
# window as docs/screenshot.png, the picture in the README.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
scripts/bootstrap-raylib.sh
cmake -S . -B build -DGUI_DEMO_TESTS=ON -DGUI_DEMO_WINDOW_TESTS=ON >/dev/null
cmake --build build -j "$(nproc)" --target gui_demo screenshot >/dev/null
mkdir -p docs
build/tests/screenshot build/gui_demo docs/screenshot.png
echo "wrote docs/screenshot.png"
