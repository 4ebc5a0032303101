#!/usr/bin/env bash
# Runs a command (a test run) and fails when it leaves the machine otherwise than it found it:
# anything left in the temporary folder (TMPDIR is an empty folder of its own for the command), a
# home folder whose permissions changed, or a locale added to or removed from the machine's. Silent
# when it holds, so that the test run's own summary closes the output.
#   SinRastros.sh COMANDO [ARGUMENTOS...]
set -uo pipefail

base=${TMPDIR:-/tmp}
tmp=$(mktemp -d "$base/modelos-prueba.XXXXXX") || exit 1
# The T-SQL server's own user puts its cluster there: it may enter, not list.
chmod 711 "$tmp"
modo_casa=$(stat -c %A "$HOME")
locales=$(locale -a 2>/dev/null)

TMPDIR=$tmp "$@"
resultado=$?

fallas=()
restos=$(cd "$tmp" && find . -mindepth 1 -maxdepth 2 | sort | head -20)
[ -z "$restos" ] || fallas+=("quedó en la carpeta temporal ($tmp):"$'\n'"$restos")
[ "$(stat -c %A "$HOME")" = "$modo_casa" ] ||
    fallas+=("los permisos de $HOME pasaron de $modo_casa a $(stat -c %A "$HOME")")
cambio=$(diff <(echo "$locales") <(locale -a 2>/dev/null) | grep '^[<>]')
[ -z "$cambio" ] || fallas+=("cambiaron los locales del equipo (locale -a):"$'\n'"$cambio")
rm -rf "$tmp"
if [ ${#fallas[@]} -gt 0 ]; then
    printf 'SinRastros: %s\n' "${fallas[@]}" >&2
    exit 1
fi
exit "$resultado"
