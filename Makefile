# The two everyday commands:
#   make run    install what is missing, build, open the window
#   make test   install what is missing, build, run every test headless
# The rest (docs/development.md):
#   make package / check-package   the .deb of the release build, and its checks
#   make windows / windows-test / windows-package   Vornell.exe (mingw-w64,
#                         static Qt 5.15), its tests under Wine, its zip and installer
#   make arm64 / arm64-test / arm64-package   the same for arm64 Linux
#                         (Debian multiarch, tests under qemu); check-arm64-package
#                         also installs and starts the .deb in an arm64 root
#   make test-debian13    make test and make package in a Debian 13 root
#   make dist             every release file and SHA256SUMS in build/dist
#   make test-reproducible  build/dist rebuilt once, varied, by reprotest: same bytes
#
# PRESET selects a CMake preset (release, debug, clang, asan); WERROR=ON turns
# compiler warnings into errors (CI sets it).

PRESET ?= release
WERROR ?= OFF
FUZZ_SECONDS ?= 30
CONFIGURE_FLAGS ?=

BUILD_DIR := build/$(PRESET)

.PHONY: run test build configure deps bench bench-startup fuzz package check-package format clean screenshot \
	windows windows-test windows-package windows-screenshot windows-bench-startup crosscheck-driver \
	arm64 arm64-test arm64-package check-arm64-package dist test-reproducible

run: build
	$(BUILD_DIR)/app/vornell

# CTest shows no output of a skipped test: its reason ("SKIP: ...") follows.
test: build
	ctest --preset $(PRESET)
	@grep -h '^SKIP: ' $(BUILD_DIR)/Testing/Temporary/LastTest.log || true

# make test, make package and the package's checks, with the .deb installed and
# started, in a fresh minimal Debian 13 root (mmdebstrap, cached in
# ~/.cache/vornell), from a clone of HEAD; the .deb is left in build/trixie-amd64.
# make debian13-root only makes the root.
DEBIAN13_ROOT = scripts/debian-root.sh trixie amd64 "$$(scripts/install-deps.sh --list build package)"
.PHONY: test-debian13 debian13-root
test-debian13:
	$(DEBIAN13_ROOT) 'make test package WERROR=$(WERROR) && scripts/check-package.sh && \
	  scripts/check-package.sh --install build/release/vornell_*.deb && cp build/release/vornell_*.deb /root/out/'

debian13-root:
	$(DEBIAN13_ROOT) ''

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	cmake --preset $(PRESET) -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) $(CONFIGURE_FLAGS)

deps:
	scripts/install-deps.sh build $(filter clang asan,$(PRESET))

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
	scripts/check-package.sh build/release/vornell_*.deb

screenshot: build
	scripts/install-deps.sh screenshot
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/screenshot.sh $(BUILD_DIR)/app/vornell docs/screenshot.png
	VORNELL_SCREENSHOT_VALUES="K12+345 3.5 200 7 125" xvfb-run -a -s "-screen 0 1280x1024x24" \
	  scripts/screenshot.sh $(BUILD_DIR)/app/vornell docs/screenshot-notice.png

# The static Qt for mingw comes from scripts/build-qt-mingw.sh (cached outside
# the build tree; it prints its prefix last).
windows:
	scripts/install-deps.sh build windows
	qt=$$(scripts/build-qt-mingw.sh) && cmake --preset windows \
	  -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) -DCMAKE_PREFIX_PATH="$$qt" $(CONFIGURE_FLAGS)
	cmake --build --preset windows -j2

# The core's cross-platform check in the Windows and arm64 builds compares
# their results with those of the release build's driver.
crosscheck-driver: PRESET = release
crosscheck-driver: configure
	cmake --build --preset release --target vornell_crosscheck

# Under Wine set to report Windows 7, the oldest Windows the program is for.
windows-test: windows crosscheck-driver
	scripts/install-deps.sh windows-test
	VORNELL_WINE_VERSION=win7 scripts/wine-session.sh ctest --preset windows

windows-package: windows
	scripts/install-deps.sh windows-package
	$(PACK) cpack --preset windows

# arm64 Linux, cross-built with Debian's multiarch (dpkg learns the arm64
# architecture); its tests run under qemu-aarch64 through binfmt_misc, which
# scripts/qemu-binfmt.sh enables for the run when it is not.
arm64:
	scripts/install-deps.sh build arm64 package
	cmake --preset arm64 -DVORNELL_WARNINGS_AS_ERRORS=$(WERROR) $(CONFIGURE_FLAGS)
	cmake --build --preset arm64

arm64-test: arm64 crosscheck-driver
	scripts/qemu-binfmt.sh ctest --preset arm64
	@grep -h '^SKIP: ' build/arm64/Testing/Temporary/LastTest.log || true

# The arm64 .deb, checked, then installed and started in a Debian 12 arm64
# root (mmdebstrap, cached in ~/.cache/vornell) under qemu.
ARM64_ROOT_PACKAGES = libqt6widgets6 qt6-qpa-plugins fonts-wqy-microhei
arm64-package: arm64
	cd build/arm64 && $(PACK) cpack -G DEB

check-arm64-package: arm64-package
	scripts/check-package.sh build/arm64/vornell_*_arm64.deb
	scripts/qemu-binfmt.sh scripts/debian-root.sh bookworm arm64 "$(ARM64_ROOT_PACKAGES)" \
	  'scripts/check-package.sh --install /root/vornell_*_arm64.deb' build/arm64/vornell_*_arm64.deb

# Every release file in build/dist with SHA256SUMS beside them: the .debs for
# amd64 and arm64, the Windows zip and installer. Packages already built are
# taken as they are; the missing ones are built.
DIST_DIR := build/dist
DIST_FILES := build/release/vornell_*_amd64.deb build/arm64/vornell_*_arm64.deb \
  build/windows/Vornell-*-win64.zip build/windows/Vornell-*-win64-setup.exe
dist:
	$(if $(wildcard build/release/vornell_*_amd64.deb),,$(MAKE) package)
	$(if $(wildcard build/arm64/vornell_*_arm64.deb),,$(MAKE) arm64-package)
	$(if $(wildcard build/windows/Vornell-*-win64-setup.exe),,$(MAKE) windows-package)
	rm -rf $(DIST_DIR) && mkdir -p $(DIST_DIR)
	cp $(DIST_FILES) $(DIST_DIR)/
	cd $(DIST_DIR) && export LC_ALL=C && sha256sum -- * >SHA256SUMS && sha256sum -c SHA256SUMS

# build/dist made again by reprotest from a clone of HEAD, in another folder,
# time, time zone, locale, umask, HOME and environment, compared with
# diffoscope: the same bytes (the tests left out of the rebuild).
test-reproducible: dist
	scripts/install-deps.sh reproducible
	tests/reproducible/check-reproducible.sh $(DIST_DIR)

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
