#!/bin/sh
# Builds the Spanish locale that the number and file tests switch to, once a test run, into the
# folder given. It never fails: on a machine that cannot build it those tests build their own or
# skip, as they would without it.
dir=$1
[ -d "$dir/es_ES.UTF-8" ] && exit 0
mkdir -p "$dir" || exit 0
# Built aside and moved in whole, so that a test never finds half a locale.
if localedef -i es_ES -f UTF-8 "$dir/building.$$" >/dev/null 2>&1; then
  mv "$dir/building.$$" "$dir/es_ES.UTF-8" 2>/dev/null
fi
rm -rf "$dir/building.$$"
exit 0
