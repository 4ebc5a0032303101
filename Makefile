# The two commands of the README: `make run` and `make test`.
SHELL := /bin/bash
PAQUETES := cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc \
	qt6-translations-l10n unixodbc-dev libsqliteodbc tdsodbc libsqlite3-dev sqlite3 \
	libgtest-dev libgmock-dev libxlsxwriter-dev unzip ccache
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEMO := $(CURDIR)/demo/modelos.db

.PHONY: run test paquetes build-release build-dev demo

run: build-release demo
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ "$$QT_QPA_PLATFORM" != offscreen ]; then \
		echo "No hay pantalla (DISPLAY vacío): ejecute 'xvfb-run make run' o defina DISPLAY."; exit 1; fi
	./build/bin/modelos-stock "@Server=sqlite;@DbName=$(DEMO);@Usuario=DEMO;@Password=;@UsuarioLogeado=DEMO;@Caja=1"

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
