# Front door: `make run` starts the program, `make test` runs every test.
# Both set up a fresh Debian 12 machine first (scripts/deps).

NATIVE := build/native
WIN32DIR := build/win32
JOBS ?= $(shell nproc)
CACHE ?= $(HOME)/.cache/velmora

.PHONY: deps build build-native build-win32 run test test-unit test-win32 test-e2e clean

deps:
	@scripts/deps

build: build-native build-win32

build-native:
	@cmake -S . -B $(NATIVE) -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

build-win32:
	@cmake -S . -B $(WIN32DIR) -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DVELMORA_JPEG_PREFIX=$(CACHE)/libjpeg-turbo-mingw32 \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/scripts/wine-run >/dev/null
	@cmake --build $(WIN32DIR) -j $(JOBS)

run: deps build
	@scripts/run

test: deps build
	@$(MAKE) --no-print-directory test-unit test-win32 test-e2e

test-unit: build-native
	@ctest --test-dir $(NATIVE) --output-on-failure

test-win32: build-win32
	@scripts/with-display ctest --test-dir $(WIN32DIR) --output-on-failure

test-e2e: build-win32
	@/usr/bin/python3 -m pytest -q tests/e2e

clean:
	rm -rf build
