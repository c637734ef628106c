#!/bin/sh
# The layers depend one way: the calendar window over its dialogs over the shared look, all
# over a core that never sees Qt. Fails naming every include that points the other way.
# Usage: layers_test.sh SOURCE_DIR
cd "$1" || exit 2
status=0
forbid() {  # forbid FOLDERS... -- PATTERN: no file in FOLDERS includes what PATTERN matches
  folders=
  while [ "$1" != -- ]; do folders="$folders $1"; shift; done
  if grep -rnE "^#include [<\"]($2)" $folders; then status=1; fi
}
forbid platform engine expr framework dataset app/core tools -- 'Q[A-Za-z]+[>.]|app/gui/|options/|look/'
forbid look -- 'app/gui/|options/'
forbid options -- 'app/gui/'
exit $status
