# The two everyday commands:
#   make run    install what is missing, build, open the window
#   make test   install what is missing, build, run every test headless
#   make test-debian13    make test, make package and its check in a fresh
#                         Debian 13 root (as root; the committed HEAD only)
#   make test-arm64       the same in a Debian 12 arm64 root under qemu
#   make windows          build/windows/Vornell.exe (mingw-w64, static Qt 5.15)
#   make windows-test     every Qt test of the Windows build under Wine
#   make windows-package  the portable zip and the installer in build/windows
#   make dist             every release file and SHA256SUMS in build/dist
#   make test-reproducible  make dist twice, from two clones of HEAD in other
#                         folders, time zones, umasks and locales: same bytes
#
# PRESET selects a CMake preset (release, debug, clang, asan); WERROR=ON turns
# compiler warnings into errors (CI sets it).

PRESET ?= release
WERROR ?= OFF
FUZZ_SECONDS ?= 30
CONFIGURE_FLAGS ?=

BUILD_DIR := build/$(PRESET)

.PHONY: run test build configure deps bench bench-startup fuzz cross-check package check-package format clean screenshot \
	windows windows-test windows-package windows-screenshot windows-bench-startup dist test-reproducible

run: build
	$(BUILD_DIR)/app/vornell

# CTest shows no output of a skipped test: its reason ("SKIP: ...") follows.
test: build
	ctest --preset $(PRESET)
	@grep -h '^SKIP: ' $(BUILD_DIR)/Testing/Temporary/LastTest.log || true

# The same, with the .deb built, installed and started, in a fresh minimal
# Debian 13 root (debootstrap, cached in ~/.cache/vornell), from a clone of HEAD.
.PHONY: test-debian13
test-debian13:
	scripts/test-debian-root.sh trixie amd64

# The same for arm64: a Debian 12 arm64 root run under qemu-aarch64 through
# binfmt_misc; the .deb is left in build/bookworm-arm64.
.PHONY: test-arm64
test-arm64:
	scripts/test-debian-root.sh bookworm arm64

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET) -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) $(CONFIGURE_FLAGS)

deps:
	scripts/install-deps.sh build $(filter clang,$(PRESET))

bench: PRESET = release
bench: build
	$(BUILD_DIR)/bench/vornell_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

# Start-up to the first painted frame and peak memory against a bare window
# (offscreen, and on Xvfb inside a session bus as on an X11 desktop), then
# keystroke to result and memory after many keys.
STARTUP_DRIVER = python3 bench/startup/startup_driver.py --runs 20 \
  --vornell $(BUILD_DIR)/app/vornell --bare $(BUILD_DIR)/bench/startup/vornell_bare_window \
  --plugin-path $(BUILD_DIR)/bench/startup/plugins
bench-startup: PRESET = release
bench-startup: build
	scripts/install-deps.sh bench
	$(STARTUP_DRIVER) --platform offscreen
	dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" $(STARTUP_DRIVER) --platform xcb
	$(BUILD_DIR)/bench/startup/vornell_keystroke_bench --benchmark_repetitions=10 \
	  --benchmark_report_aggregates_only=true

# Each fuzzer of the core for FUZZ_SECONDS, as CTest tests.
fuzz:
	scripts/install-deps.sh fuzz
	cmake --preset fuzz -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) -DVORNELL_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz
	ctest --preset fuzz

# The core's results byte for byte the same natively, in a Windows build run
# under Wine and in an arm64 build run under qemu, on CROSS_CHECK_COUNT
# generated inputs: the windows-core and arm64-core presets' tests, against
# the release preset's driver.
CROSS_CHECK_COUNT ?= 1000000
cross-check: deps
	scripts/install-deps.sh cross
	cmake --preset release -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR)
	cmake --build --preset release --target vornell_crosscheck
	for preset in windows-core arm64-core; do \
	  cmake --preset $$preset -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) \
	    -DVORNELL_CROSSCHECK_COUNT=$(CROSS_CHECK_COUNT) && \
	  cmake --build --preset $$preset && ctest --preset $$preset || exit 1; \
	done

# CPack packs with umask 022 under fakeroot: it takes the modes of the files
# and folders it packs, and of the packages it writes, from what it creates
# itself under the umask, and the zip records the files' owner (root for
# everyone). The dates in the packages are cmake/Reproducible.cmake's.
PACK = umask 022 && fakeroot

package: PRESET = release
package: build
	scripts/install-deps.sh package
	cd $(BUILD_DIR) && $(PACK) cpack -G DEB

check-package: package
	scripts/check-package.sh

screenshot: build
	scripts/install-deps.sh screenshot
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/screenshot.sh $(BUILD_DIR)/app/vornell docs/screenshot.png
	VORNELL_SCREENSHOT_VALUES="K12+345 3.5 200 7 125" xvfb-run -a -s "-screen 0 1280x1024x24" \
	  scripts/screenshot.sh $(BUILD_DIR)/app/vornell docs/screenshot-notice.png

# The static Qt for mingw comes from scripts/build-qt-mingw.sh (cached outside
# the build tree; it prints its prefix last).
windows:
	scripts/install-deps.sh build windows
	qt=$$(scripts/build-qt-mingw.sh) && \
	  cmake --preset windows -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) -DCMAKE_PREFIX_PATH="$$qt"
	cmake --build --preset windows -j2

# Under Wine set to report Windows 7, the oldest Windows the program is for.
windows-test: windows
	scripts/install-deps.sh windows-test
	VORNELL_WINE_VERSION=win7 scripts/wine-session.sh ctest --preset windows

windows-package: windows
	scripts/install-deps.sh windows-package
	$(PACK) cpack --preset windows

# Every release file in build/dist with SHA256SUMS beside them: the .deb, the
# Windows zip and installer, and those of DIST_EXTRA (packages built
# elsewhere) that exist: by default the arm64 .deb that make test-arm64 left.
DIST_DIR := build/dist
DIST_EXTRA ?= build/bookworm-arm64/vornell_*_arm64.deb
dist:
	rm -f build/release/vornell_*.deb build/windows/Vornell-*-win64.zip \
	  build/windows/Vornell-*-win64-setup.exe
	$(MAKE) package windows-package
	rm -rf $(DIST_DIR) && mkdir -p $(DIST_DIR)
	cp build/release/vornell_*.deb build/windows/Vornell-*-win64.zip \
	  build/windows/Vornell-*-win64-setup.exe $(wildcard $(DIST_EXTRA)) $(DIST_DIR)/
	cd $(DIST_DIR) && export LC_ALL=C && sha256sum -- * >SHA256SUMS && sha256sum -c SHA256SUMS

# Two clones of the committed HEAD, each built with make dist in another
# folder, time zone, umask and locale, one after the other: every release file
# the same, byte for byte (a CTest test, label reproducible).
test-reproducible: build
	scripts/install-deps.sh reproducible
	ctest --preset reproducible

windows-screenshot: windows
	scripts/install-deps.sh windows-test
	VORNELL_WINE_VERSION=win7 scripts/wine-session.sh scripts/screenshot.sh build/windows/Vornell.exe docs/screenshot-windows.png

# Start-up of Vornell.exe against a bare window of the same Qt, under Wine.
windows-bench-startup: windows
	scripts/install-deps.sh windows-test
	scripts/wine-session.sh python3 bench/startup/wine_startup.py build/windows/Vornell.exe \
	  build/windows/bench/startup/vornell_bare_window.exe

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
