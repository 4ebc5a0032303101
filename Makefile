# The two commands of the README: `make run` and `make test`.
SHELL := /bin/bash
PAQUETES := cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc \
	qt6-translations-l10n unixodbc-dev libsqliteodbc tdsodbc libsqlite3-dev sqlite3 \
	libgtest-dev libgmock-dev libxlsxwriter-dev unzip ccache xvfb xauth
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEMO := $(CURDIR)/demo/modelos.db
# The numbers of the walk-through are written the Spanish way (1,234): a Spanish numeric locale
# of the machine, when it has one. LC_ALL, when set, is the user's choice and wins.
LOCAL_ES := $(shell locale -a 2>/dev/null | grep -i -m1 -E '^es_(AR|ES)\.utf-?8$$')
REGIONAL := $(if $(LOCAL_ES),LC_NUMERIC=$(LOCAL_ES) LC_MONETARY=$(LOCAL_ES))

.PHONY: run test paquetes build-release build-dev demo

run: build-release demo
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
		echo "No hay pantalla (DISPLAY vacío): ejecute 'xvfb-run make run' o defina DISPLAY."; exit 1; fi
	@if [ -n "$(LOCAL_ES)" ]; then echo "Números con el formato de $(LOCAL_ES) (LC_NUMERIC)."; \
	else echo "Sin configuración regional española (locale -a): los números siguen LC_NUMERIC=$$(locale | sed -n 's/^LC_NUMERIC=//p' | tr -d '\"') (ver README)."; fi
	$(REGIONAL) ./build/bin/modelos-stock "@Server=sqlite;@DbName=$(DEMO);@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1"

test: build-dev
	ctest --preset dev

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

demo: build-release
	@if [ ! -f $(DEMO) ]; then mkdir -p demo && ./build/bin/crea-demo $(DEMO); fi
