#!/usr/bin/env bash
# The main job until the calendar window exists: the engine on a small table it creates.
set -euo pipefail
cd "$(dirname "$0")/.."
build/release/tools/engine_demo
