#!/usr/bin/env bash
# Runs a command (a test run) and fails when it leaves the machine otherwise than it found it:
# anything left in the temporary folder (TMPDIR is an empty folder of its own for the command), a
# file added or changed in the home folder (outside this checkout, ccache's cache and the project's
# own caches, which builds and checks of other checkouts share), a home folder whose permissions
# changed, or a locale added to or removed from the machine's. Interrupted (INT, TERM), it removes
# the temporary folder as at a normal end. Silent when it holds, so that the test run's own summary
# closes the output.
#   SinRastros.sh COMANDO [ARGUMENTOS...]
set -uo pipefail

aqui=$(cd "$(dirname "$0")/.." && pwd)
base=${TMPDIR:-/tmp}

# A T-SQL server started in the folder runs in a session of its own, which an interrupt sent to
# the run's process group does not reach: it is stopped before the folder goes.
limpia() {
    local d
    for d in "$tmp"/servidor-tsql.*; do
        [ -d "$d" ] && bash "$aqui/scripts/servidor_tsql.sh" detiene "$d" >/dev/null 2>&1
    done
    rm -rf "$tmp"
}

# Once the command has ended (the signal reached its process group too), and by the same signal,
# so that whoever started the run sees it interrupted.
interrumpida() {
    limpia
    trap - "$1"
    kill -"$1" $$
}

tmp=$(mktemp -d "$base/modelos-prueba.XXXXXX") || exit 1
trap 'interrumpida INT' INT
trap 'interrumpida TERM' TERM
# The T-SQL server's own user puts its cluster there: it may enter, not list.
chmod 711 "$tmp"
modo_casa=$(stat -c %A "$HOME")
locales=$(locale -a 2>/dev/null)
cache_ccache=$(ccache -k cache_dir 2>/dev/null)

# A file's times come from a clock that may lag up to a tick (a few ms) behind date's: the start is
# taken 20 ms early, after a pause that leaves this script's own changes above before it.
sleep 0.03
inicio=$(($(date +%s%N) - 20000000))
inicio=${inicio:0:-9}.${inicio: -9}
TMPDIR=$tmp "$@"
resultado=$?

fallas=()
restos=$(cd "$tmp" && find . -mindepth 1 -maxdepth 2 | sort | head -20)
[ -z "$restos" ] || fallas+=("quedó en la carpeta temporal ($tmp):"$'\n'"$restos")
if [ -d "$HOME" ] && [ "$HOME" != / ]; then
    # By the inode's change time: a file copied in with an old modification time counts too.
    casa=$(find "$HOME" -xdev \( -path "$aqui" -o -path "$tmp" -o -path "${cache_ccache:-/}" -o \
        -path "${XDG_CACHE_HOME:-$HOME/.cache}/modelos-*" \) -prune -o -newerct "@$inicio" -print 2>/dev/null |
        sort | head -20)
    [ -z "$casa" ] || fallas+=("se agregó o cambió en la carpeta personal mientras corría:"$'\n'"$casa")
fi
[ "$(stat -c %A "$HOME")" = "$modo_casa" ] ||
    fallas+=("los permisos de $HOME pasaron de $modo_casa a $(stat -c %A "$HOME")")
cambio=$(diff <(echo "$locales") <(locale -a 2>/dev/null) | grep '^[<>]')
[ -z "$cambio" ] || fallas+=("cambiaron los locales del equipo (locale -a):"$'\n'"$cambio")
limpia
if [ ${#fallas[@]} -gt 0 ]; then
    printf 'SinRastros: %s\n' "${fallas[@]}" >&2
    exit 1
fi
exit "$resultado"
