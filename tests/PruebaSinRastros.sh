#!/usr/bin/env bash
# What tests/SinRastros.sh promises, checked on runs made up for it:
#   PruebaSinRastros.sh casa FUENTES           a file the run adds to the home, or changes there
#                                              (even with its old time put back), fails the run
#                                              and is named; inside the checkout, ccache's cache
#                                              or the project's caches it does not, and the
#                                              command's status stands
#   PruebaSinRastros.sh interrumpida SEÑAL FUENTES
#                                              a run interrupted (INT as Ctrl-C sends it, TERM) to
#                                              its process group leaves no temporary folder and
#                                              no T-SQL server running, also one whose cluster
#                                              is outside the folder
set -euo pipefail

modo=${1:?modo}
shift
fuentes=$(cd "${@: -1}" && pwd)
# Short: the T-SQL server keeps its cluster in the run's folder only when the path is short.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/r.XXXXXX")
# A T-SQL server that outlived its run is stopped here, so that the check leaves nothing either.
trap '[ ! -d "$tmp/servidor" ] || bash "$fuentes/scripts/servidor_tsql.sh" detiene "$tmp/servidor"; rm -rf "$tmp"' EXIT
source "$fuentes/tests/comun/Interrumpe.sh"

falla() {
    echo "FALLA: $*" >&2
    exit 1
}

casa() {
    local casa=$tmp/casa salida estado
    mkdir -p "$casa/.config" "$casa/clon/tests" "$casa/.ccache" "$casa/.cache/modelos-tidy"
    cp "$fuentes/tests/SinRastros.sh" "$casa/clon/tests/"
    echo antes >"$casa/.config/a.conf"
    corre() {
        estado=0
        salida=$(HOME=$casa CCACHE_DIR=$casa/.ccache XDG_CACHE_HOME=$casa/.cache bash "$casa/clon/tests/SinRastros.sh" bash -c "$1" 2>&1) ||
            estado=$?
    }

    corre 'mkdir -p "$HOME/clon/build" && echo x | tee "$HOME/clon/build/x" "$HOME/.ccache/x" \
        "$HOME/.cache/modelos-tidy/x" >/dev/null; exit 3'
    [ "$estado" = 3 ] && [ -z "$salida" ] || falla "dentro del clon y de las cachés: $estado $salida"

    corre 'echo "[ODBC]" >"$HOME/.odbc.ini"'
    [ "$estado" = 1 ] && grep -qx "$casa/.odbc.ini" <<<"$salida" || falla "un archivo nuevo en la casa: $estado $salida"

    corre 'f=$HOME/.config/a.conf; t=$(stat -c %y "$f"); echo después >>"$f"; touch -d "$t" "$f"'
    [ "$estado" = 1 ] && grep -qx "$casa/.config/a.conf" <<<"$salida" ||
        falla "un archivo cambiado en la casa: $estado $salida"
    echo "la casa: lo agregado o cambiado falla y se nombra; el clon y las cachés de ccache y del proyecto no"
}

# The run as `make test` makes it: the T-SQL server started as its fixture starts it, a test
# program's folder with its files, then the wait for the signal. A second run has the cluster
# outside its folder, as when the folder's path is too long for the server's socket.
interrumpida() {
    local senal=$1 base=$tmp/b punteros=$tmp/servidor listo=$tmp/listo estado larga pm restos i
    chmod 711 "$tmp"
    for larga in "" "/$(printf 'x%.0s' {1..60})"; do
        mkdir -p "$base$larga"
        chmod 711 "$base" "$base$larga"
        rm -f "$listo"
        estado=0
        TMPDIR=$base$larga interrumpe "$senal" "$listo" bash "$fuentes/tests/SinRastros.sh" bash -c '
            bash "$1/scripts/servidor_tsql.sh" inicia "$2" 2>/dev/null || exit 1
            head -1 "$(cat "$2/servidor")/datos/postmaster.pid" >"$3.pm"
            mkdir -p "$TMPDIR/pruebas-x/casa" && head -c 1000000 /dev/zero >"$TMPDIR/pruebas-x/datos"
            touch "$3"
            sleep 600' _ "$fuentes" "$punteros" "$listo" 2>"$tmp/salida" || estado=$?
        pm=$(cat "$listo.pm" 2>/dev/null) || falla "el servidor T-SQL no arrancó (estado $estado): $(cat "$tmp/salida")"
        # A stopped server removes its pid file a moment before it exits.
        for ((i = 0; i < 50; i++)); do
            kill -0 "$pm" 2>/dev/null || break
            sleep 0.1
        done
        ! kill -0 "$pm" 2>/dev/null ||
            falla "con $senal el servidor T-SQL (pid $pm) siguió corriendo${larga:+ (su carpeta fuera de TMPDIR)}"
        restos=$(ls -A "$base$larga")
        [ -z "$restos" ] || falla "con $senal quedó en la carpeta temporal: $restos"
        [ "$estado" = $((128 + $(kill -l "$senal"))) ] || falla "con $senal la corrida terminó con estado $estado"
    done
    echo "interrumpida con $senal: no quedan la carpeta temporal ni el servidor T-SQL"
}

case "$modo" in
casa) casa ;;
interrumpida) interrumpida "$1" ;;
*) falla "modo desconocido: $modo" ;;
esac
