# Front door: `make run` starts the program, `make test` runs every test.
# Both set up a fresh Debian 12 machine first (scripts/deps).

NATIVE := build/native
WIN32DIR := build/win32
WIN64DIR := build/win64
JOBS ?= $(shell nproc)
CACHE ?= $(HOME)/.cache/velmora

.PHONY: deps build build-native build-win32 build-win64 build-earlier-win32 build-earlier-win64 dist run test test-unit test-win32 test-e2e test-product soak bench fuzz clean

deps:
	@scripts/deps

# The 32-bit program is the product; the 64-bit build of the same sources runs
# the Windows and end-to-end tests where 32-bit programs cannot run.
build: build-native build-win32 build-win64

build-native:
	@cmake -S . -B $(NATIVE) -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

build-win32:
	@cmake -S . -B $(WIN32DIR) -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	  -DVELMORA_JPEG_PREFIX=$(CACHE)/libjpeg-turbo-mingw32 -DVELMORA_CODEC_PREFIX=$(CACHE)/codecs-mingw32 \
	  -DVELMORA_PACKAGE_DIR=$(CURDIR)/build/dist \
	  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine-run;--arch;win32" >/dev/null
	@cmake --build $(WIN32DIR) -j $(JOBS)

build-win64:
	@cmake -S . -B $(WIN64DIR) -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake \
	  -DVELMORA_JPEG_PREFIX=$(CACHE)/libjpeg-turbo-mingw64 -DVELMORA_CODEC_PREFIX=$(CACHE)/codecs-mingw64 \
	  "-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine-run;--arch;win64" >/dev/null
	@cmake --build $(WIN64DIR) -j $(JOBS)

# The setup's upgrade scenarios install an earlier release first: these
# sources built under a lower version number (the build number less one, or
# the highest below) stand for it. Only its setup package is made, for the
# Wine architecture the tests run: build/earlier-<arch>/dist/Velmora-<earlier>.msi.
VERSION := $(shell sed -n 's/^project.Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
EARLIER_VERSION := $(shell echo $(VERSION) | awk -F. '{ if ($$3 > 0) print $$1 "." $$2 "." $$3 - 1; \
  else if ($$2 > 0) print $$1 "." $$2 - 1 ".65535"; else print $$1 - 1 ".255.65535" }')
TOOLCHAIN_win32 := mingw-i686
TOOLCHAIN_win64 := mingw-x86_64
JPEG_win32 := libjpeg-turbo-mingw32
JPEG_win64 := libjpeg-turbo-mingw64
CODECS_win32 := codecs-mingw32
CODECS_win64 := codecs-mingw64

build-earlier-win32 build-earlier-win64: build-earlier-%:
	@cmake -S . -B build/earlier-$* -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/$(TOOLCHAIN_$*).cmake \
	  -DVELMORA_JPEG_PREFIX=$(CACHE)/$(JPEG_$*) -DVELMORA_CODEC_PREFIX=$(CACHE)/$(CODECS_$*) \
	  -DVELMORA_VERSION=$(EARLIER_VERSION) >/dev/null
	@cmake --build build/earlier-$* -j $(JOBS) --target velmora_dist

# The setup (build/dist/Velmora-<version>.msi) and the portable zip
# (build/dist/Velmora-<version>-portable.zip), from the 32-bit program; the
# 32-bit build makes them with the program.
dist: build-win32
	@ls build/dist/Velmora-*

run: deps build
	@scripts/run

test: deps build
	@$(MAKE) --no-print-directory test-unit test-product test-win32 test-e2e

test-unit: build-native
	@ctest --test-dir $(NATIVE) --output-on-failure

# The shipped 32-bit program, checked on every machine without running it.
test-product: build-win32
	@/usr/bin/python3 -m pytest -q tests/product

# Wine's processes under the tests start without address-space randomisation.
# Debian's 64-bit loader sits at a fixed address with its heap right after it;
# randomised, the heap now and then covers the page every Wine process maps at
# 0x7ffe0000 at its start, which then fails ("failed to map the shared user
# data") before any of the program's code runs.
FIXED_LAYOUT := setarch $(shell uname -m) -R

# The Windows and end-to-end tests run on the build that this machine's Wine
# can run (scripts/wine-arch); both builds are made so either can be chosen.
test-win32: build-win32 build-win64
	@arch=$$(scripts/wine-arch "Windows tests") || exit 1; \
	  VELMORA_WINE_ARCH=$$arch $(FIXED_LAYOUT) scripts/with-display ctest --test-dir build/$$arch --output-on-failure

test-e2e: build-win32 build-win64
	@arch=$$(scripts/wine-arch "End-to-end tests") || exit 1; \
	  $(MAKE) --no-print-directory build-earlier-$$arch || exit 1; \
	  VELMORA_WINE_ARCH=$$arch $(FIXED_LAYOUT) /usr/bin/python3 -m pytest -q -rs tests/e2e

# The long end-to-end runs (pytest marker "soak"), a few minutes each; not
# part of "make test", which runs a shorter one of each.
soak: build-win32 build-win64
	@arch=$$(scripts/wine-arch "End-to-end tests") || exit 1; \
	  VELMORA_WINE_ARCH=$$arch $(FIXED_LAYOUT) /usr/bin/python3 -m pytest -q -rs -s -m soak tests/e2e

# One run of every benchmark beside its anchors; the table also goes to
# build/bench/report.md. Not part of "make test": it asserts nothing.
bench: deps build
	@$(FIXED_LAYOUT) /usr/bin/python3 bench/run.py

# libFuzzer on every file reader (clang, AddressSanitizer, UBSan) for
# FUZZ_TIME seconds in all; prints executions, coverage and findings per
# target. Not part of "make test", which replays the stored corpus and every
# past finding (fuzz/corpus, fuzz/findings) in seconds.
FUZZ_TIME ?= 600
fuzz: deps
	@scripts/fuzz $(FUZZ_TIME)

clean:
	rm -rf build
