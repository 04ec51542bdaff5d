# Thin wrapper around CMake: `make run` starts the program on the demo catalogue,
# `make test` builds and runs every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES = cmake g++ make pkg-config qtbase5-dev libqt5sql5-sqlite libqwt-qt5-dev \
           qttools5-dev qttools5-dev-tools sqlite3 libsqlite3-dev fonts-dejavu-core \
           xvfb xauth xdotool python3 poppler-utils clang libclang-rt-14-dev \
           qttranslations5-l10n desktop-file-utils

.PHONY: all deps build run test sanitize clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:" $$missing; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null || exit 1; \
	  else \
	    echo "sudo apt-get install" $$missing; exit 1; \
	  fi; \
	fi

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display to show the window on; try: xvfb-run make run"; exit 1; \
	fi
	cd $(BUILD_DIR)/program && ./vortel

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(BUILD_DIR)-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORTEL_SANITIZE=ON
	cmake --build $(BUILD_DIR)-sanitize -j $(JOBS)
	cd $(BUILD_DIR)-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-sanitize
