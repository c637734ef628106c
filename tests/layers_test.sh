#!/bin/sh
# The layers depend one way, each folder on the folders below it only:
#
#   platform                               the operating system's services, our own
#   engine            -> platform          the record engine
#   expr              -> engine            the expression language
#   framework         -> platform          the generic dataset framework
#   dataset           -> engine framework  the table dataset component
#   themes            -> engine            theme tables and what they are made from
#   app/core          -> themes dataset    the calendar without its windows
#   look, options     -> app/core          the shared look; the options dialog
#   app/gui           -> options look      the calendar's windows
#   tools             -> app/core themes   vornelle-db, the command line
#
# (each arrow includes what the folders it points to may include). Qt is for look, options and
# app/gui alone. Fails naming every include that points another way.
# Usage: layers_test.sh SOURCE_DIR
cd "$1" || exit 2
status=0
# allow FOLDER PROJECT_FOLDERS...: FOLDER includes from the project only what they name.
allow() {
  folder=$1
  shift
  allowed="$folder $*"
  pattern=$(printf '%s\n' platform engine expr framework dataset themes app/core app/gui options look tools |
    while read -r other; do
      case " $allowed " in *" $other "*) ;; *) printf '%s|' "$other/" ;; esac
    done)
  pattern=${pattern%|}
  [ -n "$pattern" ] || return 0
  if grep -rnE "^#include \"($pattern)" "$folder"; then status=1; fi
}
allow platform
allow engine platform
allow expr engine platform
allow framework platform
allow dataset engine framework platform
allow themes engine platform
allow app/core themes dataset engine expr framework platform
allow look app/core themes dataset engine framework platform
allow options look app/core themes dataset engine framework platform
allow app/gui options look app/core themes dataset engine expr framework platform
allow tools app/core themes dataset engine expr framework platform
# Qt only in the windows' layers.
if grep -rnE '^#include [<"]Q[A-Za-z]+[>.]' platform engine expr framework dataset themes app/core tools; then
  status=1
fi
exit $status
