# make run   installs what the build needs, builds, and opens the demo window.
# make test  installs what the tests need, builds, and runs every test: the format check, the
#            unit, real-window, build-path, browser, Windows (Wine) and package tests, and the
#            unit tests again under ASan and UBSan.
# make web   builds the page into build-web/page; make serve serves it on 127.0.0.1:8000.
# make windows builds the Windows zip into build-win/.
# make package builds the Debian package into build-package/; make dist writes every release
#            file, with SHA256SUMS, into dist/.
# All skip whatever is already installed or built.

BUILD := build
SANITIZE_BUILD := build-sanitize
JOBS := $(shell nproc)
SOURCES = $(shell git ls-files -co --exclude-standard '*.cpp' '*.h')

.PHONY: run test build deps test-deps web web-deps windows windows-deps package package-deps dist serve browser-deps format-check soak bench screenshot

run: build
	./$(BUILD)/gui_demo

# Configures only a build folder that has none yet, so that make run never switches off the tests
# make test configured: both share build/, and each builds only what changed.
build: deps
	@test -f $(BUILD)/CMakeCache.txt || \
		cmake -S . -B $(BUILD) -DGUI_DEMO_TESTS=OFF -DGUI_DEMO_WINDOW_TESTS=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target gui_demo

# The benchmarks are built here, so they keep compiling, but never run: see make bench.
test: test-deps format-check browser-deps
	scripts/dist.sh >/dev/null
	cmake -S . -B $(BUILD) -DGUI_DEMO_TESTS=ON -DGUI_DEMO_WINDOW_TESTS=ON -DGUI_DEMO_BENCHMARKS=ON \
		-DGUI_DEMO_BROWSER_TESTS=ON -DGUI_DEMO_WINDOWS_TESTS=ON -DGUI_DEMO_PACKAGE_TESTS=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_BUILD) -DGUI_DEMO_SANITIZE=ON -DGUI_DEMO_WINDOW_TESTS=OFF >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

deps:
	scripts/install-deps.sh
	scripts/bootstrap-raylib.sh

test-deps:
	scripts/install-deps.sh test
	scripts/bootstrap-raylib.sh

web: web-deps
	scripts/build-web.sh

web-deps:
	scripts/install-deps.sh web

windows: windows-deps
	scripts/build-windows.sh

windows-deps:
	scripts/install-deps.sh windows

package: package-deps
	scripts/build-package.sh

package-deps: deps
	scripts/install-deps.sh package

dist: package-deps windows-deps web-deps
	scripts/dist.sh

serve: web
	@echo "serving the page at http://127.0.0.1:8000/ (Ctrl-C ends it)"
	python3 -m http.server --bind 127.0.0.1 --directory build-web/page 8000

# The DevTools client the browser tests drive Chromium with, at the locked version.
browser-deps: test-deps
	@test tests/browser/node_modules/.package-lock.json -nt tests/browser/package-lock.json || \
		(cd tests/browser && npm ci --no-audit --no-fund)

# Not part of make test: a benchmark measures speed, and a soak takes two minutes.
bench: test-deps
	scripts/bench.sh

soak: test-deps
	scripts/soak.sh

screenshot: test-deps
	scripts/screenshot.sh

format-check:
	@echo "clang-format: checking $(words $(SOURCES)) files"
	@clang-format --dry-run --Werror $(SOURCES)
