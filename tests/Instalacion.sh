#!/usr/bin/env bash
# What a new machine's `make test` relies on, checked where everything may already be installed:
#   Instalacion.sh paquetes FUENTES   `make paquetes` on a machine that has nothing asks apt-get for
#                                     every package the T-SQL server's build names, and on one that
#                                     has everything asks for nothing
#   Instalacion.sh receta FUENTES     the T-SQL server's build, started from a make recipe, runs each
#                                     of its makes at level 0 without the recipe's flags (the engine
#                                     generates its headers only there), and a missing build package
#                                     is named before anything is built, and an interrupted build
#                                     leaves nothing in the temporary folder
#   Instalacion.sh fuentes FUENTES    the T-SQL server's sources are found beside the checkout, its
#                                     repository's main worktree or the repository it was cloned
#                                     from, or where MODELOS_BABELFISH_FUENTES says, on no fixed path
set -euo pipefail

modo=${1:?modo}
fuentes=$(cd "${2:?carpeta de las fuentes}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "$0")/comun/Interrumpe.sh"

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
    if error=$(PATH="$tmp/bin:$PATH" MODELOS_CACHE="$tmp/cache" MODELOS_BABELFISH_FUENTES="$tmp/fuentes" \
        "$real_make" -s -C "$tmp" -f - todo 2>&1 <<EOF
todo:
	bash $fuentes/scripts/servidor_tsql.sh construye
EOF
    ); then
        falla "la construcción siguió sin paquetes"
    fi
    grep -q 'faltan paquetes para construir el servidor T-SQL: .*libossp-uuid-dev' <<<"$error" ||
        falla "la falta de paquetes no se nombra: $error"
    [ ! -d "$tmp/cache" ] || [ -z "$(find "$tmp/cache" -name .completo)" ] || falla "quedó una construcción a medias"

    # Interrupted in its first make (INT as Ctrl-C sends it, TERM), to its process group: nothing
    # stays in the temporary folder and the cache holds no build.
    local senal
    for senal in INT TERM; do
        simula_construccion
        simula_dpkg todo
        printf '#!/bin/sh\ntouch "%s"\nexec sleep 600\n' "$tmp/listo" >"$tmp/bin/make"
        rm -rf "${tmp:?}/t" "$tmp/listo"
        mkdir "$tmp/t"
        PATH="$tmp/bin:$PATH" TMPDIR=$tmp/t MODELOS_CACHE=$tmp/cache MODELOS_BABELFISH_FUENTES=$tmp/fuentes \
            interrumpe "$senal" "$tmp/listo" bash "$fuentes/scripts/servidor_tsql.sh" construye >/dev/null 2>&1 || true
        [ -e "$tmp/listo" ] || falla "la construcción no llegó a su primer make"
        [ -z "$(ls -A "$tmp/t")" ] || falla "interrumpida con $senal, la construcción dejó $(ls "$tmp/t") en la carpeta temporal"
        [ -z "$(find "$tmp/cache" -name .completo)" ] || falla "interrumpida con $senal, la caché se dio por completa"
        rm -rf "${tmp:?}/cache" "${tmp:?}/bin"
    done
    echo "servidor T-SQL desde una receta: $llamadas makes, todos de nivel 0 y sin indicadores; sin paquetes lo dice; interrumpida no deja nada"
}

# A repository with the sources beside it in ../shared, a clone of it elsewhere, a worktree of it,
# and a clone of that clone, which has none in reach.
busca_fuentes() {
    local repo=$tmp/a/proyecto vendidas=$tmp/a/shared/vendor/babelfish otras=$tmp/otras visto c d
    mkdir -p "$repo/scripts" "$vendidas" "$otras"
    for d in "$vendidas" "$otras"; do
        : >"$d/postgresql_modified_for_babelfish-0.tar.xz"
        : >"$d/babelfish_extensions-0.tar.xz"
    done
    cp "$fuentes/scripts/servidor_tsql.sh" "$repo/scripts/"
    git -C "$repo" init -q
    git -C "$repo" add .
    git -C "$repo" -c user.name=prueba -c user.email=prueba@localhost -c commit.gpgsign=false commit -qm prueba
    git clone -q "$repo" "$tmp/b/clon"
    git -C "$repo" worktree add -q --detach "$tmp/c/rama"
    git clone -q "$tmp/b/clon" "$tmp/d/clon"
    for c in "$repo" "$tmp/b/clon" "$tmp/c/rama"; do
        visto=$(env -u MODELOS_BABELFISH_FUENTES bash "$c/scripts/servidor_tsql.sh" fuentes) ||
            falla "$c no encontró las fuentes"
        [ "$(cd "$visto" && pwd)" = "$vendidas" ] || falla "$c toma las fuentes de $visto, no de $vendidas"
    done
    visto=$(MODELOS_BABELFISH_FUENTES=$otras bash "$tmp/b/clon/scripts/servidor_tsql.sh" fuentes)
    [ "$(cd "$visto" && pwd)" = "$otras" ] || falla "MODELOS_BABELFISH_FUENTES no manda: $visto"
    if visto=$(env -u MODELOS_BABELFISH_FUENTES bash "$tmp/d/clon/scripts/servidor_tsql.sh" fuentes 2>&1); then
        falla "un clon sin fuentes a su alcance tomó $visto"
    fi
    grep -q 'MODELOS_BABELFISH_FUENTES' <<<"$visto" || falla "sin fuentes no dice dónde ponerlas: $visto"
    echo "fuentes del servidor T-SQL: junto al clon, a su repositorio principal, al repositorio de origen o donde diga MODELOS_BABELFISH_FUENTES"
}

case "$modo" in
paquetes) paquetes ;;
receta) receta ;;
fuentes) busca_fuentes ;;
*) falla "modo desconocido: $modo" ;;
esac
