# make run: install what is missing, build only the game and the tools that make build/game, make
#   build/game and start the game.
# make test: install what is missing, build everything and run every test.
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer.
BUILD ?= build
JOBS ?= $(shell nproc)
SANITIZE ?= 0
# Sanitizer builds are unoptimised: they compile about three times faster and check the same.
BUILD_TYPE ?= $(if $(filter 1,$(SANITIZE)),Debug,RelWithDebInfo)
CMAKE_FLAGS = -DVESK_SANITIZE=$(if $(filter 1,$(SANITIZE)),ON,OFF) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

.PHONY: all deps configure build run test clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The game folder's target needs the game and its two tools only: no test, benchmark or other tool.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target game
	@cd $(BUILD)/game && ./vesk

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
