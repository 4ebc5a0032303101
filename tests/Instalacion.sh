#!/usr/bin/env bash
# What a new machine's `make test` relies on, checked where everything may already be installed:
#   Instalacion.sh paquetes FUENTES   `make paquetes` on a machine that has nothing asks apt-get for
#                                     every package the T-SQL server's build names, and on one that
#                                     has everything asks for nothing
#   Instalacion.sh receta FUENTES     the T-SQL server's build, started from a make recipe, runs its
#                                     makes at level 0 (the engine generates its headers only there),
#                                     and a missing build package is named before anything is built
set -euo pipefail

modo=${1:?modo}
fuentes=$(cd "${2:?carpeta de las fuentes}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

falla() {
    echo "FALLA: $*" >&2
    exit 1
}

# Stand-ins for dpkg-query and apt-get: `instalado` says what dpkg-query reports, apt-get records
# what it was asked for and installs nothing.
simula_dpkg() {
    local instalado=$1
    mkdir -p "$tmp/bin"
    cat >"$tmp/bin/dpkg-query" <<EOF
#!/bin/sh
[ "$instalado" = todo ] && { echo 'install ok installed'; exit 0; }
echo "dpkg-query: no packages found matching \$*" >&2
exit 1
EOF
    cat >"$tmp/bin/apt-get" <<EOF
#!/bin/sh
echo "\$*" >>"$tmp/apt-get.log"
EOF
    chmod +x "$tmp/bin/dpkg-query" "$tmp/bin/apt-get"
    : >"$tmp/apt-get.log"
}

paquetes() {
    local tsql pedidos p
    tsql=$(bash "$fuentes/scripts/servidor_tsql.sh" paquetes)
    [ -n "$tsql" ] || falla "servidor_tsql.sh paquetes no nombra ningún paquete"

    simula_dpkg nada
    PATH="$tmp/bin:$PATH" make -s -C "$fuentes" paquetes SUDO= >/dev/null
    grep -qx 'update -qq' "$tmp/apt-get.log" || falla "apt-get update no se pidió: $(cat "$tmp/apt-get.log")"
    pedidos=$(sed -n 's/^install -y -qq //p' "$tmp/apt-get.log" | tr ' ' '\n')
    [ "$(grep -n '' "$tmp/apt-get.log" | grep -m1 install | cut -d: -f1)" -gt 1 ] ||
        falla "apt-get install antes de update"
    for p in $tsql qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc libgtest-dev clang clang-tidy locales; do
        grep -qx "$p" <<<"$pedidos" || falla "make paquetes no pide $p"
    done
    [ "$(sort <<<"$pedidos" | uniq -d)" = "" ] || falla "paquetes pedidos dos veces: $(sort <<<"$pedidos" | uniq -d)"

    simula_dpkg todo
    PATH="$tmp/bin:$PATH" make -s -C "$fuentes" paquetes SUDO= >/dev/null
    [ ! -s "$tmp/apt-get.log" ] || falla "con todo instalado, make paquetes pidió: $(cat "$tmp/apt-get.log")"
    echo "make paquetes pide $(wc -w <<<"$pedidos") paquetes, entre ellos los $(wc -w <<<"$tsql") del servidor T-SQL"
}

receta() {
    # A recipe of a parallel make, as `make test` runs the script, that asks which level the
    # build's own makes run at.
    printf 'todo:\n\tbash %s entorno\n' "$fuentes/scripts/servidor_tsql.sh" >"$tmp/Makefile"
    local salida
    salida=$(make -s -j4 -C "$tmp" todo)
    grep -qx 'MAKELEVEL=0' <<<"$salida" || falla "las compilaciones del servidor ven el nivel de make: $salida"
    grep -qx 'MAKEFLAGS=' <<<"$salida" || falla "las compilaciones del servidor ven los indicadores de make: $salida"

    # Nothing installed: the build stops at once and names the packages.
    simula_dpkg nada
    local error
    if error=$(PATH="$tmp/bin:$PATH" MODELOS_CACHE="$tmp/cache" make -s -C "$tmp" -f - todo 2>&1 <<EOF
todo:
	bash $fuentes/scripts/servidor_tsql.sh construye
EOF
    ); then
        falla "la construcción siguió sin paquetes"
    fi
    grep -q 'faltan paquetes para construir el servidor T-SQL: .*libossp-uuid-dev' <<<"$error" ||
        falla "la falta de paquetes no se nombra: $error"
    [ ! -d "$tmp/cache" ] || [ -z "$(find "$tmp/cache" -name .completo)" ] || falla "quedó una construcción a medias"
    echo "servidor T-SQL desde una receta: $(grep MAKELEVEL <<<"$salida"); sin paquetes lo dice"
}

case "$modo" in
paquetes) paquetes ;;
receta) receta ;;
*) falla "modo desconocido: $modo" ;;
esac
