# The two commands of the README: `make run` and `make test`; `make fuzz`, `make tidy` and `make captura` besides.
SHELL := /bin/bash
# What the T-SQL server of the tests (Babelfish, built from ../shared/vendor/babelfish) is built
# and reached with: the script names its own packages, so that the list lives in one place.
PAQUETES_TSQL := $(shell bash scripts/servidor_tsql.sh paquetes)
PAQUETES := $(sort cmake ninja-build make g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc \
	qt6-translations-l10n unixodbc-dev libsqliteodbc tdsodbc libsqlite3-dev sqlite3 \
	libgtest-dev libgmock-dev libxlsxwriter-dev unzip ccache clang clang-tidy clang-format libclang-rt-14-dev \
	python3 python3-clang-14 xvfb xauth python3-openpyxl locales git \
	$(PAQUETES_TSQL))
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# ccache hashes the project's own paths relative to the checkout, so that a clone elsewhere (CI's)
# reuses what another checkout compiled.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
DEMO := $(CURDIR)/demo/modelos.db
# `make fuzz` runs each fuzz target this long; what it finds stays in build-fuzz/fuzz/.
FUZZ_SECONDS ?= 60
FUZZ_OBJETIVOS := $(notdir $(wildcard fuzz/corpus/*))
# The numbers of the walk-through are written the Spanish way (1,234): a Spanish numeric locale
# of the machine, when it has one. LC_ALL, when set, is the user's choice and wins.
LOCAL_ES := $(shell locale -a 2>/dev/null | grep -i -m1 -E '^es_(AR|ES)\.utf-?8$$')
REGIONAL := $(if $(LOCAL_ES),LC_NUMERIC=$(LOCAL_ES) LC_MONETARY=$(LOCAL_ES))

.PHONY: run test fuzz tidy captura paquetes build-release build-dev build-fuzz demo

run: build-release demo
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
		echo "No hay pantalla (DISPLAY vacío): ejecute 'xvfb-run make run' o defina DISPLAY."; exit 1; fi
	@if [ -n "$(LOCAL_ES)" ]; then echo "Números con el formato de $(LOCAL_ES) (LC_NUMERIC)."; \
	else echo "Sin configuración regional española (locale -a): los números siguen LC_NUMERIC=$$(locale | sed -n 's/^LC_NUMERIC=//p' | tr -d '\"') (ver README)."; fi
	$(REGIONAL) ./build/bin/modelos-stock "@Server=sqlite;@DbName=$(DEMO);@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1"

# The fuzz targets' seeded runs first: the suite's own summary closes the output; around them, the
# check that the run left the machine as it was (tests/SinRastros.sh). The T-SQL server is built (once:
# it stays in a cache outside the checkout) before the tests start it.
test: build-dev build-fuzz
	bash scripts/servidor_tsql.sh construye >/dev/null
	bash tests/SinRastros.sh bash -c 'ctest --preset fuzz && ctest --preset dev'

# Every target runs its time even when an earlier one found something; the findings are listed
# at the end.
fuzz: build-fuzz
	@fallas=; for t in $(FUZZ_OBJETIVOS); do \
		echo "== $$t ($(FUZZ_SECONDS) s)"; \
		mkdir -p build-fuzz/fuzz/corpus/$$t build-fuzz/fuzz/hallazgos || exit 1; \
		./build-fuzz/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=build-fuzz/fuzz/hallazgos/$$t- build-fuzz/fuzz/corpus/$$t fuzz/corpus/$$t \
			|| fallas="$$fallas $$t"; \
	done; \
	if [ -n "$$fallas" ]; then echo "Encontraron fallas:$$fallas (entradas en build-fuzz/fuzz/hallazgos/)"; exit 1; fi

# How many files clang-tidy reads at a time.
TIDY_TRABAJOS ?= $(shell nproc)

# clang-tidy (.clang-tidy) over the project's own sources in compile_commands.json (src/, tests/,
# bench/), in parallel; a file found clean is read again only when it or a header it includes
# changed (scripts/tidy.py). Then every NOLINT must silence something that clang-tidy reports there.
tidy: build-dev
	python3 scripts/tidy.py -p build-dev -j $(TIDY_TRABAJOS) --log build-dev/tidy.log '^$(CURDIR)/(src|tests|bench)/'
	python3 scripts/revisa_nolint.py -p build-dev -j $(TIDY_TRABAJOS) src tests bench

# The README picture: the walk-through test writes it into the build folder; this copies it.
captura: build-dev
	cmake --build --preset dev --target captura

paquetes:
	@faltan=$$(for p in $(PAQUETES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$faltan" ]; then \
		echo "Instalando:" $$faltan; \
		$(SUDO) apt-get update -qq && \
		$(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$faltan </dev/null; \
	fi

build-release: paquetes
	@[ -f build/CMakeCache.txt ] || cmake --preset release
	cmake --build --preset release --target modelos-stock crea-demo

build-dev: paquetes
	@[ -f build-dev/CMakeCache.txt ] || cmake --preset dev
	cmake --build --preset dev

build-fuzz: paquetes
	@[ -f build-fuzz/CMakeCache.txt ] || cmake --preset fuzz
	cmake --build --preset fuzz

demo: build-release
	@if [ ! -f $(DEMO) ]; then mkdir -p demo && ./build/bin/crea-demo $(DEMO); fi
