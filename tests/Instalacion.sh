#!/usr/bin/env bash
# What a new machine's `make test` relies on, checked where everything may already be installed:
#   Instalacion.sh paquetes FUENTES   `make paquetes` on a machine that has nothing asks apt-get for
#                                     every package the T-SQL server's build names, and on one that
#                                     has everything asks for nothing
#   Instalacion.sh receta FUENTES     the T-SQL server's build, started from a make recipe, runs each
#                                     of its makes at level 0 without the recipe's flags (the engine
#                                     generates its headers only there), and a missing build package
#                                     is named before anything is built
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

# Stand-ins for the programs of the T-SQL server's build: tar lays out the two source trees with
# what the build edits and runs (the engine's configure, which makes the prefix), make records each
# call with the make level and flags it got; they and cmake build nothing.
simula_construccion() {
    local bin=$tmp/bin
    mkdir -p "$bin" "$tmp/fuentes"
    : >"$tmp/fuentes/postgresql_modified_for_babelfish-0.tar.xz"
    : >"$tmp/fuentes/babelfish_extensions-0.tar.xz"
    cat >"$bin/tar" <<'EOF'
#!/bin/bash
while getopts C:xf: o; do case $o in C) d=$OPTARG ;; f) f=$OPTARG ;; *) ;; esac; done
case $f in
*postgresql_modified_for_babelfish-*)
    mkdir -p "$d/postgresql_modified_for_babelfish/contrib/uuid-ossp"
    printf '#!/bin/sh\nfor a; do case $a in --prefix=*) mkdir -p "${a#--prefix=}" ;; esac; done\n' \
        >"$d/postgresql_modified_for_babelfish/configure"
    chmod +x "$d/postgresql_modified_for_babelfish/configure" ;;
*babelfish_extensions-*)
    t=$d/babelfish_extensions/contrib/babelfishpg_tsql
    mkdir -p "$t/antlr" "$d"/babelfish_extensions/contrib/babelfishpg_{money,common,tds}
    echo 'SET (MYDIR /usr/include/antlr4-runtime/)' >"$t/antlr/CMakeLists.txt"
    echo 'PG_CFLAGS += -g -Werror' >"$t/Makefile" ;;
*) exit 2 ;;
esac
EOF
    cat >"$bin/make" <<EOF
#!/bin/bash
echo "make MAKELEVEL=\${MAKELEVEL-} MAKEFLAGS=\${MAKEFLAGS-} MFLAGS=\${MFLAGS-} \$*" >>"$tmp/llamadas.log"
EOF
    printf '#!/bin/sh\n' >"$bin/cmake"
    chmod +x "$bin/tar" "$bin/make" "$bin/cmake"
    : >"$tmp/llamadas.log"
}

receta() {
    # The real build, started from a recipe of a parallel make as `make test` runs it, with the
    # stand-ins first on PATH: every make it runs gets level 0 and no flags (the engine generates
    # its headers only there).
    simula_construccion
    simula_dpkg todo
    local real_make
    real_make=$(command -v make)
    printf 'todo:\n\tPATH=%s:$$PATH MODELOS_CACHE=%s MODELOS_BABELFISH_FUENTES=%s bash %s construye\n' \
        "$tmp/bin" "$tmp/cache" "$tmp/fuentes" "$fuentes/scripts/servidor_tsql.sh" >"$tmp/Makefile"
    "$real_make" -s -j4 -C "$tmp" todo >/dev/null 2>"$tmp/construye.log" ||
        falla "la construcción simulada falló: $(cat "$tmp/construye.log")"
    [ -n "$(find "$tmp/cache" -name .completo)" ] || falla "la construcción simulada no terminó"
    local llamadas
    llamadas=$(grep -c '^make ' "$tmp/llamadas.log" || true)
    [ "$llamadas" -ge 10 ] || falla "la construcción corrió $llamadas makes: $(cat "$tmp/llamadas.log")"
    ! grep -v '^make MAKELEVEL= MAKEFLAGS= MFLAGS= ' "$tmp/llamadas.log" ||
        falla "estos makes de la construcción ven el nivel o los indicadores del make que la lanzó"
    rm -rf "${tmp:?}/cache" "${tmp:?}/bin"

    # Nothing installed: the build stops at once and names the packages.
    simula_dpkg nada
    local error
    if error=$(PATH="$tmp/bin:$PATH" MODELOS_CACHE="$tmp/cache" "$real_make" -s -C "$tmp" -f - todo 2>&1 <<EOF
todo:
	bash $fuentes/scripts/servidor_tsql.sh construye
EOF
    ); then
        falla "la construcción siguió sin paquetes"
    fi
    grep -q 'faltan paquetes para construir el servidor T-SQL: .*libossp-uuid-dev' <<<"$error" ||
        falla "la falta de paquetes no se nombra: $error"
    [ ! -d "$tmp/cache" ] || [ -z "$(find "$tmp/cache" -name .completo)" ] || falla "quedó una construcción a medias"
    echo "servidor T-SQL desde una receta: $llamadas makes, todos de nivel 0 y sin indicadores; sin paquetes lo dice"
}

case "$modo" in
paquetes) paquetes ;;
receta) receta ;;
*) falla "modo desconocido: $modo" ;;
esac
