#!/usr/bin/env bash
# Runs every benchmark in turn (each builds its own Release programs into
# build-bench and starts the test services it needs) and prints their figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for script in startup printers definition_load text_wrap memo page_list engine preview scenarios printing print_to_pdf batch; do
  echo "== $script"
  "$here/$script.sh"
done
